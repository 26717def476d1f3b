#!/bin/sh
# Which viewer G KOD starts, under Wine with xdotool on an Xvfb display: with a stand-in for the
# outside viewer where the launcher batch looks, no talvo-plot.exe window opens (Wine's cmd cannot
# run the batch's "NCPlot.exe/ALANTEMIZLEME.TXT" line, so the batch's own run is seen in the
# in-process test); without it, a talvo-plot.exe window opens on C:\ALANTEMIZLEME.TXT.
#   viewer_start.sh talvo-zavodo.exe   (with talvo-plot.exe beside it)
set -eu
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
exe=$(realpath "$1")
[ -f "$(dirname "$exe")/talvo-plot.exe" ] || { echo "viewer_start: no talvo-plot.exe beside $exe"; exit 1; }
wine=$(ls /usr/lib/wine/wine64 2>/dev/null || command -v wine64 || command -v wine)
command -v xdotool >/dev/null || { echo "xdotool not found (tools/install-deps)"; exit 1; }
export LC_ALL=C.UTF-8
. "$(dirname "$0")/wine_prefix.sh"
drive_c=$WINEPREFIX/drive_c
outside="$drive_c/Program Files/NCPlot v2.05"

fail() { echo "viewer_start: $*"; exit 1; }
screen() { xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.5; }
viewer_shown() { xdotool search --onlyvisible --name 'ÇİZİM - ALANTEMIZLEME\.TXT$' >/dev/null 2>&1; }

cd "$scratch"
mkdir -p "$outside"
: > "$outside/NCPlot.exe"
"$wine" "$exe" &
menu=$(screen '^TALVO-ZAVODO V1.0$')
sleep 1
click "$menu" 89 105  # ICCAP
form4=$(screen '^İÇ ÇAP KESİMİ$')
[ -n "$form4" ] || fail "the inner circle screen did not open"
click "$form4" 98 102   # Text2, the hole diameter
xdotool type --delay 50 100
click "$form4" 354 142  # Text3, the start distance
xdotool type --delay 50 10

click "$form4" 376 404  # G KOD, the outside viewer in place
for _ in $(seq 50); do [ -s "$drive_c/A.BAT" ] && break; sleep 0.2; done
[ -s "$drive_c/A.BAT" ] || fail "G KOD wrote no C:\\A.BAT"
sleep 4
viewer_shown && fail "talvo-plot.exe opened although the outside viewer is there"

rm -rf "$outside"
started=$(date +%s%N)
click "$form4" 376 404  # G KOD, no outside viewer
for _ in $(seq 150); do viewer_shown && break; sleep 0.2; done
viewer_shown || fail "G KOD without the outside viewer opened no talvo-plot.exe window"
echo "talvo-plot.exe window shown $((($(date +%s%N) - started) / 1000000)) ms after G KOD (fresh prefix)"
echo "viewer_start: the batch with the outside viewer, talvo-plot.exe without it"
