# Sourced by the Windows test scripts, with $wine set: a Wine prefix of the script's own in a
# scratch folder ($scratch), started at once and removed with its wineserver when the script ends.
scratch=$(mktemp -d)
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all HOME="$scratch"
unset TALVO_ROOT || true
cleanup() {
  "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
"$wine" wineboot -i >/dev/null 2>&1 || true
