#!/bin/sh
# talvo-plot.exe --summary [--json] under Wine prints byte for byte what the Linux build prints:
# both are checked against the same committed outputs.
#   plot_summary.sh talvo-plot.exe
set -eu
exe=$(realpath "$1")
wine=$(ls /usr/lib/wine/wine64 2>/dev/null || command -v wine64 || command -v wine)
root=$(realpath "$(dirname "$0")/../..")
. "$(dirname "$0")/wine_prefix.sh"
"$root/tests/viewer/summary_golden.sh" "$root" "$wine" "$exe"
