#!/usr/bin/env bash
# Makes the Debian package with scripts/package.sh (which fails when lintian reports an error), installs it
# with dpkg into a throwaway root (a dpkg database of its own, so the machine's own packages are never
# touched), validates the installed menu entry and AppStream data, runs the installed program from its menu
# entry's command as a plain user and checks where it keeps its files, then removes the package with dpkg
# and checks that nothing of it is left.
# Usage: run-package-test.sh SOURCE_DIR
set -u
SRC=${1:?usage: run-package-test.sh SOURCE_DIR}
APP_ID=org.kelvo.Kelvo
T=$(mktemp -d)
PIDS=()
FAILS=0
PASSES=0
cleanup() {
    for p in "${PIDS[@]}"; do kill "$p" 2> /dev/null; done
    for p in "${PIDS[@]}"; do wait "$p" 2> /dev/null; done
    chmod -R u+w "$T" 2> /dev/null
    rm -rf "$T"
}
trap cleanup EXIT
ok() { echo "PASS $*"; PASSES=$((PASSES + 1)); }
bad() { echo "FAIL $*"; FAILS=$((FAILS + 1)); }
check() { # check DESCRIPTION CMD...
    local what=$1
    shift
    if "$@"; then ok "$what"; else bad "$what"; fi
}
wait_for() { # wait_for SECONDS CMD...: poll CMD every 0.1 s until it succeeds.
    local end=$(($(date +%s%N) + $1 * 1000000000))
    shift
    until "$@" > /dev/null 2>&1; do
        [ "$(date +%s%N)" -gt "$end" ] && return 1
        sleep 0.1
    done
}

# 1. The package, from the sources.
"$SRC/scripts/package.sh" > "$T/package.log" 2>&1 || { cat "$T/package.log"; bad "scripts/package.sh"; exit 1; }
DEB=$(tail -n 1 "$T/package.log")
ok "package made, lintian reports no errors: $(basename "$DEB")"
grep -E '^[EWI]: ' "$T/package.log"
VERSION=$(dpkg-deb -f "$DEB" Version)
check "file name kelvo_<version>_<arch>.deb" \
    test "$(basename "$DEB")" = "kelvo_${VERSION}_$(dpkg --print-architecture).deb"

# Exactly these files, so no test program, benchmark or build leftover slips in.
expected="./usr/bin/kelvo
./usr/share/applications/$APP_ID.desktop
./usr/share/doc/kelvo/changelog.gz
./usr/share/doc/kelvo/copyright
./usr/share/doc/kelvo/readme.txt
./usr/share/man/man1/kelvo.1.gz
./usr/share/metainfo/$APP_ID.metainfo.xml"
for size in 16 32 48 64 128 256; do
    expected+=$'\n'"./usr/share/icons/hicolor/${size}x$size/apps/$APP_ID.png"
done
expected+=$'\n'"./usr/share/icons/hicolor/scalable/apps/$APP_ID.svg"
dpkg-deb --fsys-tarfile "$DEB" | tar -t | grep -v '/$' | sort > "$T/files"
check "the package holds exactly the program, its menu entry, icons, metadata and documents" \
    diff <(sort <<< "$expected") "$T/files"

# The dependencies were read from the executable, and this machine satisfies every one of them.
depends=$(dpkg-deb -f "$DEB" Depends)
check "dependencies computed from the binary: $depends" grep -q 'libqt6widgets6 (>= ' <<< "$depends"
satisfied() {
    local dep name op version installed
    while IFS= read -r dep; do
        read -r name op version <<< "$(sed -E 's/^ *([^ (]+) *(\(([<>=]+) *([^)]+)\))?.*/\1 \3 \4/' <<< "$dep")"
        installed=$(dpkg-query -W -f='${Version}' "$name" 2> /dev/null) || { echo "missing $name"; return 1; }
        [ -z "$op" ] || dpkg --compare-versions "$installed" "$op" "$version" || { echo "$name $installed"; return 1; }
    done < <(tr ',' '\n' <<< "$depends")
}
check "every dependency is installed here" satisfied

# 2. dpkg -i into the throwaway root. Its database knows none of the machine's libraries, hence
# --force-depends; the program runs on the machine's own libraries, checked just above.
R=$T/sysroot
mkdir -p "$R/var/lib/dpkg/info" "$R/var/lib/dpkg/updates" "$R/var/lib/dpkg/triggers"
touch "$R/var/lib/dpkg/status" "$R/var/lib/dpkg/available"
dpkg_root() { dpkg --root="$R" --force-depends --force-not-root "$@"; }
dpkg_root -i "$DEB" > "$T/dpkg-install.log" 2>&1 && ok "dpkg -i" || { cat "$T/dpkg-install.log"; bad "dpkg -i"; exit 1; }
check "dpkg knows kelvo $VERSION as installed" \
    test "$(dpkg-query --admindir="$R/var/lib/dpkg" -W -f='${Status} ${Version}' kelvo)" = \
    "install ok installed $VERSION"

DESKTOP=$R/usr/share/applications/$APP_ID.desktop
check "desktop-file-validate" desktop-file-validate "$DESKTOP"
check "appstreamcli validate --no-net" appstreamcli validate --no-net --no-color \
    "$R/usr/share/metainfo/$APP_ID.metainfo.xml"
check "the menu entry names the icon that is installed" \
    test "$(sed -n 's/^Icon=//p' "$DESKTOP")" = "$APP_ID"
check "the executable is stripped" bash -c "! readelf -S --wide '$R/usr/bin/kelvo' | grep -q '\.symtab'"

# 3. The installed program, started with its menu entry's command, as a plain user. It must keep its
# settings and its per-user level in ~/.config/Kelvo/ and its lock in the runtime folder, and write
# nothing beside itself.
EXEC=$(sed -n 's/^Exec=//p' "$DESKTOP")
chmod 755 "$T"
if [ "$(id -u)" -eq 0 ]; then
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    owner=nobody:nogroup
else
    # A plain user already: the program folder is made read-only, as a system folder is for a user.
    as_user=()
    owner=$(id -un):$(id -gn)
    chmod a-w "$R/usr/bin"
fi
run_installed() { # run_installed NAME RUNNER...: start the menu command with its own home and runtime folder
    local name=$1
    shift
    mkdir -p "$T/$name/home" && mkdir -m 700 "$T/$name/run"
    chown -R "$owner" "$T/$name" 2> /dev/null
    "$@" env -i PATH="$R/usr/bin:/usr/bin:/bin" HOME="$T/$name/home" XDG_RUNTIME_DIR="$T/$name/run" \
        QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 $EXEC > "$T/$name.log" 2>&1 &
    PID=$!
    PIDS+=($PID)
}
# Whether the program catches SIGTERM yet: its handler is installed at the end of start-up, after the
# settings file is written, and a SIGTERM before that ends the process without its orderly end.
catches_term() {
    local mask
    mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$PID/status") && (((0x$mask >> 14) & 1))
}
# stop_installed: ends the program as the desktop does at log-out and returns its exit status.
stop_installed() {
    wait_for 10 catches_term || return 1
    kill -TERM "$PID"
    wait "$PID"
}
ini_written() { grep -q '^Level=0' "$1/home/.config/Kelvo/Kelvo.ini"; }
run_installed user "${as_user[@]}"
check "the plain user's settings appear in ~/.config/Kelvo/Kelvo.ini" wait_for 20 ini_written "$T/user"
check "the single-instance lock is in the runtime folder" test -e "$T/user/run/kelvo.lock"
check "the program ends cleanly" stop_installed
check "the per-user level is kept in ~/.config/Kelvo/" grep -q 'Level=0' "$T/user/home/.config/Kelvo/Kelvo.conf"
check "the lock is gone" test ! -e "$T/user/run/kelvo.lock"
cat "$T/user.log"
chmod u+w "$R/usr/bin"
if [ "$(id -u)" -eq 0 ]; then
    # Root could write to the program folder; an installed program still keeps its settings per user.
    run_installed root
    check "run by root, the settings go to root's ~/.config/Kelvo/ too" wait_for 20 ini_written "$T/root"
    check "the program ends cleanly" stop_installed
fi
check "nothing was written beside the installed program" test "$(ls -A "$R/usr/bin")" = kelvo

# 4. dpkg -r: nothing of the package is left.
dpkg_root -r kelvo > "$T/dpkg-remove.log" 2>&1 && ok "dpkg -r kelvo" || { cat "$T/dpkg-remove.log"; bad "dpkg -r kelvo"; }
check "dpkg no longer lists kelvo" \
    bash -c "! dpkg-query --admindir='$R/var/lib/dpkg' -W -f='\${Status}' kelvo 2> /dev/null | grep -q installed"
left=$(cd "$R" && find . -mindepth 1 -path ./var -prune -o -print)
check "no file or folder of the package is left${left:+: $left}" test -z "$left"

echo "$PASSES passed, $FAILS failed"
[ "$FAILS" -eq 0 ]
