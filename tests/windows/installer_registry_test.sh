#!/usr/bin/env bash
# What the installer tells Windows and the player: its Uninstall key gives
# the installed size in KiB (EstimatedSize, for the list of programs) and the
# installer installs the game's own licence as LICENSE.txt (the text its
# licence page shows), not a packaging file. Installed silently into a
# folder of the test's own, then uninstalled, which removes the key.
#   installer_registry_test.sh WINE_RUN SETUP_EXE LICENSE WORK_DIR
set -euo pipefail
wine=$1 setup=$2 license=$3 work=$4
rm -rf "$work" && mkdir -p "$work/Gulpkin"
fail() { echo "FAIL: $*" >&2; exit 1; }
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Gulpkin'
value() { "$wine" reg query "$key" /v "$1" /reg:64 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name {print $3}'; }

# the folder's Windows name, asked first: a Wine program started while the
# server of an earlier test is ending can fail, and an empty /D= would install
# into Program Files instead
folder=$(timeout -k 5 60 "$wine" winepath -w "$work/Gulpkin" 2>/dev/null | tr -d '\r')
[ -n "$folder" ] || fail "winepath gave no Windows name for $work/Gulpkin"
"$wine" wineserver -k 2>/dev/null || true
timeout -k 5 60 "$wine" wineserver -w || fail "Wine's programs did not end within 60 s"
timeout -k 5 120 "$wine" "$setup" /S "/D=$folder" || fail "the installer failed or took over 120 s"
timeout 120 "$wine" wineserver -w || fail "the installer did not end within 120 s"
[ -f "$work/Gulpkin/gulpkin.exe" ] || fail "nothing installed in $work/Gulpkin"

bytes=$(find "$work/Gulpkin" -type f ! -name uninstall.exe -printf '%s\n' | awk '{sum += $1} END {print sum}')
size=$(value EstimatedSize)
[ -n "$size" ] || fail "no EstimatedSize in $key"
echo "EstimatedSize $size = $((size)) KiB for $bytes bytes installed"
[ $((size)) -eq $(((bytes + 1023) / 1024)) ] || fail "EstimatedSize is not the installed files' size in KiB"
[ "$(value DisplayVersion)" = "$(tr -d '\r' <"$work/Gulpkin/README.txt" | head -n 1 | awk '{print $2}')" ] ||
    fail "DisplayVersion $(value DisplayVersion) is not the version of README.txt"

sed 's/$/\r/' "$license" | cmp - "$work/Gulpkin/LICENSE.txt" || fail "LICENSE.txt is not the game's LICENSE"
echo "LICENSE.txt: $(head -n 2 "$work/Gulpkin/LICENSE.txt" | tr -d '\r' | tr '\n' ' ')"

"$wine" "$work/Gulpkin/uninstall.exe" /S
"$wine" wineserver -w
[ -z "$(value DisplayName)" ] || fail "the uninstaller left $key"
[ ! -e "$work/Gulpkin/gulpkin.exe" ] || fail "the uninstaller left the game"
echo "uninstalled; the Uninstall key is gone"
