#!/usr/bin/env bash
# Builds the native tree (with sanitizers), the Windows tree and, with clang, the fuzz tree.
# Usage: build.sh [native|windows|fuzz]...   (default: all three)
set -euo pipefail
source "$(dirname "$0")/env.sh"

jobs=$(nproc)
trees=("$@")
[ ${#trees[@]} -eq 0 ] && trees=(native windows fuzz)

configure() { # dir, cmake arguments...
    local dir=$1
    shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$SKIFF_ROOT" -B "$dir" -Wno-dev "$@" >"$dir.configure.log" 2>&1 || {
            cat "$dir.configure.log"
            return 1
        }
    fi
}

build() { # dir
    cmake --build "$1" -j"$jobs" >"$1.build.log" 2>&1 || {
        grep -E -A5 'error|Error' "$1.build.log" | head -80
        echo "Build failed: see $1.build.log" >&2
        return 1
    }
}

for tree in "${trees[@]}"; do
    dir=$SKIFF_BUILD/$tree
    mkdir -p "$dir"
    echo "Building $tree..."
    case $tree in
        native) configure "$dir" -DCMAKE_BUILD_TYPE=Debug -DSKIFFDESK_SANITIZE=ON ;;
        windows) configure "$dir" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$SKIFF_ROOT/cmake/mingw-w64-x86_64.cmake" ;;
        fuzz) CC=clang-14 CXX=clang++-14 configure "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKIFFDESK_FUZZ=ON ;;
        *) echo "unknown tree $tree" >&2; exit 2 ;;
    esac
    build "$dir"
done
