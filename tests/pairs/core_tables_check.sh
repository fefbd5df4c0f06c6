#!/usr/bin/env bash
# The given libraries or modules (the decoding core, the dense scan's core,
# the viewer modules) refer to none of the global tables: no name that a
# product header declares `extern` (other than constants) is among their
# undefined symbols.
# usage: core_tables_check.sh SOURCE_DIR LIBRARY...
set -euo pipefail
src=$1
shift
mapfile -t tables < <(grep -rh --include=*.h -E '^extern [^"]' "$src"/{common,reconstruction,model,viewer,programs,decoder,pairs} |
  grep -v '^extern const' | grep -v '^extern template' |
  sed -E 's/\[.*//; s/;.*//; s/.*[ *&]([A-Za-z_][A-Za-z0-9_]*)$/\1/' | sort -u)
[ ${#tables[@]} -gt 40 ] || { echo "only ${#tables[@]} table names found in the headers" >&2; exit 1; }
status=0
for lib in "$@"; do
  undefined=$(nm -u -C "$lib" | awk '{print $NF}' | sort -u)
  for t in "${tables[@]}"; do
    if grep -qx -- "$t" <<<"$undefined"; then
      echo "$(basename "$lib") refers to the global table $t" >&2
      status=1
    fi
  done
done
[ $status -eq 0 ] && echo "${#tables[@]} global tables, none used by: $(for l in "$@"; do basename "$l"; done | tr '\n' ' ')"
exit $status
