#!/bin/sh
# The Windows installer under Wine, in a fresh prefix: a silent install puts every program, the
# README, the uninstaller and the Start-menu entry in place and lists it under the installed
# programs; the installed talvo-gcode.exe prints a program and talvo-zavodo.exe opens its menu;
# the silent uninstall takes all of it away again.
#   installer.sh SETUP.EXE PROGRAM.EXE...
set -eu
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
setup=$(realpath "$1")
shift
wine=$(ls /usr/lib/wine/wine64 2>/dev/null || command -v wine64 || command -v wine || true)
[ -n "$wine" ] || { echo "wine not found (Debian package wine64)"; exit 1; }
command -v xdotool >/dev/null || { echo "xdotool not found (tools/install-deps)"; exit 1; }
export LC_ALL=C.UTF-8
. "$(dirname "$0")/wine_prefix.sh"
wineserver="$(dirname "$wine")/wineserver"
folder="$WINEPREFIX/drive_c/Program Files/TALVO-ZAVODO"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/TALVO-ZAVODO V1.0.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TALVO-ZAVODO'
fail() { echo "installer: $*"; exit 1; }
cd "$scratch"

"$wine" "$setup" /S || fail "the silent install ended with status $?"
"$wineserver" -w
for file in "$@" README.txt uninstall.exe; do
  [ -f "$folder/$file" ] || fail "$file was not installed"
done
[ -f "$shortcut" ] || fail "no Start-menu entry"
strings -el "$shortcut" | grep -q 'TALVO-ZAVODO\\talvo-zavodo.exe$' || fail "the Start-menu entry does not start the program"
"$wine" reg query "$key" /v QuietUninstallString 2>/dev/null | grep -q 'uninstall.exe" /S' ||
  fail "not listed under the installed programs"

"$wine" "C:\\Program Files\\TALVO-ZAVODO\\talvo-gcode.exe" inner-circle --diameter 100 --start 10 |
  tr -d '\r' > program.txt
printf 'G0X0Y0\nG0Y-38\nG1Y-48F300\nG2J48F300\nM30\n%%\n' > expected.txt
cmp program.txt expected.txt || fail "the installed talvo-gcode.exe printed $(cat program.txt)"

"$wine" "C:\\Program Files\\TALVO-ZAVODO\\talvo-zavodo.exe" &
program=$!
menu=$(timeout 60 xdotool search --sync --onlyvisible --name '^TALVO-ZAVODO V1.0$' 2>/dev/null | head -n 1) || true
[ -n "$menu" ] || fail "the installed talvo-zavodo.exe showed no menu"
sleep 1
xdotool mousemove --window "$menu" 352 232 click 1  # ÇIKIŞ
for _ in $(seq 50); do kill -0 $program 2>/dev/null || break; sleep 0.2; done
kill -0 $program 2>/dev/null && fail "ÇIKIŞ did not end the installed talvo-zavodo.exe"
wait $program || fail "the installed talvo-zavodo.exe ended with status $?"

# The uninstaller runs from a copy of itself in the temporary folder: wait for every process.
"$wine" "C:\\Program Files\\TALVO-ZAVODO\\uninstall.exe" /S || fail "the silent uninstall ended with status $?"
"$wineserver" -w
for file in "$@" README.txt uninstall.exe; do
  [ ! -e "$folder/$file" ] || fail "$file stayed after the uninstall"
done
[ ! -e "$folder" ] || fail "the install folder stayed after the uninstall"
[ ! -e "$shortcut" ] || fail "the Start-menu entry stayed after the uninstall"
! "$wine" reg query "$key" >/dev/null 2>&1 || fail "still listed under the installed programs"
echo "installer: install → $* → talvo-gcode.exe prints, talvo-zavodo.exe opens → uninstall leaves nothing"
