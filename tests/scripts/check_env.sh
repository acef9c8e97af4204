# shellcheck shell=bash disable=SC2034  # the variables are the sourcing check's
# The start of the shell checks run as NAME.sh QORVANA QORVANA_DEMO: a work folder removed at
# the end, the program offscreen, `here` the folder of the checks, `failures` counted.
set -uo pipefail
qorvana=$1
demo=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/qorvana-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
failures=0
