#!/usr/bin/env bash
# Checks the Debian package on this machine, as root: installs it with apt, lets a new ordinary
# user without settings start `skimora <book>` on a virtual screen, checks that the main window
# appears, that the book opens and that closing the program writes its reading place into the
# user's data folder; then removes the package and checks that no file of it remains.
#
#   scripts/check-package.sh [package.deb]     (default: builds it with scripts/package.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
    echo "scripts/check-package.sh installs a package and adds a user: run it as root" >&2
    exit 2
fi
if dpkg-query -W -f='${Status}' skimora 2>/dev/null | grep -q "ok installed"; then
    echo "skimora is installed already: remove it first (apt-get purge skimora)" >&2
    exit 2
fi
deb=$(realpath "${1:-$(scripts/package.sh | tail -n 1)}")
scripts/setup.sh --packages-only xvfb xdotool python3 imagemagick

work=$(mktemp -d)
user=skimora-check-$$
xvfb_pid=
installed=false
cleanup() {
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    ! $installed || DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq skimora >/dev/null 2>&1 || true
    ! id "$user" >/dev/null 2>&1 || userdel --remove "$user" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*" >&2
    if [ -n "${DISPLAY:-}" ] && import -window root build-package/check-package.png 2>/dev/null; then
        echo "the screen at that moment: build-package/check-package.png" >&2
    fi
    exit 1
}

echo "== install $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
installed=true
dpkg -L skimora >"$work/files"
[ -x /usr/bin/skimora ] && [ -x /usr/lib/skimora/skimora ] ||
    fail "the launcher or the program is missing after installation"

echo "== start as the new user $user"
useradd --create-home --shell /bin/sh "$user"
home=$(getent passwd "$user" | cut -d: -f6)
cp data/library/winter_garden.fb2 "$home/book.fb2"
chown "$user:" "$home/book.fb2"

# A virtual screen that the user's program and this script both use.
Xvfb -displayfd 5 -ac -nolisten tcp -screen 0 1280x1024x24 5>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")

runuser -u "$user" -- env -i HOME="$home" USER="$user" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" \
    LANG=C.UTF-8 skimora "$home/book.fb2" >"$work/program.log" 2>&1 &
program=$!

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Skimora \[ru\]$' | head -n 1) ||
    fail "no main window within 60 s"
echo "   main window $window"
[ -f "$home/.config/Skimora v6.0 ru.conf" ] || fail "the launcher created no settings store"
# The book opens when the start screen closes.
for _ in $(seq 150); do
    xdotool search --onlyvisible --name '^About Skimora$' >/dev/null 2>&1 || break
    sleep 0.2
done
sleep 2

# The first start shows a tip of the day over the windows; the main window closes after it.
advice=$(timeout 10 xdotool search --sync --onlyvisible --name '^Skimora Советы$' | head -n 1) ||
    fail "no tip of the day at the first start"
scripts/close-window.py "$advice"
sleep 1
scripts/close-window.py "$window"
timeout 30 tail --pid="$program" -f /dev/null || fail "the program did not end after its window closed"
status=0
wait "$program" || status=$?
[ $status -eq 0 ] || fail "the program ended with status $status: $(cat "$work/program.log")"

places="$home/.local/share/Skimora v6.0 ru/textmem.ini"
[ -f "$places" ] || fail "no reading places in the user's data folder"
grep -qF "$home/book.fb2" "$places" || fail "the book's reading place is missing from $places"
echo "   reading place written to $places"
unset DISPLAY

echo "== remove"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq skimora >/dev/null
installed=false
# Whatever of the package's list still exists must be a folder another package owns.
left=0
while read -r path; do
    [ "$path" != /. ] && [ -e "$path" ] || continue
    if [ ! -d "$path" ] || ! dpkg -S "$path" >/dev/null 2>&1; then
        echo "   left behind: $path" >&2
        left=1
    fi
done <"$work/files"
[ $left -eq 0 ] || fail "files of the package remain after removal"
echo "The package installs, starts, opens a book, keeps its place and removes cleanly."
