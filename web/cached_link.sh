#!/usr/bin/env bash
# A link launcher for the game in the browser: its link (emcc with Asyncify
# at -O3, more than a minute of CPU) is kept in a cache folder under a name
# made of everything the link reads, and a link with the same inputs copies
# the kept outputs instead of linking again:
#   cached_link.sh CACHE_DIR COMMAND ARGUMENT...
# The name covers the compilers' package versions and emcc's own settings in
# the environment, this file, every argument, the contents of the files the
# arguments and their response files name (objects, libraries, the
# JavaScript library), of the static libraries in each -L folder and of the
# folders packed with --preload-file (names and contents). A link's outputs
# are its -o file and the .wasm and .data beside it; a failed link keeps
# nothing. The cache keeps the newest four links. The outputs are written
# under their own names in the working folder and moved into place, so that
# they do not carry the folder they were linked into.
set -euo pipefail

cache=$1
shift
output=""

# one argument as the cache name reads it
describe() {
    local argument=$1
    if [ -f "$argument" ]; then
        echo "file $(sha256sum <"$argument" | cut -c1-64)"
    elif [ -d "$argument" ]; then
        echo "folder"
        prints "$argument" -type f
    else
        echo "argument $argument"
    fi
}

inputs() {
    echo "launcher $(sha256sum <"$0" | cut -c1-64)"
    dpkg-query -W -f='${Package} ${Version}\n' emscripten binaryen nodejs 'clang-[0-9]*' 'lld-[0-9]*' 2>/dev/null |
        grep -v ' $' || true
    env | grep -E '^(EM|EMCC)_' | LC_ALL=C sort || true
    local next="" argument word
    for argument in "$@"; do
        case $next in
            output) echo "output $(basename "$argument")"; next=""; continue ;;
            # SOURCE@WHERE: what the folder holds and where the game finds it
            pack) describe "${argument%@*}"; echo "at ${argument##*@}"; next=""; continue ;;
        esac
        case $argument in
            -o) next=output ;;
            --preload-file | --embed-file) echo "$argument"; next=pack ;;
            -L*) echo "libraries"; [ ! -d "${argument#-L}" ] || prints "${argument#-L}" -maxdepth 1 -name '*.a' ;;
            @*)
                echo "response file"
                # shellcheck disable=SC2013 # the words of the file, as the compiler splits them
                for word in $(cat "${argument#@}"); do describe "${word//\"/}"; done
                ;;
            *) describe "$argument" ;;
        esac
    done
}

# prints FOLDER FIND-TEST...: the names and contents of the files found there
prints() {
    local folder=$1
    shift
    (cd "$folder" && find . "$@" -print0 | LC_ALL=C sort -z | xargs -0r sha256sum)
}

# The link writes its outputs in the working folder under their own names,
# then they are moved into place: the JavaScript names its data file without
# the folder it was linked into, and is the same from every clone of the tree.
link=()
previous=""
for argument; do
    if [ "$previous" = -o ]; then
        output=$argument
        link+=("$(basename "$argument")")
    else
        link+=("$argument")
    fi
    previous=$argument
done
[ -n "$output" ] || exec "$@"
key=$(inputs "$@" | sha256sum | cut -c1-64)
stem=${output%.*}
outputs=("$output" "$stem.wasm" "$stem.data")
kept=$cache/$key

if [ -f "$kept/complete" ]; then
    for file in "${outputs[@]}"; do
        rm -f "$file"
        if [ -f "$kept/$(basename "$file")" ]; then cp "$kept/$(basename "$file")" "$file"; fi
    done
    touch "$kept"
    exit 0
fi

for file in "${outputs[@]}"; do rm -f "$(basename "$file")"; done
"${link[@]}"
mkdir -p "$cache"
scratch=$(mktemp -d "$cache/.link.XXXXXX")
for file in "${outputs[@]}"; do
    made=$(basename "$file")
    [ -f "$made" ] || continue
    cp "$made" "$scratch/"
    [ "$made" -ef "$file" ] || mv -f "$made" "$file"
done
touch "$scratch/complete"
rm -rf "$kept"
mv "$scratch" "$kept" 2>/dev/null || rm -rf "$scratch"
# the newest four links stay
find "$cache" -mindepth 1 -maxdepth 1 -type d -name '[0-9a-f]*' -printf '%T@ %p\n' | sort -rn | tail -n +5 |
    cut -d' ' -f2- | xargs -r rm -rf
