#!/bin/sh
# A compiler launcher for builds with Emscripten:
#   emscripten_compile.sh emcc|em++ ARGUMENT...
#   eval "$(emscripten_compile.sh --settings)"   sets the variables below
# A compilation of one source to an object file, or the listing of the
# headers it reads (-M, -MM), goes straight to the clang that emcc runs, with
# the flags emcc gives it (emcc --cflags): the same object or list, without
# emcc's own start-up and checks, which cost twice the compilation of a small
# file. Everything else (a link, an argument that only emcc understands) goes
# to emcc itself. The caller exports:
#   GULPKIN_EM_CLANG    the clang emcc runs (its C++ driver is clang++ beside it)
#   GULPKIN_EM_CFLAGS   the output of emcc --cflags
#   GULPKIN_EM_CFLAGS_EXCEPTIONS  that of emcc -fexceptions --cflags (which
#                       catches C++ exceptions instead of ignoring them)
#   GULPKIN_EM_CCACHE   ccache, to run the compilation through it (optional)
# Without the first two, every compilation goes to emcc.
if [ "${1:-}" = --settings ]; then
    version=$(em-config CLANG_ADD_VERSION) && root=$(em-config LLVM_ROOT) && flags=$(emcc --cflags) &&
        catching=$(emcc -fexceptions --cflags) || exit 1
    echo "export GULPKIN_EM_CLANG='$root/clang${version:+-$version}' GULPKIN_EM_CFLAGS='$flags'" \
        "GULPKIN_EM_CFLAGS_EXCEPTIONS='$catching'"
    exit 0
fi
compiler=$1
shift
launch=${GULPKIN_EM_CCACHE:-}
case $compiler in
    *em++) clang=${GULPKIN_EM_CLANG:+$(echo "$GULPKIN_EM_CLANG" | sed 's|clang\([^/]*\)$|clang++\1|')} ;;
    *emcc) clang=${GULPKIN_EM_CLANG:-} ;;
    *) clang= ;;
esac
# shellcheck disable=SC2086 # an empty launcher is no word
[ -n "$clang" ] && [ -n "${GULPKIN_EM_CFLAGS:-}" ] || exec $launch "$compiler" "$@"

object= flags=$GULPKIN_EM_CFLAGS
for argument; do
    case $argument in
        -c | -M | -MM) object=1 ;;
        -fexceptions) flags=${GULPKIN_EM_CFLAGS_EXCEPTIONS:-} ;;
        # emcc's settings and options, and what changes the flags it gives
        -s | -s[A-Z]* | --* | -pthread | -flto* | -emit-llvm | -shared | -E | -fwasm-exceptions | \
            -nostd* | -fsanitize*)
            exec $launch "$compiler" "$@" ;;
    esac
done
[ -n "$object" ] && [ -n "$flags" ] || exec $launch "$compiler" "$@"
# shellcheck disable=SC2086 # the flags are words
exec $launch "$clang" $flags "$@"
