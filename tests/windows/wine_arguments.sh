#!/bin/sh
# The Windows build of talvo-gcode reads every argument as the Linux build does: the same
# standard output, standard error and exit status for each command line of the table, letters
# beyond ASCII and look-alike digits included (the narrow command line of Windows would turn
# full-width digits into digits and garble Turkish letters). Messages are compared without the CR
# that Windows puts at the end of a text line.
set -eu
exe=$1
native=$2
wine=$(ls /usr/lib/wine/wine64 2>/dev/null || command -v wine64 || command -v wine || true)
[ -f "$exe" ] || { echo "no Windows build at $exe"; exit 1; }
[ -n "$wine" ] || { echo "wine not found (Debian package wine64)"; exit 1; }
. "$(dirname "$0")/wine_prefix.sh"
status=0
compare() {
  "$wine" "$exe" "$@" > "$scratch/wine-out" 2> "$scratch/wine-err.crlf" && wine_status=0 || wine_status=$?
  # Messages end their lines as text does on Windows; the program itself is written in binary.
  tr -d '\r' < "$scratch/wine-err.crlf" > "$scratch/wine-err"
  "$native" "$@" > "$scratch/native-out" 2> "$scratch/native-err" && native_status=0 || native_status=$?
  if [ "$wine_status" != "$native_status" ] || ! cmp -s "$scratch/wine-out" "$scratch/native-out" ||
     ! cmp -s "$scratch/wine-err" "$scratch/native-err"; then
    echo "differs for: $*"
    echo "  Linux ($native_status):"; cat "$scratch/native-out" "$scratch/native-err" | sed 's/^/    /'
    echo "  Windows ($wine_status):"; cat "$scratch/wine-out" "$scratch/wine-err" | sed 's/^/    /'
    status=1
  fi
}
compare inner-circle --diameter 100 --start 10
compare inner-circle --diameter "１２３" --start 10
compare outer-circle --diameter 80 --start "１０"
compare iç-daire --diameter 100
compare inner-rectangle --size-x 200 --size-y "100,5" --start "İ10"
compare outer-rectangle --size-x "2 00" --size-y 60 --start 8 --flame "³" --feed 450
compare inner-circle --diameter 100 "--başla" 10
[ $status -eq 0 ] && echo "every command line read alike"
exit $status
