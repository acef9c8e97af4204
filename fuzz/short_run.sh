#!/usr/bin/env bash
# A short libFuzzer run of one harness, for the test command:
#   short_run.sh HARNESS WORKDIR SEEDS REGRESSIONS
# Starts from the seeds and the regression inputs (a folder that does not exist is left out),
# keeps what it finds in WORKDIR, and fails when an input crashes or trips a sanitizer; the
# input is then in WORKDIR/artifacts. FUZZ_SECONDS sets the length (default 5).
set -euo pipefail
harness=$1
work=$2
shift 2
rm -rf "$work/corpus"
mkdir -p "$work/corpus" "$work/artifacts"
inputs=()
for dir in "$@"; do
    [ -d "$dir" ] && inputs+=("$dir")
done
options=(-max_total_time="${FUZZ_SECONDS:-5}" -seed="${FUZZ_SEED:-1}" -timeout=10
         -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/artifacts/")
dict="$(dirname "$0")/$(basename "$harness" | sed 's/^fuzz_//').dict"
[ -f "$dict" ] && options+=(-dict="$dict")
exec "$harness" "${options[@]}" "$work/corpus" "${inputs[@]}"
