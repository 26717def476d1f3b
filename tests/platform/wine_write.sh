#!/bin/sh
# The Windows build of talvo-gcode, run under Wine without TALVO_ROOT, writes both files at the
# root of drive C: byte for byte as the Linux build does, a second time over the files of the first
# (the files are replaced by MoveFileExW), with nothing staged left beside them.
set -eu
exe=$1
native=$2
wine=$(command -v wine || command -v wine64 || ls /usr/lib/wine/wine64 2>/dev/null || true)
[ -f "$exe" ] || { echo "no Windows build at $exe"; exit 1; }
[ -n "$wine" ] || { echo "wine not found (Debian package wine64)"; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all HOME="$scratch"
unset TALVO_ROOT || true
for run in first second; do
  "$wine" "$exe" outer-rectangle --size-x 120.1234 --size-y 60 --start 8 --flame 3 --feed 450 --write > "$scratch/wine-out" 2>"$scratch/wine-err" || {
    echo "the $run run failed:"; cat "$scratch/wine-err"; exit 1; }
done
mkdir "$scratch/native"
TALVO_ROOT="$scratch/native" "$native" outer-rectangle --size-x 120.1234 --size-y 60 --start 8 --flame 3 --feed 450 --write > "$scratch/native-out"
status=0
for f in ALANTEMIZLEME.TXT A.BAT; do
  cmp "$WINEPREFIX/drive_c/$f" "$scratch/native/$f" || { echo "$f differs or is missing at C:\\"; status=1; }
done
cmp "$scratch/wine-out" "$scratch/native-out" || { echo "standard output differs"; status=1; }
if ls "$WINEPREFIX/drive_c" | grep -q '\.tmp$'; then echo "a staged file was left at C:\\"; status=1; fi
[ $status -eq 0 ] && echo "both files at C:\\ byte for byte"
exit $status
