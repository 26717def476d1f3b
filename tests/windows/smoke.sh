#!/bin/sh
# talvo-zavodo.exe under Wine driven as a person would, with xdotool on an Xvfb display: the menu,
# each screen (a screenshot of each into SHOTS), values typed into the inner circle screen,
# G KOD, both files at Wine's drive C: byte for byte, talvo-plot.exe on the program, ANA MENÜ, and
# ÇIKIŞ ends the program.
#   smoke.sh talvo-zavodo.exe SHOTS
set -eu
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
exe=$(realpath "$1")
shots=$2
mkdir -p "$shots"
wine=$(ls /usr/lib/wine/wine64 2>/dev/null || command -v wine64 || command -v wine)
for tool in xdotool import; do
  command -v $tool >/dev/null || { echo "$tool not found (tools/install-deps)"; exit 1; }
done
export LC_ALL=C.UTF-8
. "$(dirname "$0")/wine_prefix.sh"
drive_c=$WINEPREFIX/drive_c

fail() { echo "smoke: $*"; exit 1; }

# The window whose name matches, once it is shown; each screen's X window is its client area.
screen() {
  xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1
}
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.5; }
gone() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  return 1
}

cd "$scratch"
started=$(date +%s%N)
"$wine" "$exe" &
program=$!
menu=$(screen '^TALVO-ZAVODO V1.0$')
echo "menu shown after $((($(date +%s%N) - started) / 1000000)) ms (cold start, fresh prefix)"
sleep 1
import -window "$menu" "$shots/Form1.png"

# Each cut screen from its menu picture, photographed, and back with ANA MENÜ (window pixels).
visit() {  # x of the menu picture, caption, screen name
  click "$menu" "$1" 100
  win=$(screen "^$2\$")
  [ -n "$win" ] || fail "$2 did not open"
  sleep 1
  import -window "$win" "$shots/$3.png"
  click "$win" 516 404  # ANA MENÜ
  menu=$(screen '^TALVO-ZAVODO V1.0$')
  [ -n "$menu" ] || fail "ANA MENÜ did not bring the menu back from $3"
}
visit 266 'DIŞ ÇAP KESİMİ' Form11
visit 442 'İÇ DÖRT KÖŞE KESİMİ' Form8
visit 619 'DIŞ DÖRT KÖŞE KESİMİ' Form12

click "$menu" 89 105  # ICCAP
form4=$(screen '^İÇ ÇAP KESİMİ$')
[ -n "$form4" ] || fail "the inner circle screen did not open"
click "$form4" 98 102   # Text2, the hole diameter
xdotool type --delay 50 100
click "$form4" 354 142  # Text3, the start distance
xdotool type --delay 50 10
sleep 0.5
import -window "$form4" "$shots/Form4.png"
click "$form4" 376 404  # G KOD
for _ in $(seq 50); do [ -s "$drive_c/ALANTEMIZLEME.TXT" ] && break; sleep 0.2; done
printf 'G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%%\r\n\r\n' > "$scratch/expected.txt"
printf 'Cls\r\nCD\\\r\nCls\r\ncd\\\r\ncd Program Files\r\ncd NCPlot v2.05\r\nNCPlot.exe/ALANTEMIZLEME.TXT\r\nCls\r\nexit/b\r\n' \
  > "$scratch/expected.bat"
cmp "$drive_c/ALANTEMIZLEME.TXT" "$scratch/expected.txt" || fail "C:\\ALANTEMIZLEME.TXT differs"
cmp "$drive_c/A.BAT" "$scratch/expected.bat" || fail "C:\\A.BAT differs"
# Without the outside viewer, talvo-plot.exe beside the program opens on the program file; it
# is photographed and closed, so it covers no screen.
viewer=$(screen 'ÇİZİM - ALANTEMIZLEME\.TXT$')
[ -n "$viewer" ] || fail "G KOD opened no talvo-plot.exe window on the program"
sleep 1
import -window "$viewer" "$shots/talvo-plot.png"
"$wine" taskkill /IM talvo-plot.exe >/dev/null 2>&1 || fail "talvo-plot.exe could not be closed"
gone 'ÇİZİM - ALANTEMIZLEME\.TXT$' || fail "talvo-plot.exe stayed open"
import -window "$form4" "$shots/Form4-run.png"

click "$form4" 516 404  # ANA MENÜ
menu=$(screen '^TALVO-ZAVODO V1.0$')
[ -n "$menu" ] || fail "ANA MENÜ did not bring the menu back"
gone '^İÇ ÇAP KESİMİ$' || fail "the inner circle screen stayed open"
click "$menu" 352 232  # ÇIKIŞ
for _ in $(seq 50); do kill -0 $program 2>/dev/null || break; sleep 0.2; done
kill -0 $program 2>/dev/null && fail "ÇIKIŞ did not end the program"
wait $program || fail "the program ended with status $?"
echo "smoke: menu → screens → G KOD → files at C:\\ → ANA MENÜ → ÇIKIŞ; screenshots in $shots"
