#!/usr/bin/env bash
# End-to-end test of Kelvo as a user meets it: the real executable in a fresh program folder, under Xvfb
# with openbox and the trayer tray host, clicked with xdotool. Screenshots go to the artefact folder.
# Usage: run-e2e.sh KELVO_EXECUTABLE [ARTEFACT_DIR]
set -u
KELVO=${1:?usage: run-e2e.sh KELVO_EXECUTABLE [ARTEFACT_DIR]}
OUT=${2:-$(mktemp -d)}
TITLE='Kelvo 2.0 Build 26'
CLASS=Kelvo # WM_CLASS is ("kelvo" "Kelvo")
T=$(mktemp -d)
mkdir -p "$OUT"
PIDS=()
FAILS=0
PASSES=0
START=$(date +%s.%N)

cleanup() {
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null; done
    for p in "${PIDS[@]}"; do wait "$p" 2>/dev/null; done
    rm -rf "$T"
}
trap cleanup EXIT

say() { printf '[%6.2fs] %s\n' "$(awk -v a="$(date +%s.%N)" -v b="$START" 'BEGIN{print a-b}')" "$*"; }
ok() { say "PASS $*"; PASSES=$((PASSES + 1)); }
bad() { say "FAIL $*"; FAILS=$((FAILS + 1)); }
# wait_for SECONDS CMD...: poll CMD every 0.1 s until it succeeds.
wait_for() {
    local end=$(($(date +%s%N) + ${1%.*} * 1000000000))
    shift
    until "$@" > /dev/null 2>&1; do
        [ "$(date +%s%N)" -gt "$end" ] && return 1
        sleep 0.1
    done
}
# geom WIN -> "X Y W H" of the client area (xwininfo; xdotool is off by the frame under a WM).
geom() {
    [ -n "${1:-}" ] || { echo "0 0 0 0"; return 1; }
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                             /  Width:/{w=$2} /  Height:/{h=$2} END{print x, y, w, h}'
}
# Each finder prints an id and fails when there is none.
main_win() { local w; w=$(xdotool search --onlyvisible --name "^$TITLE\$" | head -1); [ -n "$w" ] && echo "$w"; }
no_main_win() { ! main_win; }
icon_win() {
    local w
    w=$(xwininfo -tree -id "$PANEL" | awk -v c="(\"kelvo\" \"$CLASS\")" 'index($0, c){print $1; exit}')
    [ -n "$w" ] && echo "$w"
}
no_icon_win() { ! icon_win; }
menu_win() {
    for w in $(xdotool search --onlyvisible --maxdepth 1 --class "^$CLASS\$"); do
        xwininfo -id "$w" | grep -q 'Override Redirect State: yes' && { echo "$w"; return 0; }
    done
    return 1
}
no_menu_win() { ! menu_win; }
move_to() {
    local X Y SCREEN WINDOW
    eval "$(xdotool getmouselocation --shell)"
    if [ "$X" = "$1" ] && [ "$Y" = "$2" ]; then return 0; fi
    xdotool mousemove --sync "$1" "$2"
}
# click_in WIN X Y: a left click at client coordinates of WIN.
click_in() {
    local X Y W H
    read -r X Y W H < <(geom "$1")
    sleep 0.5
    move_to $((X + $2)) $((Y + $3))
    xdotool click 1
}
click_icon() {
    local X Y W H
    sleep 0.6 # separate gestures lie further apart than the double-click interval
    read -r X Y W H < <(geom "$ICON")
    move_to $((X + W / 2)) $((Y + H / 2))
    xdotool click "$1"
}
ini_has() { grep -q -- "$1" "$T/program/Kelvo.ini"; }
start_tray() {
    trayer --edge top --align right --widthtype request --height 32 --SetDockType true --transparent false \
        > "$T/tray.log" 2>&1 &
    TRAY_PID=$!
    PIDS+=($TRAY_PID)
    wait_for 10 xdotool search --classname '^panel$' || return 1
    PANEL=$(xdotool search --classname '^panel$' | head -1)
}
# Text rows and separators of the menu screenshot, from the average grey of each pixel row: a band of 4+
# rows darker than the menu's face is an entry's caption, a band of 1-2 clearly darker rows a separator.
menu_rows() {
    convert "$1" -colorspace Gray -shave 6x1 -scale '1x!' -depth 8 txt:- 2> /dev/null |
        awk -F'[(),]' 'NR > 1 { v[NR - 2] = $4 + 0; if ($4 + 0 > face) face = $4 + 0 }
            END {
                n = 0; low = 255; rows = 0; seps = 0
                for (i = 0; i in v || n > 0; i++) {
                    if (i in v && v[i] < face - 6) { n++; if (v[i] < low) low = v[i]; continue }
                    if (n >= 4) rows++; else if (n >= 1 && low < face - 30) seps++
                    n = 0; low = 255
                }
                print rows, seps
            }'
}

# 1. X server, window manager, tray host.
exec 3> "$T/dpy"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset > "$T/xvfb.log" 2>&1 &
PIDS+=($!)
exec 3>&-
wait_for 10 test -s "$T/dpy" || { bad "Xvfb did not start"; exit 1; }
export DISPLAY=:$(head -1 "$T/dpy")
echo 'Xft.dpi: 96' | xrdb -merge
openbox --sm-disable > "$T/wm.log" 2>&1 &
PIDS+=($!)
wait_for 10 wmctrl -m || bad "window manager did not start"
start_tray || { bad "tray host did not start"; exit 1; }
say "X on $DISPLAY, tray panel $PANEL"

# 2. The program in a fresh program folder, with its own runtime and config folders.
mkdir -p "$T/program" "$T/config"
mkdir -m 700 "$T/run"
cp "$KELVO" "$T/program/kelvo"
cp "$(dirname "$KELVO")/readme.txt" "$T/program/readme.txt"
run_kelvo() {
    env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$T/run" XDG_CONFIG_HOME="$T/config" QT_QPA_PLATFORM=xcb \
        QT_FONT_DPI=96 "$T/program/kelvo" "$@"
}
T0=$(date +%s%N)
run_kelvo > "$T/kelvo.log" 2>&1 &
KELVO_PID=$!
PIDS+=($KELVO_PID)
wait_for 10 main_win && ok "main window shown in $((($(date +%s%N) - T0) / 1000000)) ms" || bad "main window not shown"
WIN=$(main_win)
read -r X Y W H < <(geom "$WIN")
[ "${W}x$H" = 371x348 ] && ok "client area 371x348" || bad "client area ${W}x$H"
wait_for 10 icon_win && ok "tray icon embedded" || { bad "no tray icon"; exit 1; }
ICON=$(icon_win)
wait_for 5 ini_has 'Level=0' && ok "settings file created" || bad "no settings file"
sleep 0.5
import -window "$WIN" "$OUT/window.png"
import -window "$ICON" "$OUT/icon.png"

# 3. The close box hides the window; the process lives on; a left click on the icon shows it again.
wmctrl -c "$TITLE"
wait_for 5 no_main_win && ok "close hides the window" || bad "close did not hide"
kill -0 "$KELVO_PID" 2> /dev/null && ok "still running after close" || bad "ended on close"
click_icon 1
wait_for 5 main_win && ok "left click on the icon shows the window" || bad "left click did not show"
WIN=$(main_win)

# 4. The tray menu: four entries and two separators.
click_icon 3
if wait_for 5 menu_win; then
    MENU=$(menu_win)
    move_to 10 700
    sleep 0.3
    import -window "$MENU" "$OUT/menu.png"
    read -r ROWS SEPS < <(menu_rows "$OUT/menu.png")
    [ "$ROWS $SEPS" = "4 2" ] && ok "menu has 4 entries and 2 separators" || bad "menu rows: $ROWS entries, $SEPS separators"
    # A click elsewhere closes it.
    move_to 300 600
    xdotool click 1
    wait_for 3 no_menu_win && ok "a click elsewhere closes the menu" || bad "menu stayed open"
else
    bad "menu did not open"
fi

# 5. Options write their settings at once.
click_in "$WIN" 21 175 # OptionLevel(2), "Heavy"
wait_for 5 ini_has 'Level=2' && ok "level option writes Level=2" || bad "Level not written: $(tr '\r\n' '  ' < "$T/program/Kelvo.ini")"
click_in "$WIN" 18 217 # CheckOptionRAM(0), timed mode
wait_for 5 ini_has 'Timed=True' && ini_has 'Time=300' && ok "timed check box writes Timed=True and Time=300" \
    || bad "Timed/Time not written: $(tr '\r\n' '  ' < "$T/program/Kelvo.ini")"
sleep 1.5
import -window "$WIN" "$OUT/window-timed.png"

# 6. A second instance ends at once with status 0; the first lives on.
T1=$(date +%s%N)
timeout 10 env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$T/run" XDG_CONFIG_HOME="$T/config" QT_QPA_PLATFORM=xcb \
    "$T/program/kelvo" > "$T/second.log" 2>&1
RC=$?
MS=$((($(date +%s%N) - T1) / 1000000))
[ $RC = 0 ] && ok "second instance ended with 0 in $MS ms" || bad "second instance rc=$RC"
kill -0 "$KELVO_PID" 2> /dev/null && ok "first instance alive" || bad "first instance gone"

# 7. The tray host goes away and comes back: the icon returns.
kill "$TRAY_PID"
wait "$TRAY_PID" 2> /dev/null
sleep 1
start_tray || bad "tray host did not restart"
wait_for 10 icon_win && ok "icon back when the tray returns" || bad "icon did not return"
ICON=$(icon_win)

# 8. "Exit" ends the process with 0 and removes the icon.
click_icon 3
if wait_for 5 menu_win; then
    MENU=$(menu_win)
    read -r X Y W H < <(geom "$MENU")
    move_to $((X + W / 2)) $((Y + H - 12))
    xdotool click 1
else
    bad "menu did not open for Exit"
fi
wait_for 5 sh -c "! kill -0 $KELVO_PID 2>/dev/null"
wait "$KELVO_PID"
RC=$?
[ $RC = 0 ] && ok "Exit ended the process with 0" || bad "Exit: rc=$RC ($(tail -n 3 "$T/kelvo.log" | tr '\n' '|'))"
wait_for 5 no_icon_win && ok "icon removed" || bad "icon still in the tray"
cp "$T/program/Kelvo.ini" "$OUT/Kelvo.ini" 2> /dev/null

say "artefacts in $OUT"
echo "$PASSES passed, $FAILS failed"
exit $((FAILS > 0))
