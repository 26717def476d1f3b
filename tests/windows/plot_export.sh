#!/bin/sh
# talvo-plot.exe --export under Wine: a PNG of the size asked (its IHDR), written even when a
# line is refused (exit 1) and from a file with Turkish letters in its name, and the refusals of
# a wrong size or an unreadable file.
#   plot_export.sh talvo-plot.exe
set -eu
exe=$(realpath "$1")
wine=$(ls /usr/lib/wine/wine64 2>/dev/null || command -v wine64 || command -v wine)
. "$(dirname "$0")/wine_prefix.sh"
cd "$scratch"
fail() { echo "plot_export: $*"; exit 1; }
# The PNG's width and height, from its IHDR chunk: bytes 16 to 23, big-endian.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }
status() { s=0; "$wine" "$exe" "$@" >out.txt 2>err.txt || s=$?; echo $s; }

printf 'G0X0Y0\r\nG1X40Y10F300\r\nG2X40Y30J10\r\nM30\r\n' > job.nc
printf 'G0X0Y0\r\nG1X40Y10F300\r\nG1X[1/0]\r\nM30\r\n' > refused.nc
for size in 321x123 16x16 1200x800; do
  rm -f out.png
  [ "$(status job.nc --export out.png --size $size)" = 0 ] || fail "--size $size failed: $(cat err.txt)"
  [ "$(head -c 8 out.png | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "--size $size wrote no PNG"
  [ "$(png_size out.png)" = "$size" ] || fail "--size $size wrote $(png_size out.png)"
done
rm -f out.png
[ "$(status refused.nc --export out.png --size 200x100)" = 1 ] || fail "a refused line did not give exit 1"
grep -q 'refused.nc:3:' err.txt || fail "the refused line was not named: $(cat err.txt)"
[ "$(png_size out.png)" = 200x100 ] || fail "the picture of the rest was not written"
for wrong in 15x100 100x16385 big; do
  [ "$(status job.nc --export out.png --size $wrong)" = 1 ] || fail "--size $wrong was taken"
  grep -q "BOYUT GEÇERSİZ: $wrong" err.txt || fail "--size $wrong: $(cat err.txt)"
done
[ "$(status missing.nc --export out.png)" = 1 ] || fail "a missing file was taken"
# A file name with Turkish letters, which the ANSI code page may lack.
cp job.nc "çizim-ş.nc"
rm -f out.png
[ "$(status "çizim-ş.nc" --export out.png --size 64x32)" = 0 ] || fail "a Turkish file name: $(cat err.txt)"
[ "$(png_size out.png)" = 64x32 ] || fail "a Turkish file name gave no picture"
echo "plot_export: PNG sizes, refused lines and wrong sizes as on Linux"
