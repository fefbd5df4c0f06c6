#!/bin/sh
# Writes the gzipped manual page OUT of PROGRAM from its --help and
# --version, with DESCRIPTION as the page's one-line summary:
#   man_page.sh PROGRAM DESCRIPTION OUT
# gzip -n leaves the name and time out of the archive, so the page's bytes
# depend on the program's text alone (and on SOURCE_DATE_EPOCH's date, when
# set, which help2man prints in the footer).
set -eu
program=$1
description=$2
out=$3
help2man --no-info --section=1 --name="$description" --output="$out.tmp" "$program"
gzip -9n < "$out.tmp" > "$out"
rm "$out.tmp"
