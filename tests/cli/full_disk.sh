#!/bin/bash
# The whole pipeline of vornami-batch on a small tmpfs that is full: it is run
# again and again with a little more room each time. After every run that
# fails, the photos keep their bytes, every data script parses and the next
# start-up leaves no temporary file; once there is room the gallery completes
# and matches one made where the disk never filled. Needs root (a private
# mount namespace); otherwise it says why and is skipped.
set -u
batch=$(realpath "$1")
samples=$2
skip() {
  echo "SKIP: $*"
  exit 77
}
[ "$(id -u)" = 0 ] || skip "mounting a tmpfs needs root"
[ -d "$samples" ] || skip "no samples folder at $samples"
if [ -z "${VORNAMI_PRIVATE_MOUNTS:-}" ]; then
  VORNAMI_PRIVATE_MOUNTS=1 exec unshare -m --propagation private bash "$0" "$@" ||
    skip "cannot make a private mount namespace"
fi

work=$(mktemp -d)
trap 'umount "$work/disk" 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/reference" "$work/disk"
mount -t tmpfs -o size=2m tmpfs "$work/disk" || skip "cannot mount a tmpfs"
photos=(Canon_40D Canon_DIGITAL_IXUS_400 Canon_PowerShot_S40 Fujifilm_FinePix6900ZOOM Nikon_D70
  Kodak_CX7530 Olympus_C8080WZ Pentax_K10D)

lay_out() {
  (cd "$1" && "$batch" init) || exit 1
  for p in "${photos[@]}"; do cp "$samples/$p.jpg" "$1/Pelvora/"; done
}

# What each step writes, compared with the reference once the step says it is done.
outputs() {
  case $1 in
    rename) echo Pelvora ;;
    thumbnails) echo gallery/thumbnail ;;
    info) echo gallery/section/information ;;
    data) echo gallery/data/other.js gallery/data/filename.js ;;
    pages) echo gallery/section gallery/notes ;;
  esac
}

# Each step as its own run, as a user presses the buttons; stops at the first
# failure. On the disk under test a step that reports success must have
# written all of its files: a write lost without a word shows here.
pipeline() {
  (
    cd "$1" || exit 1
    for step in rename thumbnails info data pages; do
      "$batch" "$step" >>../log 2>&1 || exit 1
      [ "$1" = "$work/reference" ] && continue
      for out in $(outputs "$step"); do
        diff -r "$work/reference/$out" "$out" >/dev/null ||
          { echo "FAIL: $step reported success but $out differs"; exit 2; }
      done
    done
    # The editor's buttons report a file they cannot write as a message and
    # the run goes on, as the dialog stays open: such a message is a failure.
    "$batch" "theme=旅の記録" "title=一枚目" "memo=朝の\"港\"" register save top-photo \
      "bg-color=#102030" >../edits 2>&1 || { cat ../edits >>../log; exit 1; }
    cat ../edits >>../log
    ! grep -q '^error:' ../edits || exit 1
  )
}

photo_sums() { (cd "$1/Pelvora" && sha256sum -- * | cut -d' ' -f1 | sort); }

cat >"$work/parse.js" <<'JS'
const fs = require('fs'), vm = require('vm');
for (const file of process.argv.slice(2))
  new vm.Script(new TextDecoder('shift_jis').decode(fs.readFileSync(file)), {filename: file});
JS
check_scripts() {
  command -v node >/dev/null || return 0
  local scripts=("$1"/gallery/data/*.js)
  [ -e "${scripts[0]}" ] || return 0
  node "$work/parse.js" "${scripts[@]}"
}

lay_out "$work/reference"
pipeline "$work/reference" || { cat "$work/log"; echo "FAIL: the reference run"; exit 1; }
expected_sums=$(photo_sums "$work/reference")

lay_out "$work/disk"
original_sums=$(cd "$work/disk/Pelvora" && sha256sum -- * | cut -d' ' -f1 | sort)
# Fill the disk to the last block, then give back a little more room each round.
dd if=/dev/zero of="$work/disk/filler" bs=4k >/dev/null 2>&1
filled=$(stat -c %s "$work/disk/filler")
failures=0
completed=no
for room in $(seq 0 16384 2097152); do
  [ "$room" -le "$filled" ] || break
  truncate -s $((filled - room)) "$work/disk/filler"
  pipeline "$work/disk"
  status=$?
  [ "$status" != 2 ] || exit 1
  if [ "$status" = 0 ]; then
    completed=yes
    break
  fi
  failures=$((failures + 1))
  [ "$(photo_sums "$work/disk")" = "$original_sums" ] ||
    { echo "FAIL: a photo changed with $room bytes free"; exit 1; }
  check_scripts "$work/disk" || { echo "FAIL: a data script does not parse ($room bytes free)"; exit 1; }
  (cd "$work/disk" && "$batch" show >/dev/null 2>&1)
  leftovers=$(find "$work/disk/gallery" -name '*.tmp.vornami')
  [ -z "$leftovers" ] || { echo "FAIL: left after start-up: $leftovers"; exit 1; }
done
rm -f "$work/disk/filler"
# The first run that completes must be whole: a step that lost a write and
# said nothing would show here, not be covered by a later run.
if [ "$completed" = no ]; then
  pipeline "$work/disk" || { tail "$work/log"; echo "FAIL: the run with room"; exit 1; }
fi
[ "$failures" -gt 0 ] || { echo "FAIL: the disk never filled"; exit 1; }
[ "$(photo_sums "$work/disk")" = "$expected_sums" ] || { echo "FAIL: photos differ"; exit 1; }
for tree in Pelvora gallery vornami; do
  diff -r "$work/reference/$tree" "$work/disk/$tree" || { echo "FAIL: $tree differs"; exit 1; }
done
echo "the pipeline failed $failures times on the full disk, then completed as the reference"
