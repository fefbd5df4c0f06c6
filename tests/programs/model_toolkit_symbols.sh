#!/bin/sh
# Checks that a reconstruction program carries the whole model toolkit,
# including the builders that its start-up sequence never calls.
# Usage: model_toolkit_symbols.sh PROGRAM
set -eu
symbols=$(nm -C "$1")
status=0
for builder in 'model3D(int, int' 'brutalforce_model3D()' 'orezmodely3D(int, int)' \
    'zprumeruj_modely(int, int)' 'spojmodely3D(int, int)' 'kvadr(' \
    'polar_model3D(' 'projection_model3D('; do
  if ! printf '%s\n' "$symbols" | grep -F -q " T $builder"; then
    echo "$1: builder $builder is missing" >&2
    status=1
  fi
done
exit $status
