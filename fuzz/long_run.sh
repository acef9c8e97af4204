#!/usr/bin/env bash
# A longer run of one harness by hand, at the lowest priority; it stops at the first crash:
#   fuzz/long_run.sh NAME [SECONDS]      (NAME: print_image, line_file, settings, ...)
# Needs the fuzz build (cmake --preset fuzz && cmake --build --preset fuzz). The corpus it
# grows stays in build/fuzz/fuzz/long/NAME/corpus for the next run; an input that crashed is in
# build/fuzz/fuzz/long/NAME/artifacts, the log in build/fuzz/fuzz/long/NAME/log.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
name=$1
seconds=${2:-600}
harness="$here/build/fuzz/fuzz/fuzz_$name"
work="$here/build/fuzz/fuzz/long/$name"
mkdir -p "$work/corpus" "$work/artifacts"
inputs=("$here/fuzz/corpus/$name")
[ -d "$here/fuzz/regressions/$name" ] && inputs+=("$here/fuzz/regressions/$name")
options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -len_control=0
         -artifact_prefix="$work/artifacts/")
[ -f "$here/fuzz/$name.dict" ] && options+=(-dict="$here/fuzz/$name.dict")
nice -n 19 "$harness" "${options[@]}" "$work/corpus" "${inputs[@]}" 2>&1 | tee "$work/log"
