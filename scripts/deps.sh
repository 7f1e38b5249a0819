#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Quiet and quick when all are there.
set -euo pipefail

packages=(
    cmake make g++ pkg-config clang-14 libclang-rt-14-dev
    googletest libgtest-dev libbenchmark-dev libsodium-dev
    gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine64 fonts-wine xvfb xauth x11-utils imagemagick
    nsis zip unzip openssl osslsigncode
    locales
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
log=$(mktemp)
if ! { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log"
    echo "Package installation failed." >&2
    exit 1
fi
rm -f "$log"
