#!/usr/bin/env bash
# Installs every Debian 12 package that the build, the tests, the benchmarks,
# the fuzzing run, the headless demo and the Debian package (help2man for the
# manual pages, dpkg-shlibdeps for its dependencies, lintian) need. Safe to run again: packages that
# are already there are left alone. Works as root or through sudo.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libsdl1.2-compat-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libopencv-dev libpng-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libx11-dev
  xvfb xauth xdotool x11-utils imagemagick
  assimp-utils
  hyperfine
  libcgal-dev
  python3-open3d
  help2man man-db dpkg-dev lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "install-deps.sh: missing packages (${missing[*]}) and neither root nor sudo is available" >&2
  exit 1
fi

echo "install-deps.sh: installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
