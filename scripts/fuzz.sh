#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (in build-fuzz) and runs each one from its starting corpus
# in fuzz/corpus/<target>, for a fixed number of executions or seconds, one target at a time.
#
#   bash scripts/fuzz.sh                       every target, 1000000 executions each
#   bash scripts/fuzz.sh --runs 20000 fuzz_hive
#   bash scripts/fuzz.sh --seconds 3           a few seconds each (what ctest runs)
#   bash scripts/fuzz.sh --runs 1000000 --seconds 600   whichever comes first
#
# Prints one line per target: executions, seconds and executions per second, by the wall clock and
# by CPU time. New inputs that the fuzzer finds go to a scratch folder, not into the checked-in
# corpus; a failing input is kept as build-fuzz/fuzz/crash-* and the script stops with its status.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

runs=()
seconds=()
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=(-runs="$2"); shift 2 ;;
    --seconds) seconds=(-max_total_time="$2"); shift 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
# Both given: whichever comes first ends the run.
if [ ${#runs[@]} -eq 0 ] && [ ${#seconds[@]} -eq 0 ]; then
  runs=(-runs=1000000)
fi
limit=("${runs[@]}" "${seconds[@]}")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in fuzz/corpus/*/; do
    targets+=("$(basename "$dir")")
  done
fi

# One build at a time in build-fuzz: another run of this script (or anyone holding the same lock)
# may be building there.
mkdir -p build-fuzz
(
  flock 9
  if [ ! -f build-fuzz/CMakeCache.txt ]; then
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTOLVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
  cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}" >/dev/null
) 9>build-fuzz/.build.lock

# The targets write their scratch files under TMPDIR: a memory file system keeps them fast.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# CPU seconds (user + system) beside the wall-clock ones: on a busy machine the wall clock says
# more about the other processes than about the target.
printf '%-24s %10s %8s %8s %8s %8s\n' target execs seconds exec/s cpu-s exec/cpu-s
TIMEFORMAT='%U %S'
run() {
  (cd build-fuzz/fuzz && exec "./$1" "${limit[@]}" -max_len=1024 -timeout=60 -rss_limit_mb=4096 \
    -print_final_stats=1 "$scratch/$1" "$root/fuzz/corpus/$1")
}
for target in "${targets[@]}"; do
  mkdir -p "$scratch/$target"
  log="$scratch/$target.log"
  start=$(date +%s.%N)
  status=0
  { time run "$target" >"$log" 2>&1; } 2>"$log.cpu" || status=$?
  end=$(date +%s.%N)
  if [ $status -ne 0 ]; then
    tail -n 40 "$log"
    echo "$target failed (status $status)" >&2
    exit $status
  fi
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  read -r user system <"$log.cpu"
  awk -v t="$target" -v n="$execs" -v a="$start" -v b="$end" -v u="$user" -v y="$system" \
    'BEGIN { s = b - a; c = u + y; printf "%-24s %10d %8.0f %8.0f %8.0f %8.0f\n", t, n, s, n / s, c, n / c }'
done
