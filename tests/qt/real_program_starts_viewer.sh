#!/bin/sh
# The build tree runs like the installed program: the real talvo-zavodo of bin/, driven by mouse
# and keyboard on a virtual X display, writes an inner circle on G KOD and starts the real
# talvo-plot of bin/ on the ProgramFile, with no TALVO_VIEWER and no talvo-plot on PATH.
# Usage: real_program_starts_viewer.sh BIN_DIR
set -eu
bin=$(cd "$1" && pwd)
for tool in xvfb-run xdotool; do
  command -v $tool >/dev/null || { echo "$tool not found (Debian packages xvfb, xdotool)"; exit 1; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/root"

cat > "$scratch/drive.sh" <<'DRIVE'
#!/bin/sh
set -eu
bin=$1 root=$2
fail() { echo "$*"; exit 1; }
if command -v talvo-plot >/dev/null 2>&1; then fail "PATH holds a talvo-plot: $(command -v talvo-plot)"; fi

"$bin/talvo-zavodo" &
program=$!
# The operator's clicks and keys, at the places the screens put their controls (96 dpi).
# Each window is given a moment after it maps, as a person would before the first click.
menu=$(timeout 20 xdotool search --sync --onlyvisible --name '^TALVO-ZAVODO V1.0$' | head -n 1)
sleep 0.5
xdotool mousemove --window "$menu" 80 100 click 1            # ICCAP, the inner circle
screen=$(timeout 20 xdotool search --sync --onlyvisible --name '^İÇ ÇAP KESİMİ$' | head -n 1)
sleep 0.5
xdotool mousemove --window "$screen" 96 102 click 1 type --delay 20 '100'  # Text2, the hole diameter
xdotool mousemove --window "$screen" 352 142 click 1 type --delay 20 '10'  # Text3, the start distance
xdotool mousemove --window "$screen" 376 404 click 1         # G KOD

viewer=
for _ in $(seq 100); do
  for pid in $(pgrep -x talvo-plot || true); do
    # Another test's talvo-plot (a benchmark's export) may have ended since pgrep saw it.
    args=$(tr '\0' ' ' 2>/dev/null < /proc/$pid/cmdline) || continue
    [ "$args" = "$bin/talvo-plot $root/ALANTEMIZLEME.TXT " ] && viewer=$pid
  done
  [ -n "$viewer" ] && break
  sleep 0.1
done
status=0
if [ -n "$viewer" ]; then
  echo "talvo-plot started on the ProgramFile: $(readlink /proc/$viewer/exe)"
  [ "$(readlink /proc/$viewer/exe)" = "$bin/talvo-plot" ] || { echo "not the talvo-plot of the build tree"; status=1; }
  timeout 20 xdotool search --sync --pid "$viewer" >/dev/null || { echo "talvo-plot shows no window"; status=1; }
  kill "$viewer"
else
  echo "no talvo-plot was started on $root/ALANTEMIZLEME.TXT"; status=1
  ls -l "$root"
fi
kill "$program"
exit $status
DRIVE

env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$scratch" TALVO_ROOT="$scratch/root" \
  xvfb-run -a -s '-screen 0 1280x1024x24' sh "$scratch/drive.sh" "$bin" "$scratch/root"

expected=$(printf 'G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%%\r\n\r\nend')
actual=$(cat "$scratch/root/ALANTEMIZLEME.TXT"; printf end)
[ "$actual" = "$expected" ] || { echo "the ProgramFile is not the inner circle program:"; cat -A "$scratch/root/ALANTEMIZLEME.TXT"; exit 1; }
echo "G KOD wrote the program and started the build tree's talvo-plot"
