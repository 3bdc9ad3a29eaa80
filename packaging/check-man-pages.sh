#!/usr/bin/env bash
# Fails when a program's man page or its README section leaves out an option
# or an action that the program's --help names, so the three say the same.
#
#   packaging/check-man-pages.sh BIN_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin=$1
bad=0

# The man page as plain words: roff's "\-" is "-", font changes dropped.
man_text() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$here/docs/man/$1.1"; }
# The README's section "## NAME", up to the next section.
readme_section() { awk -v h="## $1" '$0 == h {on = 1; next} /^## / {on = 0} on' "$here/README.md"; }

# --help names its actions and options in the left column of its indented lines.
words_of_help() {
  "$bin/$1" --help | sed -n 's/^  \([^ ].*\)/\1/p' | sed -E 's/ {2,}.*//' | tr ' ' '\n' |
    sed -E 's/=.*/=/' | grep -E '^-*[a-z][a-z-]*=?$' || true
  echo --help
  echo --version
}

check() {
  local program=$1 section=$2 built=${3:-$1}
  local man readme
  man=$(man_text "$program")
  readme=$(readme_section "$section")
  for word in $(words_of_help "$built"); do
    if ! grep -qF -- "$word" <<<"$man"; then
      echo "docs/man/$program.1 does not mention $word" >&2
      bad=1
    fi
    if ! grep -qF -- "$word" <<<"$readme"; then
      echo "README.md, section $section, does not mention $word" >&2
      bad=1
    fi
  done
}

check vornami-batch vornami-batch
check vornami-decode vornami-decode
check vornami-launcher vornami-launcher launcher
if [ -x "$bin/vornami" ]; then check vornami "What is in the box"; fi
exit $bad
