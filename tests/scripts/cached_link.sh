#!/usr/bin/env bash
# The browser game's link cache links again exactly when something the link
# reads has changed, and otherwise gives back the outputs of the same link,
# from any folder; a failed link keeps nothing. A stand-in linker counts its
# runs and writes outputs made of its inputs.
#   tests/scripts/cached_link.sh SOURCE_DIR
set -euo pipefail
launcher=$1/web/cached_link.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cat >link.sh <<'LINK'
#!/bin/sh
echo run >>"$(dirname "$0")/runs"
[ ! -f "$(dirname "$0")/fail" ] || exit 3
while [ $# -gt 0 ]; do [ "$1" = -o ] && out=$2; shift; done
case $out in */*) echo "linked into a folder: $out" >&2; exit 4 ;; esac
cat a.o lib/libx.a pack/* >"$out" && cp "$out" "${out%.js}.wasm" && cp "$out" "${out%.js}.data"
LINK
chmod +x link.sh
mkdir -p lib pack site other
echo a >a.o; echo x >lib/libx.a; echo p >pack/p.bmp; echo a.o >objects.rsp
link() { "$launcher" "$work/cache" ./link.sh @objects.rsp -Llib -lx --preload-file pack@/data -o "$1/gulpkin.js"; }
runs() { wc -l <runs 2>/dev/null || echo 0; }
expect() {
    local want=$1 what=$2 folder=${3:-site}
    link "$folder" 2>/dev/null || true
    [ "$(runs)" -eq "$want" ] || { echo "FAILED: $what (linked $(runs) times, not $want)"; exit 1; }
    [ -f fail ] || [ "$(cat "$folder/gulpkin.js")" = "$(cat a.o lib/libx.a pack/*)" ] ||
        { echo "FAILED: $what: the outputs are not this link's"; exit 1; }
}
expect 1 "a first link links"
expect 1 "the same link links once"
expect 1 "the same link from another folder takes the kept outputs" other
cmp -s other/gulpkin.wasm site/gulpkin.wasm && cmp -s other/gulpkin.data site/gulpkin.data ||
    { echo "FAILED: the kept .wasm and .data are not given back"; exit 1; }
echo b >a.o
expect 2 "a changed object in a response file links again"
echo y >lib/libx.a
expect 3 "a changed library in a -L folder links again"
echo q >pack/p.bmp
expect 4 "a changed packed file links again"
touch fail; echo c >a.o
if link site 2>/dev/null; then echo "FAILED: a failed link succeeds"; exit 1; fi
rm fail
expect 6 "a failed link keeps nothing"
echo b >a.o
expect 6 "an earlier link's inputs again take its kept outputs"
echo "every change links again, and the same link only once"
