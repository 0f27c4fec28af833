#!/usr/bin/env bash
# The Emscripten launcher sends the compilation of one file to clang with
# emcc's own flags and everything else to emcc; with the real compilers, the
# object is the one emcc makes.
#   tests/scripts/emscripten_compile.sh SOURCE_DIR
set -euo pipefail
launcher=$1/web/emscripten_compile.sh
tools=$(mktemp -d)
trap 'rm -rf "$tools"' EXIT
for tool in emcc em++ clang-14 clang++-14 ccache; do
    printf '#!/bin/sh\necho %s "$@"\n' "$tool" >"$tools/$tool"
    chmod +x "$tools/$tool"
done
export GULPKIN_EM_CLANG=$tools/clang-14 GULPKIN_EM_CFLAGS=-plain GULPKIN_EM_CFLAGS_EXCEPTIONS=-catching
ran() {
    local want=$1 got
    shift
    got=$("$launcher" "$@" | sed "s|$tools/||g")
    [ "$got" = "$want" ] || { echo "FAILED: $* ran \"$got\", not \"$want\""; exit 1; }
}
ran "clang-14 -plain -O2 -c a.c -o a.o" "$tools/emcc" -O2 -c a.c -o a.o
ran "clang++-14 -catching -fexceptions -c a.cpp" "$tools/em++" -fexceptions -c a.cpp
ran "emcc a.o -o a.js" "$tools/emcc" a.o -o a.js
ran "emcc -sUSE_PTHREADS=1 -c a.c" "$tools/emcc" -sUSE_PTHREADS=1 -c a.c
ran "em++ -s WASM=1 -c a.cpp" "$tools/em++" -s WASM=1 -c a.cpp
ran "em++ --bind -c a.cpp" "$tools/em++" --bind -c a.cpp
ran "emcc -E a.c" "$tools/emcc" -E a.c
ran "clang-14 -plain -c -O2 -MM a.c" "$tools/emcc" -c -O2 -MM a.c
GULPKIN_EM_CCACHE=$tools/ccache ran "ccache clang-14 -plain -c a.c" "$tools/emcc" -c a.c
GULPKIN_EM_CFLAGS="" ran "emcc -c a.c" "$tools/emcc" -c a.c

# the same object through clang as through emcc, exceptions caught or not
command -v emcc >/dev/null || { echo "every call went its way (emcc is not installed)"; exit 0; }
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
eval "$("$launcher" --settings)"
printf '#include <stdexcept>\nint f(int x) { try { if (x) throw std::runtime_error("x"); } catch (...) { return 1; } return 0; }\n' \
    >"$tools/f.cpp"
for flags in "-O2" "-O3 -fexceptions"; do
    # shellcheck disable=SC2086
    em++ $flags -c "$tools/f.cpp" -o "$tools/by-emcc.o" && "$launcher" em++ $flags -c "$tools/f.cpp" -o "$tools/by-clang.o"
    cmp -s "$tools/by-emcc.o" "$tools/by-clang.o" || { echo "FAILED: $flags: clang's object differs from emcc's"; exit 1; }
done
# and the same list of headers read
[ "$(em++ -MM "$tools/f.cpp")" = "$("$launcher" em++ -MM "$tools/f.cpp")" ] ||
    { echo "FAILED: clang's list of headers differs from emcc's"; exit 1; }
[ "$(em++ -M "$tools/f.cpp")" = "$("$launcher" em++ -M "$tools/f.cpp")" ] ||
    { echo "FAILED: clang's list of every header differs from emcc's"; exit 1; }
echo "every call went its way, and clang made emcc's objects and lists"
