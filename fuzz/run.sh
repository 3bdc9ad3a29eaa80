#!/usr/bin/env bash
# Builds and runs the libFuzzer targets (clang, ASan + UBSan). Run from anywhere:
#
#   fuzz/run.sh build                  configure and build the fuzz targets in build-fuzz/
#   fuzz/run.sh seed                   rebuild fuzz/corpus/<target>/ from the sample photos and
#                                      the synthetic fixtures, minimised with -merge=1
#   fuzz/run.sh run TARGET [SECONDS]   fuzz one target (default 600 s), then merge what it found
#                                      into fuzz/corpus/TARGET/ (minimised again)
#   fuzz/run.sh all [SECONDS]          run every target in turn
#   fuzz/run.sh replay                 replay every corpus and regression input once
#
# A run works on build-fuzz/work/TARGET/ (started from the committed corpus) and
# writes crashing inputs to build-fuzz/findings/TARGET/ and its log to
# build-fuzz/logs/TARGET.log; the last lines of the log give executions
# (stat::number_of_executed_units) and coverage (cov:, ft:). A crashing input
# belongs in tests/data/regressions/TARGET/ once its cause is fixed.
# Extra libFuzzer flags for a run go in VORNAMI_FUZZ_FLAGS (e.g. "-len_control=0"
# to try long inputs at once). The machine's cores are shared: runs use one
# process each.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-fuzz"
samples="${VORNAMI_SAMPLES:-$here/../shared/samples}"
targets=(exif_walk date_thumbnail data_tables jpeg_decoder heif_convert)

# Only the targets whose sources exist in this tree.
present_targets() {
  for t in "${targets[@]}"; do
    [ -f "$here/fuzz/$t.cpp" ] && echo "$t"
  done
}

max_len() {
  case $1 in
    exif_walk | date_thumbnail) echo 65600 ;;  # a photo offers its first 65,536 bytes
    heif_convert) echo 65536 ;;                # small HEIF photos reach every box
    jpeg_decoder) echo 32769 ;;                # a thumbnail holds at most 32,768
    *) echo 16384 ;;
  esac
}

fuzzer_flags() {
  local t=$1
  local flags=(-max_len="$(max_len "$t")" -timeout=10 -rss_limit_mb=2048 ${VORNAMI_FUZZ_FLAGS:-})
  [ -f "$here/fuzz/$t.dict" ] && flags+=(-dict="$here/fuzz/$t.dict")
  echo "${flags[@]}"
}

do_build() {
  CC=clang CXX=clang++ cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORNAMI_FUZZ=ON -DVORNAMI_GUI=OFF -DVORNAMI_TESTS=OFF >/dev/null
  local build_targets=(fuzz_seeds)
  for t in $(present_targets); do build_targets+=("fuzz_$t"); done
  cmake --build "$build" -j2 --target "${build_targets[@]}"
}

# Replaces fuzz/corpus/TARGET with the smallest set of the given inputs that
# keeps their coverage.
merge_into_corpus() {
  local t=$1
  shift
  local fresh="$build/merge/$t"
  rm -rf "$fresh"
  mkdir -p "$fresh" "$here/fuzz/corpus/$t"
  "$build/fuzz/fuzz_$t" -merge=1 $(fuzzer_flags "$t") "$fresh" "$@" >"$build/logs/$t.merge.log" 2>&1
  rm -rf "$here/fuzz/corpus/$t"
  mv "$fresh" "$here/fuzz/corpus/$t"
  echo "$t: $(ls "$here/fuzz/corpus/$t" | wc -l) inputs, $(du -sh "$here/fuzz/corpus/$t" | cut -f1)"
}

do_seed() {
  mkdir -p "$build/logs"
  local seeds="$build/seeds"
  rm -rf "$seeds"
  # The photos as the readers see them (their first 65,536 bytes) and their thumbnails.
  mkdir -p "$seeds/photos"
  local photos=()
  if [ -d "$samples" ]; then
    photos=("$samples"/*.jpg)
    for f in "${photos[@]}"; do head -c 65536 "$f" >"$seeds/photos/$(basename "$f")"; done
  else
    echo "no sample photos in $samples; seeding from the fixtures alone" >&2
  fi
  "$build/fuzz/fuzz_seeds" "$seeds" "${photos[@]}"
  for t in $(present_targets); do
    local inputs=("$seeds/$t")
    case $t in
      exif_walk | date_thumbnail) inputs+=("$seeds/photos") ;;
      jpeg_decoder) inputs+=("$here/tests/data/jpeg") ;;  # cjpeg fixtures of every layout
    esac
    [ -d "$here/fuzz/corpus/$t" ] && inputs+=("$here/fuzz/corpus/$t")
    local existing=()
    for d in "${inputs[@]}"; do [ -d "$d" ] && existing+=("$d"); done
    merge_into_corpus "$t" "${existing[@]}"
  done
}

do_run() {
  local t=$1 seconds=${2:-600}
  local work="$build/work/$t" findings="$build/findings/$t/"
  mkdir -p "$work" "$findings" "$build/logs"
  cp -n "$here/fuzz/corpus/$t"/* "$work"/ 2>/dev/null || true
  echo "fuzzing $t for $seconds s (log: $build/logs/$t.log)"
  local status=0
  "$build/fuzz/fuzz_$t" $(fuzzer_flags "$t") -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings" "$work" >"$build/logs/$t.log" 2>&1 || status=$?
  grep -E '^#[0-9]+' "$build/logs/$t.log" | tail -1 || true
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$build/logs/$t.log" || true
  if [ $status -ne 0 ]; then
    echo "$t: FINDING (exit $status); inputs in $findings, see $build/logs/$t.log" >&2
    return $status
  fi
  merge_into_corpus "$t" "$here/fuzz/corpus/$t" "$work"
}

do_replay() {
  local status=0
  for t in $(present_targets); do
    local dirs=("$here/fuzz/corpus/$t")
    [ -d "$here/tests/data/regressions/$t" ] && dirs+=("$here/tests/data/regressions/$t")
    "$build/fuzz/fuzz_$t" -runs=0 "${dirs[@]}" >"$build/logs/$t.replay.log" 2>&1 || {
      echo "$t: replay failed, see $build/logs/$t.replay.log" >&2
      status=1
    }
  done
  return $status
}

case ${1:-} in
  build) do_build ;;
  seed) do_seed ;;
  run) do_run "${2:?target}" "${3:-600}" ;;
  all)
    for t in $(present_targets); do do_run "$t" "${2:-600}"; done
    ;;
  replay) mkdir -p "$build/logs" && do_replay ;;
  *)
    sed -n '2,19p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
