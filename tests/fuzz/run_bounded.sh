#!/bin/sh
# A bounded fuzzing pass over the BMP decoder: builds the libFuzzer target
# with clang ($CC and $CXX) in its own build folder, then runs a fixed
# number of inputs from the committed seed pictures with a fixed seed. A
# crash, a leak, a sanitizer report or a disagreement between the two
# decodings fails it.
#   run_bounded.sh SOURCE_DIR BUILD_DIR [RUNS]
set -eu
source_dir=$1
build_dir=$2
runs=${3:-20000}

# Configured once; a later build re-runs CMake itself when a CMakeLists
# file changed, so the next runs only build what changed.
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S "$source_dir" -B "$build_dir" -DTRIGONIX_FUZZ=ON -DTRIGONIX_TESTS=OFF \
        -DCMAKE_BUILD_TYPE=Debug -DTRIGONIX_WERROR="${TRIGONIX_WERROR:-OFF}" \
        -DCMAKE_C_COMPILER="${CC:-clang}" -DCMAKE_CXX_COMPILER="${CXX:-clang++}" >/dev/null
fi
CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)} \
    cmake --build "$build_dir" --target fuzz_bitmap

# New inputs go to a scratch folder, never into the committed seeds; a
# crashing input is kept in the build folder.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT INT TERM
"$build_dir/fuzz_bitmap" -runs="$runs" -seed=1 -max_len=4096 \
    -artifact_prefix="$build_dir/" "$scratch" "$source_dir/tests/fuzz_corpus/bitmap"
