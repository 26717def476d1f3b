#!/bin/sh
# Installs the build into a scratch prefix and checks the tree an operator's desktop relies on.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
status=0
for f in bin/talvo-zavodo bin/talvo-plot bin/talvo-gcode; do
  [ -x "$prefix/$f" ] || { echo "missing program: $f"; status=1; }
done
desktop="$prefix/share/applications/talvo-zavodo.desktop"
[ -f "$desktop" ] || { echo "missing desktop entry"; status=1; }
grep -qx 'Name=TALVO-ZAVODO V1.0' "$desktop" || { echo "desktop entry without its name"; status=1; }
grep -qx 'Exec=talvo-zavodo' "$desktop" || { echo "desktop entry does not start the program"; status=1; }
grep -qx 'Icon=talvo-zavodo' "$desktop" || { echo "desktop entry without the icon"; status=1; }
icon="$prefix/share/icons/hicolor/32x32/apps/talvo-zavodo.png"
cmp -s "$icon" "$(dirname "$0")/../../assets/icon.png" || { echo "icon missing or not the program icon"; status=1; }
[ $status -eq 0 ] && echo "installed tree complete"
exit $status
