#!/usr/bin/env bash
# Runs every libFuzzer target in DIR for SECONDS each, one result line per target.
#   scripts/run-fuzzers.sh build-fuzz/fuzz 60
# Each target starts from a scratch copy of fuzz/corpus/<name without fuzz_>, so the committed
# seeds are never written to. Logs, working corpora and crash inputs stay in DIR; a rerun
# clears the previous run's.
set -uo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 DIR SECONDS" >&2
  exit 2
fi
dir=$(cd "$1" && pwd) || exit 2
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
dict="$root/fuzz/records.dict"

# UBSan only reports by default; make every finding end the run so libFuzzer keeps the input.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-}"

shopt -s nullglob
targets=("$dir"/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "run-fuzzers: no fuzz target in $dir" >&2
  exit 1
fi

failed=0
for target in "${targets[@]}"; do
  [ -x "$target" ] && [ -f "$target" ] || continue
  name=$(basename "$target")
  seeds="$root/fuzz/corpus/${name#fuzz_}"
  work="$dir/work/$name"
  artifacts="$dir/artifacts/$name"
  log="$dir/$name.log"
  rm -rf "$work" "$artifacts"
  mkdir -p "$work" "$artifacts"
  if [ -d "$seeds" ]; then
    cp -- "$seeds"/* "$work"/ 2>/dev/null
  fi
  args=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1
        -artifact_prefix="$artifacts/")
  [ -f "$dict" ] && args+=(-dict="$dict")

  "$target" "${args[@]}" "$work" >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
  if [ $rc -eq 0 ]; then
    printf 'fuzz %-14s ok      %ss, %s runs, %s, corpus %s files\n' \
      "$name" "$seconds" "${runs:-?}" "${cov:-cov: ?}" "$(ls "$work" | wc -l)"
  else
    failed=1
    crash=$(ls -t "$artifacts" 2>/dev/null | head -n 1)
    printf 'fuzz %-14s FAILED  exit %d%s, log %s\n' "$name" "$rc" \
      "${crash:+, input $artifacts/$crash}" "$log"
    tail -n 40 "$log" | sed 's/^/    /'
  fi
done
exit $failed
