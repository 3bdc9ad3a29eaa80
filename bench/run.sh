#!/usr/bin/env bash
# Measures Vornami's batch steps side by side with jhead and exiv2 on the same
# generated photos, the editor's navigation step, and ② making thumbnails from
# phone-size pictures side by side with vipsthumbnail and ImageMagick, and ⑤
# making tiles and screen copies of them side by side with vipsthumbnail.
#
#   bench/run.sh [-n PHOTOS] [-r RUNS] [-s STEPS] [-p PHONE] [-q RUNS] [-H HEIF] [-Q RUNS] [-k]
#
#   -n  photos to generate (default 1000)
#   -r  timed runs per tool and step; the median counts (default 9)
#   -s  navigation steps timed (default 3000)
#   -p  phone photos (4032×3024, no embedded thumbnail) to generate (default 200; 0: none)
#   -q  timed runs per tool over the phone photos (default 3)
#   -H  HEIF photos (4032×3024 and 3024×4032, from the samples) to make (default 20; 0: none)
#   -Q  timed runs per tool over the HEIF photos (default 3)
#   -k  keep the scratch folder
#
# Every timed run starts from the same state: a fresh folder with hard links
# to the same photos (and real copies of every other file, which a step may
# overwrite), prepared outside the timing. Runs of the tools alternate, so
# that a slow moment of the machine hits all of them alike. Scratch lies on
# tmpfs (/dev/shm) when there is one: file creation on disk swings too much.
# The photos' names are known (IMG_0001.JPG…, then dates): plain globs, as a
# user types them, and as jhead's "&i" needs them (no "./" in front).
# shellcheck disable=SC2035,SC2012
set -euo pipefail
export LC_ALL=C  # a decimal point in $EPOCHREALTIME
trap 'echo "bench/run.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR

photos=1000
runs=9
steps=3000
keep=0
phone_photos=200
phone_runs=3
heif_photos=20
heif_runs=3
while getopts "n:r:s:p:q:H:Q:k" opt; do
  case $opt in
    n) photos=$OPTARG ;;
    r) runs=$OPTARG ;;
    s) steps=$OPTARG ;;
    p) phone_photos=$OPTARG ;;
    q) phone_runs=$OPTARG ;;
    H) heif_photos=$OPTARG ;;
    Q) heif_runs=$OPTARG ;;
    k) keep=1 ;;
    *) sed -n '2,21p' "$0" >&2; exit 64 ;;
  esac
done

here=$(cd "$(dirname "$0")/.." && pwd)

# --- Tools -------------------------------------------------------------------
need=()
command -v jhead >/dev/null 2>&1 || need+=(jhead)
command -v exiv2 >/dev/null 2>&1 || need+=(exiv2)
command -v cjpeg >/dev/null 2>&1 || need+=(libjpeg-turbo-progs)
if [ "$phone_photos" -gt 0 ]; then
  command -v vipsthumbnail >/dev/null 2>&1 || need+=(libvips-tools)
  command -v convert >/dev/null 2>&1 || need+=(imagemagick)
fi
if [ "$heif_photos" -gt 0 ]; then
  command -v heif-enc >/dev/null 2>&1 || need+=(libheif-examples)
  command -v convert >/dev/null 2>&1 || need+=(imagemagick)
fi
if [ ${#need[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "Installing ${need[*]}" >&2
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" >/dev/null
fi

build="$here/build-bench"
echo "Building Release into $build" >&2
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVORNAMI_GUI=OFF -DVORNAMI_TESTS=OFF \
  -DVORNAMI_BENCH=ON -DVORNAMI_SANITIZE=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target vornami-batch vornami_gallery_template \
  vornami_bench_photos vornami_bench_preview vornami_bench_time >/dev/null
batch="$build/bin/vornami-batch"
timer="$build/bench/vornami_bench_time"

# --- Scratch -------------------------------------------------------------------
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  scratch=$(mktemp -d /dev/shm/vornami-bench.XXXXXX)
else
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/vornami-bench.XXXXXX")
  echo "warning: no tmpfs; figures on disk swing widely" >&2
fi
cleanup() {
  if [ "$keep" -eq 1 ]; then
    echo "scratch kept: $scratch" >&2
  else
    rm -rf "$scratch"
  fi
}
trap cleanup EXIT

echo "Generating $photos photos in $scratch" >&2
"$build/bench/vornami_bench_photos" --count "$photos" "$scratch/photos"
layout="$scratch/layout"
mkdir -p "$layout"
(cd "$layout" && "$batch" init)

# fresh SRC DST: DST becomes a copy of the gallery SRC whose photos are hard
# links and whose other files are copies of their own.
fresh() {
  rm -rf "$2"
  mkdir -p "$2"
  local entry
  for entry in "$1"/*; do
    if [ "${entry##*/}" = Pelvora ]; then
      cp -al "$entry" "$2/"
    else
      cp -a "$entry" "$2/"
    fi
  done
}

# A gallery as the camera left it: the generated photos, not yet renamed.
unrenamed="$scratch/state-unrenamed"
fresh "$layout" "$unrenamed"
ln "$scratch"/photos/*.JPG "$unrenamed/Pelvora/"

# run_timed LABEL STATE SUBDIR COMMAND [any]: runs the shell command in a fresh
# copy of STATE and appends "wall user system" seconds to $scratch/times/LABEL.
# With "any", the command's exit status is not checked.
mkdir -p "$scratch/times"
run_dir="$scratch/run"
run_timed() {
  local label=$1 state=$2 sub=$3 command=$4 status=0
  fresh "$state" "$run_dir"
  "$timer" "$run_dir/$sub" "$command" >>"$scratch/times/$label" || status=$?
  if [ "$status" -ne 0 ] && [ "${5:-}" != any ]; then
    echo "$label: exit status $status: $command" >&2
    exit 1
  fi
}
# median LABEL wall|cpu
median() {
  awk -v what="$2" '{ print (what == "wall") ? $1 : $2 + $3 }' "$scratch/times/$1" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

available() { # whether this build of vornami-batch offers the action
  local status=0
  (cd "$layout" && "$batch" "$1" >/dev/null 2>&1) || status=$?
  [ "$status" -ne 64 ]
}

# --- Equivalence, untimed: every tool gives the same names and thumbnails -----
renamed="$scratch/state-renamed"
fresh "$unrenamed" "$renamed"
(cd "$renamed" && "$batch" rename >/dev/null) || { echo "vornami-batch rename failed" >&2; exit 1; }
fresh "$unrenamed" "$scratch/check"
(cd "$scratch/check/Pelvora" && jhead -n%Y_%m_%d_%H_%M_%S *.JPG >/dev/null)
if ! diff <(ls "$renamed/Pelvora") <(ls "$scratch/check/Pelvora") >/dev/null; then
  echo "jhead and vornami-batch rename to different names" >&2
  exit 1
fi
fresh "$unrenamed" "$scratch/check"
(cd "$scratch/check/Pelvora" && exiv2 -r %Y_%m_%d_%H_%M_%S rename *.JPG >/dev/null)
if ! diff <(ls "$renamed/Pelvora") <(ls "$scratch/check/Pelvora" | sed 's/\.JPG$/.jpg/') >/dev/null; then
  echo "exiv2 and vornami-batch rename to different names" >&2
  exit 1
fi

ready="$scratch/state-ready" # renamed, thumbnails made
fresh "$renamed" "$ready"
(cd "$ready" && "$batch" thumbnails >/dev/null) || { echo "vornami-batch thumbnails failed" >&2; exit 1; }
fresh "$renamed" "$scratch/check"
(cd "$scratch/check/Pelvora" && jhead -st "../gallery/thumbnail/Tn_&i" *.jpg >/dev/null 2>&1)
for f in "$ready"/gallery/thumbnail/Tn_*.jpg; do
  cmp -s "$f" "$scratch/check/gallery/thumbnail/${f##*/}" || { echo "jhead's ${f##*/} differs" >&2; exit 1; }
done
fresh "$renamed" "$scratch/check"
# exiv2 0.27 exits with the thumbnail's byte count modulo 256; the files are what counts.
(cd "$scratch/check/Pelvora" && exiv2 -et -l ../gallery/thumbnail *.jpg >/dev/null 2>&1) || true
for f in "$ready"/gallery/thumbnail/Tn_*.jpg; do
  name=${f##*/Tn_}
  cmp -s "$f" "$scratch/check/gallery/thumbnail/${name%.jpg}-thumb.jpg" ||
    { echo "exiv2's thumbnail of $name differs" >&2; exit 1; }
done

# The later states, as far as this build has the steps.
steps_built=()
for s in info data pages; do available "$s" && steps_built+=("$s"); done
with_data="$scratch/state-data" # ready, with the data scripts of ④
fresh "$ready" "$with_data"
if available data; then (cd "$with_data" && "$batch" data >/dev/null); fi
# ⑤ is timed on a gallery whose tiles and screen copies are made: nothing new.
if available pages; then (cd "$with_data" && "$batch" pages >/dev/null); fi

# --- Bytes read, untimed: rchar of the command and its children ---------------
# bytes_read STATE SUBDIR COMMAND
bytes_read() {
  fresh "$1" "$run_dir"
  "$timer" "$run_dir/$2" "$3" | awk '{ print $4 }'
}
# Each program's fixed reads (loading itself; Vornami's start-up reads its
# data files and first thumbnail) are measured on their own and taken off, so
# that what remains is what the step reads per photo.
declare -A read_total read_fixed
read_total[rename-vornami]=$(bytes_read "$unrenamed" . "'$batch' rename")
read_fixed[rename-vornami]=$(bytes_read "$unrenamed" . "'$batch' show")
read_total[rename-jhead]=$(bytes_read "$unrenamed" Pelvora 'jhead -n%Y_%m_%d_%H_%M_%S *.JPG')
read_total[rename-exiv2]=$(bytes_read "$unrenamed" Pelvora 'exiv2 -r %Y_%m_%d_%H_%M_%S rename *.JPG')
read_total[thumbs-vornami]=$(bytes_read "$renamed" . "'$batch' thumbnails")
# ② runs the start-up again at its end, with the new thumbnails.
read_fixed[thumbs-vornami]=$(($(bytes_read "$renamed" . "'$batch' show") +
  $(bytes_read "$ready" . "'$batch' show")))
read_total[thumbs-jhead]=$(bytes_read "$renamed" Pelvora 'jhead -st "../gallery/thumbnail/Tn_&i" *.jpg')
read_total[thumbs-exiv2]=$(bytes_read "$renamed" Pelvora 'exiv2 -et -l ../gallery/thumbnail *.jpg || true')
for s in "${steps_built[@]}"; do
  state=$ready
  [ "$s" = pages ] && state=$with_data
  read_total[$s-vornami]=$(bytes_read "$state" . "'$batch' $s")
  read_fixed[$s-vornami]=$(bytes_read "$state" . "'$batch' show")
done
jhead_fixed=$(bytes_read "$layout" . 'jhead -V')
exiv2_fixed=$(bytes_read "$layout" . 'exiv2 --version')
for key in rename thumbs; do
  read_fixed[$key-jhead]=$jhead_fixed
  read_fixed[$key-exiv2]=$exiv2_fixed
done

# --- Timed runs -------------------------------------------------------------------
echo "Timing: $runs runs each" >&2
for ((r = 1; r <= runs; r++)); do
  run_timed rename-vornami "$unrenamed" . "'$batch' rename"
  run_timed rename-jhead "$unrenamed" Pelvora 'jhead -n%Y_%m_%d_%H_%M_%S *.JPG'
  run_timed rename-exiv2 "$unrenamed" Pelvora 'exiv2 -r %Y_%m_%d_%H_%M_%S rename *.JPG'
  run_timed thumbs-vornami "$renamed" . "'$batch' thumbnails"
  run_timed thumbs-jhead "$renamed" Pelvora 'jhead -st "../gallery/thumbnail/Tn_&i" *.jpg'
  # exiv2 0.27 exits with the thumbnail's byte count modulo 256.
  run_timed thumbs-exiv2 "$renamed" Pelvora 'exiv2 -et -l ../gallery/thumbnail *.jpg' any
  for s in "${steps_built[@]}"; do
    state=$ready
    [ "$s" = pages ] && state=$with_data
    run_timed "$s-vornami" "$state" . "'$batch' $s"
  done
  run_timed show-vornami "$with_data" . "'$batch' show"
done

# --- Thumbnails made from phone-size pictures ----------------------------------
if [ "$phone_photos" -gt 0 ]; then
  echo "Generating $phone_photos phone photos" >&2
  "$build/bench/vornami_bench_photos" --phone --count "$phone_photos" "$scratch/phone"
  phone="$scratch/state-phone" # renamed, no thumbnails yet
  fresh "$layout" "$phone"
  ln "$scratch"/phone/*.JPG "$phone/Pelvora/"
  (cd "$phone" && "$batch" rename >/dev/null) || { echo "vornami-batch rename failed" >&2; exit 1; }
  fresh "$phone" "$scratch/check"
  (cd "$scratch/check" && "$batch" thumbnails >/dev/null)
  made=$(find "$scratch/check/gallery/thumbnail" -name 'Tn_*.jpg' -size +0 | wc -l)
  if [ "$made" -ne "$phone_photos" ]; then
    echo "vornami-batch thumbnails made $made of $phone_photos thumbnails" >&2
    exit 1
  fi
  echo "Timing phone photos: $phone_runs runs each" >&2
  for ((r = 1; r <= phone_runs; r++)); do
    run_timed made-vornami "$phone" . "'$batch' thumbnails"
    run_timed made-vips "$phone" Pelvora 'vipsthumbnail --size 160x120 -o ../gallery/thumbnail/Tn_%s.jpg *.jpg'
    # shellcheck disable=SC2016 # expanded by the timed shell
    run_timed made-magick "$phone" Pelvora \
      'for f in *.jpg; do convert "$f" -thumbnail 160x120 "../gallery/thumbnail/Tn_$f"; done'
  done

  # ⑤ on the same photos with their thumbnails and data, no tiles or copies yet.
  screens="$scratch/state-screens"
  fresh "$scratch/check" "$screens"
  (cd "$screens" && "$batch" data >/dev/null)
  fresh "$screens" "$scratch/check"
  (cd "$scratch/check" && "$batch" pages >/dev/null)
  tiles=$(find "$scratch/check/gallery/tile" -name '*.jpg' -size +0 | wc -l)
  copies=$(find "$scratch/check/gallery/screen" -name '*.jpg' -size +0 | wc -l)
  if [ "$tiles" -ne "$phone_photos" ] || [ "$copies" -ne "$phone_photos" ]; then
    echo "vornami-batch pages made $tiles tiles and $copies screen copies of $phone_photos" >&2
    exit 1
  fi
  for ((r = 1; r <= phone_runs; r++)); do
    run_timed screens-vornami "$screens" . "'$batch' pages"
    # libvips on every core it finds; quality 85 as ⑤'s. Absolute output
    # paths: vipsthumbnail takes an output name starting with "." for stdout.
    # shellcheck disable=SC2016 # expanded by the timed shell
    run_timed screens-vips "$screens" Pelvora \
      'vipsthumbnail --size 2048x2048 -o "$PWD/../gallery/screen/%s.jpg[Q=85]" *.jpg &&
       vipsthumbnail --size 320x240 -o "$PWD/../gallery/tile/%s.jpg[Q=85]" *.jpg'
  done
fi

# --- HEIF photos converted by ① ------------------------------------------------
if [ "$heif_photos" -gt 0 ]; then
  echo "Making $heif_photos HEIF photos" >&2
  samples="$here/../shared/samples"
  heif_src="$scratch/heif-src"
  mkdir -p "$heif_src"
  mapfile -t dated < <(cd "$samples" && for f in *.jpg; do
    jhead "$f" 2>/dev/null | grep -q '^Date/Time' && echo "$f"
  done)
  for ((i = 1; i <= heif_photos; i++)); do
    src=${dated[$(((i - 1) % ${#dated[@]}))]}
    name=$(printf 'IMG_%04d' "$i")
    # Landscape and portrait in turn, phone-sized, each with a time of its own.
    size=4032x3024
    [ $((i % 2)) -eq 0 ] && size=3024x4032
    convert "$samples/$src" -resize "$size!" -quality 95 "$heif_src/$name.jpg"
    jhead -norot -ts"2024:06:01-10:$(printf '%02d' $((i / 60))):$(printf '%02d' $((i % 60)))" \
      "$heif_src/$name.jpg" >/dev/null
    heif-enc -q 60 -p preset=fast -o "$heif_src/$name.heic" "$heif_src/$name.jpg" >/dev/null
    rm "$heif_src/$name.jpg"
  done
  heif_state="$scratch/state-heif"
  fresh "$layout" "$heif_state"
  ln "$heif_src"/*.heic "$heif_state/Pelvora/"
  fresh "$heif_state" "$scratch/check"
  # A sample without a shooting date stops the renaming after the conversion: that counts here.
  (cd "$scratch/check" && "$batch" rename >/dev/null) || true
  converted=$(ls "$scratch/check/Pelvora/HEIC" | wc -l)
  if [ "$converted" -ne "$heif_photos" ]; then
    echo "vornami-batch rename converted $converted of $heif_photos HEIF photos" >&2
    exit 1
  fi
  echo "Timing HEIF photos: $heif_runs runs each" >&2
  for ((r = 1; r <= heif_runs; r++)); do
    run_timed heif-vornami "$heif_state" . "'$batch' rename" any
    # shellcheck disable=SC2016 # expanded by the timed shell
    run_timed heif-convert "$heif_state" Pelvora \
      'for f in *.heic; do heif-convert -q 92 "$f" "${f%.heic}.jpg" >/dev/null; done'
  done
fi

preview=$("$build/bench/vornami_bench_preview" --steps "$steps" "$with_data")
preview_ms=$(sed -n 's/.*median \([0-9.]*\) ms.*/\1/p' <<<"$preview")

# --- Report --------------------------------------------------------------------
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
fs=$(df -T "$scratch" | awk 'NR == 2 { print $2 }')
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
ms() { awk -v s="$1" 'BEGIN { printf "%.1f", s * 1000 }'; }
cell() { echo "$(ms "$(median "$1" wall)") / $(ms "$(median "$1" cpu)")"; }
# jhead_ratio STEP wall|cpu: Vornami's median over jhead's, from the same runs
jhead_ratio() { echo "$(ratio "$(median "$1-vornami" "$2")" "$(median "$1-jhead" "$2")")×"; }
# kib_per_photo LABEL: the bytes the step read per photo beyond its fixed reads
kib_per_photo() {
  local total=${read_total[$1]:-} fixed=${read_fixed[$1]:-0}
  if [ -z "$total" ] || [ "$total" -lt 0 ]; then
    echo "n/a"
  else
    awk -v t="$total" -v f="$fixed" -v n="$photos" 'BEGIN { printf "%.1f", (t - f) / n / 1024 }'
  fi
}

echo
echo "- $photos photos of $(du -k "$scratch/photos/IMG_0001.JPG" | cut -f1) KB, median of $runs runs;" \
  "$(nproc) cores, $cpu; scratch on $fs; load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "- $(jhead -V 2>&1 | head -1), $(exiv2 --version 2>&1 | head -1), $(uname -sr)"
echo
echo "Times in ms, wall clock / processor (user + system); ratios of the medians."
echo
echo "| step | Vornami | jhead | exiv2 | ÷ jhead, wall | ÷ jhead, processor | target |"
echo "|---|---:|---:|---:|---:|---:|---|"
for pair in rename:"① rename":0.45 thumbs:"② thumbnails":0.55; do
  key=${pair%%:*} rest=${pair#*:}
  label=${rest%%:*} target=${rest#*:}
  echo "| $label | $(cell "$key-vornami") | $(cell "$key-jhead") | $(cell "$key-exiv2")" \
    "| $(jhead_ratio "$key" wall) | $(jhead_ratio "$key" cpu) | ≤ $target× |"
done
for s in info:"③ info" data:"④ data" pages:"⑤ pages"; do
  key=${s%%:*} label=${s#*:}
  if [ -s "$scratch/times/$key-vornami" ]; then
    echo "| $label | $(cell "$key-vornami") | | | | | < 100 ms |"
  else
    echo "| $label | not built yet | | | | | < 100 ms |"
  fi
done
echo "| start-up (\`show\`) | $(cell show-vornami) | | | | | |"
echo "| navigation step, median of $steps | $preview_ms | | | | | < 16 ms |"
if [ "$phone_photos" -gt 0 ]; then
  echo
  echo "Thumbnails made from the pictures: $phone_photos photos of 4032×3024 without an embedded" \
    "thumbnail, $(du -k "$scratch/phone/IMG_0001.JPG" | cut -f1) KB each, median of $phone_runs runs;" \
    "$(vipsthumbnail --vips-version 2>&1 | head -1), $(convert -version | head -1 | cut -d' ' -f2-3)."
  echo
  echo "| step | Vornami | vipsthumbnail | ImageMagick convert | ÷ vipsthumbnail, wall | ÷ vipsthumbnail, processor | ÷ convert, wall | target |"
  echo "|---|---:|---:|---:|---:|---:|---:|---|"
  echo "| ② thumbnails from pictures | $(cell made-vornami) | $(cell made-vips) | $(cell made-magick)" \
    "| $(ratio "$(median made-vornami wall)" "$(median made-vips wall)")×" \
    "| $(ratio "$(median made-vornami cpu)" "$(median made-vips cpu)")×" \
    "| $(ratio "$(median made-vornami wall)" "$(median made-magick wall)")× | ≤ 0.8× vipsthumbnail |"
  echo "| ⑤ pages, tiles and screen copies | $(cell screens-vornami) | $(cell screens-vips) |" \
    "| $(ratio "$(median screens-vornami wall)" "$(median screens-vips wall)")×" \
    "| $(ratio "$(median screens-vornami cpu)" "$(median screens-vips cpu)")× | | ≤ 0.8× vipsthumbnail |"
fi
if [ "$heif_photos" -gt 0 ]; then
  echo
  echo "HEIF photos converted by ①: $heif_photos photos (4032×3024 and 3024×4032, made from the" \
    "samples by heif-enc -q 60), $(du -k "$heif_src/IMG_0001.heic" | cut -f1) KB each, median of" \
    "$heif_runs runs; $(heif-convert --version 2>&1 | head -1)."
  echo
  echo "| step | Vornami | heif-convert -q 92 | ÷ heif-convert, wall | ÷ heif-convert, processor | target |"
  echo "|---|---:|---:|---:|---:|---|"
  echo "| ① rename with HEIF conversion | $(cell heif-vornami) | $(cell heif-convert)" \
    "| $(ratio "$(median heif-vornami wall)" "$(median heif-convert wall)")×" \
    "| $(ratio "$(median heif-vornami cpu)" "$(median heif-convert cpu)")× | ≤ 0.7× wall |"
fi
echo
echo "KiB read per photo (rchar, less each program's fixed reads: Vornami's start-up" \
  "$(awk -v b="${read_fixed[rename-vornami]}" 'BEGIN { printf "%.1f", b / 1024 }') KiB," \
  "jhead $(awk -v b="$jhead_fixed" 'BEGIN { printf "%.1f", b / 1024 }') KiB," \
  "exiv2 $(awk -v b="$exiv2_fixed" 'BEGIN { printf "%.1f", b / 1024 }') KiB)."
echo
echo "| step | Vornami | jhead | exiv2 | target |"
echo "|---|---:|---:|---:|---|"
echo "| ① rename | $(kib_per_photo rename-vornami) | $(kib_per_photo rename-jhead) | $(kib_per_photo rename-exiv2) | ≤ 16 KiB |"
echo "| ② thumbnails | $(kib_per_photo thumbs-vornami) | $(kib_per_photo thumbs-jhead) | $(kib_per_photo thumbs-exiv2) | ≤ 16 KiB |"
for s in info:"③ info" data:"④ data" pages:"⑤ pages"; do
  key=${s%%:*} label=${s#*:}
  echo "| $label | $(kib_per_photo "$key-vornami") | | | ≤ 16 KiB |"
done
echo
echo "navigation: $preview"
