#!/bin/sh
# Two users and a folder both may write (mode 1777, like /tmp): the attacker
# links demo.rec to the victim's notes and demo.wav to the victim's
# .profile; the victim records a game and its sound there. Nothing of the
# victim's is written, and each refused file is named in one line. Run as
# a superuser, who may act as two users without making any (setpriv);
# skipped otherwise.
# Usage: shared_folder_links.sh GULPKIN_HEADLESS
set -u
headless=$1
if [ "$(id -u)" != 0 ] || ! command -v setpriv >/dev/null; then
    echo "SKIPPED: acting as two users needs a superuser and setpriv"
    exit 0
fi
attacker=4242 victim=4243
as() { who=$1; shift; setpriv --reuid="$who" --regid="$who" --clear-groups "$@"; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
chmod 755 "$dir"
mkdir "$dir/shared" "$dir/home"
chmod 1777 "$dir/shared"
chown "$victim:$victim" "$dir/home"
as "$victim" sh -c "cd '$dir/home' && printf 'my notes\n' >notes.txt && chmod 600 notes.txt && printf 'PATH=/bin\n' >.profile"
as "$attacker" ln -s "$dir/home/notes.txt" "$dir/shared/demo.rec"
as "$attacker" ln -s "$dir/home/.profile" "$dir/shared/demo.wav"
printf '1 keys LEFT\n150 quit\n' >"$dir/game.script"
status=0
for option in --record --audio; do
    file=$dir/shared/demo.rec
    [ "$option" = --audio ] && file=$dir/shared/demo.wav
    as "$victim" sh -c "cd '$dir/home' && '$headless' --level 1 --script ../game.script $option '$file'" \
        >/dev/null 2>"$dir/errors.txt"
    code=$?
    echo "$option $file: exit $code: $(cat "$dir/errors.txt")"
    [ "$code" != 0 ] && [ "$(wc -l <"$dir/errors.txt")" = 1 ] && grep -q "$file" "$dir/errors.txt" || status=1
done
[ "$(cat "$dir/home/notes.txt")" = "my notes" ] || { echo "FAILED: notes.txt was written"; status=1; }
[ "$(cat "$dir/home/.profile")" = "PATH=/bin" ] || { echo "FAILED: .profile was written"; status=1; }
[ "$(ls -A "$dir/shared" | wc -l)" = 2 ] || { echo "FAILED: left in the shared folder: $(ls -A "$dir/shared")"; status=1; }
[ "$status" = 0 ] && echo "nothing of the victim's was written"
exit $status
