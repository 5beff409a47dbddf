#!/bin/sh
# A bounded fuzzing pass over the BMP decoder: builds the libFuzzer target
# with clang in its own build folder, then runs a fixed number of inputs
# from the committed seed pictures with a fixed seed. A crash, a leak, a
# sanitizer report or a disagreement between the two decodings fails it.
#   run_bounded.sh SOURCE_DIR BUILD_DIR [RUNS]
set -eu
source_dir=$1
build_dir=$2
runs=${3:-20000}

cmake -S "$source_dir" -B "$build_dir" -DTRIGONIX_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build_dir" --target fuzz_bitmap -j 2

# New inputs go to a scratch folder, never into the committed seeds; a
# crashing input is kept in the build folder.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT INT TERM
"$build_dir/fuzz_bitmap" -runs="$runs" -seed=1 -max_len=4096 \
    -artifact_prefix="$build_dir/" "$scratch" "$source_dir/tests/fuzz_corpus/bitmap"
