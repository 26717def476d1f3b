#!/bin/sh
# Runs a Windows program under Wine in a Wine prefix of its own, on an Xvfb display of its own
# when none is given, from a folder on Wine's drive Z:. Exits with the program's status.
set -eu
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
wine=$(ls /usr/lib/wine/wine64 2>/dev/null || command -v wine64 || command -v wine || true)
[ -n "$wine" ] || { echo "wine not found (Debian package wine64)"; exit 1; }
. "$(dirname "$0")/wine_prefix.sh"
# Wine's own desktop window: its windows get frames without a window manager, and showing one
# does not wait for a window manager that Xvfb lacks.
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
program=$(realpath "$1")
shift
cd "$scratch"
status=0
"$wine" "$program" "$@" || status=$?
exit $status
