#!/usr/bin/env bash
# Runs one operator script against a demo company made fresh for it (see README.md); QORXPDF,
# when set, is installed as \qorwin\qorwin\qorxpdf of the drive.
#   run_script.sh QORVANA QORVANA_DEMO SCRIPT.qrs
set -euo pipefail

if [ $# -ne 3 ]; then
    echo "usage: run_script.sh QORVANA QORVANA_DEMO SCRIPT.qrs" >&2
    exit 2
fi
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
qorvana=$(absolute "$1")
demo=$(absolute "$2")
script=$(absolute "$3")
checks=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/qorvana-script.XXXXXX")
if [ "${QORVANA_KEEP:-0}" = 1 ]; then
    echo "work folder: $work"
else
    trap 'rm -rf "$work"' EXIT
fi

demo_args=()
first_line=$(head -n 1 "$script")
if [[ $first_line == "#! demo:"* ]]; then
    read -r -a demo_args <<<"${first_line#"#! demo:"}"
fi

drive=$work/drive
mkdir -p "$drive/print"
"$demo" --drive "$drive" "${demo_args[@]}" >"$work/demo.log" 2>&1 || {
    cat "$work/demo.log" >&2
    echo "run_script: the demo maker failed" >&2
    exit 1
}

# The PDF program, where the module starts it, when the build made one.
if [ -n "${QORXPDF:-}" ]; then
    cp "$QORXPDF" "$drive/qorwin/qorwin/qorxpdf"
fi
# run_step STEP: runs SCRIPT.STEP.py when it exists.
run_step() {
    local file=${script%.qrs}.$1.py
    if [ -f "$file" ]; then
        REPLAY_OUTPUT=${REPLAY_OUTPUT:-} DRIVE=$drive COMPANY=$drive/qorwin/qorwin/qoraz0.001 PRINT=$drive/print \
            PYTHONPATH=$(dirname "$script") PYTHONDONTWRITEBYTECODE=1 python3 "$file"
    fi
}
run_step prepare

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
cd "$work"
"$qorvana" --drive "$drive" --company 1 --now "06/12/2026 10:00" --print-to "$drive/print" \
    --replay "$script" | tee "$work/replay.out"
REPLAY_OUTPUT=$work/replay.out run_step check
# Every e-invoice of a stored document says what the document says.
COMPANY=$drive/qorwin/qorwin/qoraz0.001 PYTHONDONTWRITEBYTECODE=1 \
    python3 "$checks/einvoice_agreement.py"
