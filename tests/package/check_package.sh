#!/bin/sh
# Builds the Debian package from a built tree and checks it as a user and
# as Debian's tools would: its files and dependencies, lintian (no error),
# the desktop entry, the AppStream metadata, and the game run from a copy
# of the package unpacked in a scratch folder, started from elsewhere.
#   check_package.sh BUILD_DIR SCRATCH_DIR
set -eu
build=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch/elsewhere"

fail() {
    echo "package check: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$scratch" >/dev/null || fail "cpack failed"
deb=$(ls "$scratch"/gulpkin_*_amd64.deb) || fail "no gulpkin_<version>_amd64.deb"
echo "built $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libsdl2 libsdl2-ttf libxmp libjpeg62-turbo fonts-dejavu-core; do
    echo "$depends" | grep -q "$needed" || fail "Depends lacks $needed"
done

dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root
for file in usr/games/gulpkin usr/games/gulpkin-headless usr/share/games/gulpkin/graph/gulpmaze1.jpg \
    usr/share/games/gulpkin/wav/boules.wav usr/share/games/gulpkin/music/5.xm usr/share/games/gulpkin/font/600.bmp \
    usr/share/applications/org.gulpkin.Gulpkin.desktop usr/share/metainfo/org.gulpkin.Gulpkin.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/gulpkin.svg usr/share/icons/hicolor/256x256/apps/gulpkin.png \
    usr/share/man/man6/gulpkin.6.gz usr/share/doc/gulpkin/copyright usr/share/doc/gulpkin/changelog.gz; do
    [ -e "$root/$file" ] || fail "missing /$file"
done
file "$root/usr/share/icons/hicolor/256x256/apps/gulpkin.png" | grep -q "256 x 256" || fail "the PNG icon is not 256 px"

lintian --fail-on error --no-tag-display-limit "$deb" || fail "lintian reports errors"
desktop-file-validate "$root/usr/share/applications/org.gulpkin.Gulpkin.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.gulpkin.Gulpkin.metainfo.xml" || fail "metainfo invalid"

# the unpacked game finds its pack beside its own program and writes nothing
# where it is started
printf '5 dump\n6 quit\n' > "$scratch/run.script"
cd "$scratch/elsewhere"
HOME=$scratch/home "$root/usr/games/gulpkin-headless" --level 1 --script ../run.script > ../dump.txt
grep -q '"screen":"play".*"music":1,' ../dump.txt || fail "the unpacked game did not find its pack: $(cat ../dump.txt)"
[ -z "$(ls)" ] || fail "the unpacked game wrote into the folder it was started from"
echo "package check passed"
