#!/bin/sh
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# into build-fuzz/. Run one as: build-fuzz/command_template_fuzz -max_total_time=300 CORPUS_DIR
set -eu
root=$(cd -- "$(dirname -- "$0")/.." && pwd)
out=$root/build-fuzz
mkdir -p -- "$out"
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I$root/src"
platform=$(ls "$root"/src/platform/*.cpp)
clang++ $flags -o "$out/command_template_fuzz" "$root/fuzz/command_template_fuzz.cpp" \
    "$root/src/toolrun/command_template.cpp" "$root/src/toolrun/image_name.cpp" $platform -lpthread
clang++ $flags -o "$out/profile_fuzz" "$root/fuzz/profile_fuzz.cpp" $platform -lpthread
