#!/usr/bin/env bash
# Checks the Debian package on this machine, as root:
# - an ordinary user with umask 002 packages the built tree again: its folders are rwxr-xr-x
#   and lintian finds nothing to warn about;
# - the package depends on the fonts the interface is measured in;
# - apt installs it, with manual pages that name the diary's file;
# - a new ordinary user without settings starts `skimora <book>` through a link to the
#   launcher on a virtual screen: the main window appears, the book's text is on the screen,
#   and closing the program writes its reading place into the user's data folder;
# - root starting it writes its reading place into root's data folder, not beside the program;
# - with a read-only home the launcher prints one line and the program's message box names
#   the settings folder it cannot create;
# - the package is purged without a file of it left, and the test user is removed with no
#   process of it left (every program runs in a session bus of its own).
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
[ -f build-package/CPackConfig.cmake ] ||
    { echo "no build-package/ to package again: run scripts/package.sh first" >&2; exit 2; }
scripts/setup.sh --packages-only xvfb xdotool python3 imagemagick dbus-daemon lintian \
    tesseract-ocr tesseract-ocr-rus

work=$(mktemp -d)
user=skimora-check-$$
xvfb_pid=
installed=false
# Removes what the check added. A step that fails here fails the check: a user or a package
# left on the machine is a fault, not a detail.
cleanup() {
    local status=$? problems=()
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    if $installed && ! DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq skimora \
        >"$work/purge.log" 2>&1; then
        problems+=("the package could not be purged: $(cat "$work/purge.log")")
    fi
    if id "$user" >/dev/null 2>&1; then
        local running=()
        mapfile -t running < <(pgrep -u "$user" || true)
        if [ ${#running[@]} -gt 0 ]; then
            problems+=("processes of $user outlived the check: $(ps -o pid=,args= -p "${running[*]}")")
            # Only this check started them; end them by their ids so that the user can go.
            kill "${running[@]}" 2>/dev/null || true
            sleep 1
        fi
        userdel --remove "$user" >"$work/userdel.log" 2>&1 ||
            problems+=("the test user $user could not be removed: $(cat "$work/userdel.log")")
    fi
    rm -rf "$work"
    if [ ${#problems[@]} -gt 0 ]; then
        printf 'FAILED in the clean-up: %s\n' "${problems[@]}" >&2
        exit 1
    fi
    exit "$status"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*" >&2
    if [ -n "${DISPLAY:-}" ] && import -window root build-package/check-package.png 2>/dev/null; then
        echo "the screen at that moment: build-package/check-package.png" >&2
    fi
    exit 1
}

useradd --create-home --shell /bin/sh "$user"
home=$(getent passwd "$user" | cut -d: -f6)

echo "== package the built tree again as $user with umask 002"
# The user reads the build tree and writes the package into a folder of its own; the only file
# the installation writes into the build tree, its list of installed files, is lent to it.
repacked="$home/package"
manifest=build-package/install_manifest.txt
touch "$manifest"
chown "$user" "$manifest"
repack_status=0
runuser -u "$user" -- sh -c 'umask 002 && mkdir "$2" && cpack --config "$1" -B "$2" >"$2/cpack.log" 2>&1' \
    sh "$PWD/build-package/CPackConfig.cmake" "$repacked" || repack_status=$?
chown root: "$manifest"
[ $repack_status -eq 0 ] || fail "cpack as $user: $(cat "$repacked/cpack.log" 2>/dev/null)"
userdeb=$(ls "$repacked"/skimora_*.deb)
loose=$(dpkg-deb -c "$userdeb" | awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" {print $1, $6}')
[ -z "$loose" ] || fail "folders of the package are not rwxr-xr-x under umask 002: $loose"
runuser -u "$user" -- lintian --fail-on error,warning "$userdeb" >"$work/lintian.log" 2>&1 ||
    fail "lintian on the package made under umask 002: $(cat "$work/lintian.log")"
echo "   folders rwxr-xr-x, lintian content"

echo "== dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-dejavu-core fonts-liberation libqt6sql6-sqlite qt6-translations-l10n; do
    grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "the package does not depend on $needed"
done
echo "   $depends"

echo "== install $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
installed=true
dpkg -L skimora >"$work/files"
[ -x /usr/bin/skimora ] && [ -x /usr/lib/skimora/skimora ] ||
    fail "the launcher or the program is missing after installation"
for page in /usr/share/man/man1/skimora.1.gz /usr/share/man/ru/man1/skimora.1.gz; do
    zgrep -q 'diary\\-damaged' "$page" && zgrep -qF '.local/share/Skimora/diary.sqlite' "$page" ||
        fail "the manual page $page does not name the diary's file"
done

# A virtual screen that the users' programs and this script all use.
Xvfb -displayfd 5 -ac -nolisten tcp -screen 0 1280x1024x24 5>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")

# start <user> <home> <log> <command...>: runs the command as the user on the virtual screen,
# with a clean environment and a session bus of its own that ends with it; sets $program.
start() {
    local who=$1 at=$2 log=$3
    shift 3
    runuser -u "$who" -- env -i HOME="$at" USER="$who" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" \
        LANG=C.UTF-8 dbus-run-session -- "$@" >"$log" 2>&1 &
    program=$!
}

# finish <user> <log> <expected status>: waits for the program started last to end; nothing
# it started may outlive it (for an ordinary user, whose processes can be told apart).
finish() {
    timeout 30 tail --pid="$program" -f /dev/null || fail "the program did not end"
    local status=0
    wait "$program" || status=$?
    [ $status -eq "$3" ] || fail "the program ended with status $status: $(cat "$2")"
    [ "$1" != root ] || return 0
    for _ in $(seq 25); do
        pgrep -u "$1" >/dev/null || return 0
        sleep 0.2
    done
    fail "processes of $1 outlived the program: $(ps -o pid=,args= -u "$1")"
}

# read_book <user> <home> <command...>: starts the program with the book, waits for the main
# window and the book, closes the first start's tip and then the main window as a window
# manager does. With SHOW_TEXT set, the book's text must be readable on the screen first.
read_book() {
    local who=$1 at=$2
    shift 2
    start "$who" "$at" "$work/program.log" "$@"
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Skimora \[ru\]$' | head -n 1) ||
        fail "no main window within 60 s: $(cat "$work/program.log")"
    echo "   main window $window"
    [ -f "$at/.config/Skimora v6.0 ru.conf" ] || fail "the launcher created no settings store"
    # The book opens when the start screen closes.
    for _ in $(seq 150); do
        xdotool search --onlyvisible --name '^About Skimora$' >/dev/null 2>&1 || break
        sleep 0.2
    done
    sleep 2
    local advice
    advice=$(timeout 10 xdotool search --sync --onlyvisible --name '^Skimora Советы$' | head -n 1) ||
        fail "no tip of the day at the first start"
    scripts/close-window.py "$advice"
    sleep 1
    if [ -n "${SHOW_TEXT:-}" ]; then
        book_text_on_screen "$window"
    fi
    scripts/close-window.py "$window"
    finish "$who" "$work/program.log" 0
}

# read_screen <window>: the text that the window shows, as OCR reads it from its picture.
read_screen() {
    import -window "$1" "$work/window.png"
    convert "$work/window.png" -resize 200% -colorspace Gray -normalize "$work/window-gray.png"
    tesseract "$work/window-gray.png" "$work/window" -l rus+eng >/dev/null 2>&1 ||
        fail "tesseract could not read the screen"
    cat "$work/window.txt"
}

# The book's first lines, read back from the main window: most of these words of its opening
# paragraph must be recognised.
book_text_on_screen() {
    local text seen=0 word
    text=$(read_screen "$1")
    for word in Зимний январь город снегом стеклянной оранжереи Смотритель Аркадий; do
        grep -qi "$word" <<<"$text" && seen=$((seen + 1))
    done
    [ $seen -ge 5 ] || {
        cp "$work/window.png" build-package/check-package-window.png
        fail "the book's text is not on the screen ($seen of 8 words read; the window: build-package/check-package-window.png; read: $(tr '\n' ' ' <<<"$text"))"
    }
    echo "   the book's text is on the screen ($seen of 8 words read back)"
}

echo "== start as the new user $user through a link to the launcher"
cp data/library/winter_garden.fb2 "$home/book.fb2"
mkdir "$home/bin"
ln -s /usr/bin/skimora "$home/bin/skimora"
chown -R "$user:" "$home/book.fb2" "$home/bin"
SHOW_TEXT=1 read_book "$user" "$home" "$home/bin/skimora" "$home/book.fb2"
places="$home/.local/share/Skimora v6.0 ru/textmem.ini"
[ -f "$places" ] || fail "no reading places in the user's data folder"
grep -qF "$home/book.fb2" "$places" || fail "the book's reading place is missing from $places"
echo "   reading place written to $places"

echo "== start as root"
root_home="$work/root-home"
mkdir "$root_home"
cp data/library/winter_garden.fb2 "$root_home/book.fb2"
read_book root "$root_home" skimora "$root_home/book.fb2"
[ ! -e /usr/lib/skimora/textmem.ini ] || fail "root's reading places were written beside the program"
root_places="$root_home/.local/share/Skimora v6.0 ru/textmem.ini"
grep -qF "$root_home/book.fb2" "$root_places" 2>/dev/null ||
    fail "root's reading place is missing from $root_places"
echo "   reading place written to $root_places"

echo "== start as $user with a read-only home"
readonly_home="$home/read-only"
mkdir -m 555 "$readonly_home"
start "$user" "$readonly_home" "$work/readonly.log" skimora
box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Ошибка$' | head -n 1) ||
    fail "no message box within 30 s: $(cat "$work/readonly.log")"
sleep 1
# The box's text, read back from the screen; its lines joined again.
message=$(read_screen "$box" | tr -d '\n')
grep -qF "папку настроек «$readonly_home/.config»" <<<"$message" ||
    fail "the message box does not name the settings folder $readonly_home/.config: $message"
xdotool windowfocus --sync "$box" key Return
finish "$user" "$work/readonly.log" 1
! grep -q '^mkdir' "$work/readonly.log" || fail "mkdir's own errors on the terminal: $(cat "$work/readonly.log")"
grep -qF "$readonly_home/.config" "$work/readonly.log" ||
    fail "the terminal was not told where: $(cat "$work/readonly.log")"
echo "   the message box names $readonly_home/.config"
kill "$xvfb_pid"
xvfb_pid=
unset DISPLAY

echo "== remove"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq skimora >"$work/purge.log" 2>&1 ||
    fail "purge: $(cat "$work/purge.log")"
installed=false
! grep -qi "warning" "$work/purge.log" || fail "dpkg warned during the purge: $(cat "$work/purge.log")"
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
echo "The package installs, starts, shows a book, keeps its place and removes cleanly."
