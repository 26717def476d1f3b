#!/bin/sh
# The Windows build of talvo-gcode does not replace a read-only A.BAT or ALANTEMIZLEME.TXT at C:\:
# the run fails with the file message naming it, and both files stay as they were with nothing
# staged left beside them.
set -eu
exe=$1
wine=$(ls /usr/lib/wine/wine64 2>/dev/null || command -v wine64 || command -v wine || true)
[ -f "$exe" ] || { echo "no Windows build at $exe"; exit 1; }
[ -n "$wine" ] || { echo "wine not found (Debian package wine64)"; exit 1; }
. "$(dirname "$0")/wine_prefix.sh"
drive_c="$WINEPREFIX/drive_c"
status=0
for readonly in A.BAT ALANTEMIZLEME.TXT; do
  printf 'earlier launcher' > "$drive_c/A.BAT"
  printf 'earlier program' > "$drive_c/ALANTEMIZLEME.TXT"
  "$wine" cmd /c attrib +r "C:\\$readonly" >/dev/null 2>&1
  if "$wine" "$exe" inner-circle --diameter 100 --start 10 --write > "$scratch/out" 2> "$scratch/err"; then
    echo "a read-only $readonly was replaced"; status=1
  fi
  grep -q "DOSYA YAZILAMADI: C:\\\\$readonly: " "$scratch/err" || {
    echo "no file message naming C:\\$readonly:"; cat "$scratch/err"; status=1; }
  [ "$(cat "$drive_c/A.BAT")" = "earlier launcher" ] || { echo "A.BAT changed ($readonly read-only)"; status=1; }
  [ "$(cat "$drive_c/ALANTEMIZLEME.TXT")" = "earlier program" ] || {
    echo "ALANTEMIZLEME.TXT changed ($readonly read-only)"; status=1; }
  if ls "$drive_c" | grep -q '\.tmp$'; then echo "a staged file was left at C:\\"; status=1; fi
  "$wine" cmd /c attrib -r "C:\\$readonly" >/dev/null 2>&1
done
[ $status -eq 0 ] && echo "read-only files at C:\\ left as they were"
exit $status
