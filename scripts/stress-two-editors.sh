#!/usr/bin/env bash
# Two editors on one gallery at the same moment, round after round: two
# vornami-batch runs started together, each typing its own theme, titles and
# memos and saving twice. Each run must either hold the gallery and finish, or
# be refused with exit 4 and the message that the gallery is open elsewhere;
# after every round the data files are whole, come from one editor alone, and
# no temporary file is left.
#
# Usage: scripts/stress-two-editors.sh [BIN_DIR] [ROUNDS]   (build/bin, 400)
# Prints the figures; exits 1 when any round went wrong. Not a CTest: it takes
# about a minute.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
batch=$(realpath "${1:-$here/build/bin}")/vornami-batch
rounds=${2:-400}
message="error: このギャラリーは別のVornami（編集画面またはvornami-batch）で開かれています。そちらを終了してから、もう一度開いてください。"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$batch" init
for n in 1 2 3; do
  printf photo >"Pelvora/2003_08_03_09_05_0$n.jpg"
  printf thumb >"gallery/thumbnail/Tn_2003_08_03_09_05_0$n.jpg"
done

editor() {  # NAME: types NAME everywhere and saves twice
  local t=$1
  "$batch" "theme=$t" "title=$t" "memo=$t" register save next "title=$t" "memo=$t" register \
    next "title=$t" register save >"$t.out" 2>"$t.err" && echo 0 >"$t.rc" || echo $? >"$t.rc"
}

refused=0 both=0 wrong=0 untold=0
for ((r = 1; r <= rounds; r++)); do
  rm -f gallery/data/*.js
  a="A$r" b="B$r"
  editor "$a" &
  editor "$b" &
  wait
  ra=$(cat "$a.rc") rb=$(cat "$b.rc")
  problem=""
  for t in "$a" "$b"; do
    rc=$(cat "$t.rc")
    case $rc in
      0) ;;
      4) if [ "$(cat "$t.out")" = "$message" ]; then refused=$((refused + 1)); else
           untold=$((untold + 1)); problem+=" $t refused without the message;"; fi ;;
      *) problem+=" $t exit $rc;" ;;
    esac
  done
  [ "$ra" = 0 ] && [ "$rb" = 0 ] && both=$((both + 1))
  if [ "$ra" = 4 ] && [ "$rb" = 4 ]; then problem+=" both refused;"; fi
  # Every data file holds the texts of one editor alone, the same one in all.
  owners=$(cat gallery/data/subject.js gallery/data/title.js gallery/data/note.js 2>/dev/null |
    grep -oE '[AB][0-9]+' | sort -u | tr '\n' ' ')
  for f in subject.js title.js note.js; do
    [ -f "gallery/data/$f" ] || problem+=" $f missing;"
  done
  case "$owners" in
    "$a " | "$b ") ;;
    *) problem+=" texts of: $owners;" ;;
  esac
  if ls gallery/data/*.tmp.vornami >/dev/null 2>&1; then problem+=" temporary file left;"; fi
  if [ -n "$problem" ]; then
    wrong=$((wrong + 1))
    echo "round $r:$problem" >&2
  fi
done
echo "rounds: $rounds"
echo "one editor refused (exit 4, told why): $refused"
echo "both editors ran, one after the other: $both"
echo "refused without the message: $untold"
echo "rounds with damaged, mixed or missing files, or another exit: $wrong"
[ "$wrong" = 0 ]
