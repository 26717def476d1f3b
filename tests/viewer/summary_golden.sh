#!/bin/sh
# talvo-plot FILE --summary [--json] against the committed outputs, standard output byte for byte
# and the exit status, for each program of the table; one script for the Linux and the Windows
# build, so both are held to the same files.
#   summary_golden.sh REPO_ROOT COMMAND...   (COMMAND: the program's full path, or wine and it)
# Writes the outputs of the Linux build instead when SUMMARY_GOLDEN_WRITE=1.
set -eu
root=$1
shift
golden=$root/tests/viewer/summary_golden
corpus=$root/fuzz/viewer/corpus/plot_reader
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The kept settings of a fresh user: the defaults, on both builds.
export XDG_CONFIG_HOME="$work/config"
status=0
# name, its file, the exit status (1: a refused line, whose summary of the rest is still printed)
while read -r name file expected; do
  cp "$file" "$work/$name.nc"
  for form in txt json; do
    json=""
    [ $form = json ] && json=--json
    got=0
    (cd "$work" && "$@" "$name.nc" --summary $json > "$work/out" 2> "$work/err") || got=$?
    [ "${SUMMARY_GOLDEN_WRITE:-0}" = 1 ] && [ "$got" = "$expected" ] && cp "$work/out" "$golden/$name.$form"
    if [ "$got" != "$expected" ] || ! cmp -s "$work/out" "$golden/$name.$form"; then
      echo "$name --summary ($form): exit $got (expected $expected), output:"
      cat "$work/out" "$work/err" | sed 's/^/    /'
      diff "$golden/$name.$form" "$work/out" | head -20 || true
      status=1
    fi
  done
done <<TABLE
generated $golden/generated.nc 0
plasma $corpus/plasma.ngc 0
nest $corpus/nest.ngc 0
r_arcs $corpus/r_arcs.ngc 0
inch_helix $corpus/inch_helix.ngc 0
refused_words $corpus/refused_words.ngc 1
TABLE
[ $status -eq 0 ] && echo "summary_golden: every summary as committed"
exit $status
