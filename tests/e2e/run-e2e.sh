#!/usr/bin/env bash
# End-to-end test of Kelvo as a user meets it: the real executable in a fresh program folder, under Xvfb
# with openbox and the trayer tray host, clicked with xdotool. Screenshots go to the artefact folder.
# Usage: run-e2e.sh KELVO_EXECUTABLE [ARTEFACT_DIR]
#
# Nothing here may hang: every call of an X tool is bounded by `timeout`, every wait polls against a
# deadline, and a tool that does not answer ends the whole run at once with the name of the step it was
# in. Screenshots are read from Xvfb's framebuffer file, never through the server (a client that grabs
# the server can block every other one). Every run gets its own home, caches and runtime folder, so a run
# on a fresh machine is no different from the hundredth.
set -u
KELVO=${1:?usage: run-e2e.sh KELVO_EXECUTABLE [ARTEFACT_DIR]}
OUT=${2:-$(mktemp -d)}
TITLE='Kelvo 2.0 Build 26'
CLASS=Kelvo # WM_CLASS is ("kelvo" "Kelvo")
RESTORE_CYCLES=10
mkdir -p "$OUT"
# The run's folder $T, its home, and the generic helpers (say/ok/bad, x, wait_for, stop, gone, geom, shot,
# win_state, start_x) with the clean-up at exit.
source "$(dirname "${BASH_SOURCE[0]}")/desktop-lib.sh"

# Each finder prints an id and fails when there is none.
main_win() { local w; w=$(x 5 xdotool search --onlyvisible --name "^$TITLE\$" | head -1); [ -n "$w" ] && echo "$w"; }
icon_win() {
    local w
    w=$(x 5 xwininfo -tree -id "$PANEL" | awk -v c="(\"kelvo\" \"$CLASS\")" 'index($0, c){print $1; exit}')
    [ -n "$w" ] && echo "$w"
}
no_icon_win() { ! icon_win; }
menu_win() {
    local w
    for w in $(x 5 xdotool search --onlyvisible --maxdepth 1 --class "^$CLASS\$"); do
        x 5 xwininfo -id "$w" | grep -q 'Override Redirect State: yes' && { echo "$w"; return 0; }
    done
    return 1
}
no_menu_win() { ! menu_win; }
restored() { state_is "$WIN" "Normal IsViewable active"; }
withdrawn() { [ "$(x 5 xwininfo -id "$WIN" | awk '/Map State:/{print $3}')" != IsViewable ]; }
move_to() {
    local X Y SCREEN WINDOW
    eval "$(x 5 xdotool getmouselocation --shell)"
    # --sync to the spot the pointer is already on waits for a motion that never comes.
    if [ "$X" = "$1" ] && [ "$Y" = "$2" ]; then return 0; fi
    x 5 xdotool mousemove --sync "$1" "$2"
}
# click_in WIN X Y: a left click at client coordinates of WIN.
click_in() {
    local X Y W H
    read -r X Y W H < <(geom "$1")
    sleep 0.5
    move_to $((X + $2)) $((Y + $3))
    x 5 xdotool click 1
}
# click_icon BUTTON [REPEAT]: separate gestures lie further apart than the double-click interval.
click_icon() {
    local X Y W H
    sleep 0.6
    read -r X Y W H < <(geom "$ICON")
    move_to $((X + W / 2)) $((Y + H / 2))
    x 5 xdotool click --repeat "${2:-1}" --delay 80 "$1"
}
# blocks IMAGE X Y W H -> "MIXED COLOURS": of the area's 2 x 2 blocks (counted from X, Y), how many hold
# more than one colour, and how many colours the area has.
blocks() {
    x 20 convert "$1" -crop "${4}x$5+$2+$3" +repage -depth 8 txt:- 2> /dev/null |
        awk 'NR > 1 { split($1, p, /[,:]/); c[p[1], p[2]] = $3; seen[$3] = 1
                      if (p[1] + 1 > w) w = p[1] + 1; if (p[2] + 1 > h) h = p[2] + 1 }
             END { m = 0; n = 0
                   for (y = 0; y + 1 < h; y += 2) for (x = 0; x + 1 < w; x += 2)
                       if (c[x, y] != c[x + 1, y] || c[x, y] != c[x, y + 1] || c[x, y] != c[x + 1, y + 1]) m++
                   for (k in seen) n++
                   print m, n }'
}
ini_has() { grep -q -- "$1" "$T/program/Kelvo.ini"; }
start_tray() {
    trayer --edge top --align right --widthtype request --height 32 --SetDockType true --transparent false \
        > "$T/tray.log" 2>&1 &
    TRAY_PID=$!
    PIDS+=($TRAY_PID)
    wait_for 20 x 5 xdotool search --classname '^panel$' || return 1
    PANEL=$(x 5 xdotool search --classname '^panel$' | head -1)
}
# Text rows and separators of the menu screenshot, from the average grey of each pixel row: a band of 4+
# rows darker than the menu's face is an entry's caption, a band of 1-2 clearly darker rows a separator.
menu_rows() {
    x 20 convert "$1" -colorspace Gray -shave 6x1 -scale '1x!' -depth 8 txt:- 2> /dev/null |
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
open_menu() {
    click_icon 3
    wait_for 5 menu_win || return 1
    MENU=$(menu_win)
}
# close_to_tray: the user's close box (a close request through the window manager).
close_to_tray() {
    x 5 wmctrl -c "$TITLE"
    wait_for 5 withdrawn
}
# expect_restored LABEL T0: the window must come back normal, mapped and active.
expect_restored() {
    if wait_for 5 restored; then
        ok "$1: normal, mapped and active in $(ms_since "$2") ms"
    else
        bad "$1: window is '$(win_state "$WIN")' ($(x 5 xprop -id "$WIN" _NET_WM_STATE))"
    fi
}


# 1. X server, window manager, tray host.
step 'start Xvfb and openbox'
start_x || { bad "X server or window manager did not start: $(tail -n 3 "$T/xvfb.log" "$T/wm.log" | tr '\n' '|')"; exit 1; }
step 'start trayer'
start_tray || { bad "tray host did not start"; exit 1; }
say "X on $DISPLAY, tray panel $PANEL"

# 2. The program in a fresh program folder, with its own runtime and config folders.
step 'start Kelvo'
mkdir -p "$T/program"
mkdir -m 700 "$T/run"
cp "$KELVO" "$T/program/kelvo"
cp "$(dirname "$KELVO")/readme.txt" "$T/program/readme.txt"
run_kelvo() {
    env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$T/run" QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 \
        "$T/program/kelvo" "$@"
}
T0=$(date +%s%N)
run_kelvo > "$T/kelvo.log" 2>&1 &
KELVO_PID=$!
PIDS+=($KELVO_PID)
wait_for 20 main_win && ok "main window shown in $(ms_since "$T0") ms" || { bad "main window not shown"; exit 1; }
WIN=$(main_win)
read -r X Y W H < <(geom "$WIN")
[ "${W}x$H" = 371x348 ] && ok "client area 371x348" || bad "client area ${W}x$H"
wait_for 20 icon_win && ok "tray icon embedded" || { bad "no tray icon"; exit 1; }
ICON=$(icon_win)
wait_for 5 ini_has 'Level=0' && ok "settings file created" || bad "no settings file"
step 'screenshots of the window and the icon'
move_to 1010 750 # the framebuffer holds the pointer too: keep it off the windows
sleep 0.5
shot "$WIN" "$OUT/window.png" && shot "$ICON" "$OUT/icon.png" && ok "screenshots from the framebuffer file" ||
    bad "screenshots"

# 3. The close box sends the window to the tray; the process lives on; the icon brings the window back,
#    normal, mapped and active, every time.
step 'first close to the tray'
close_to_tray && ok "close hides the window" || bad "close did not hide"
gone "$KELVO_PID" && bad "ended on close" || ok "still running after close"
RESTORED=0
for cycle in $(seq "$RESTORE_CYCLES"); do
    step "restore $cycle of $RESTORE_CYCLES by a left click"
    [ "$cycle" = 1 ] || close_to_tray || bad "close $cycle did not hide"
    click_icon 1
    T0=$(date +%s%N)
    if wait_for 5 restored; then
        RESTORED=$((RESTORED + 1))
        say "restore $cycle: $(ms_since "$T0") ms"
    else
        say "restore $cycle missed: window is '$(win_state "$WIN")' ($(x 5 xprop -id "$WIN" _NET_WM_STATE))"
    fi
done
[ $RESTORED = "$RESTORE_CYCLES" ] && ok "left click restored $RESTORED of $RESTORE_CYCLES closes" ||
    bad "left click restored $RESTORED of $RESTORE_CYCLES closes"
step 'restore by a double click'
close_to_tray || bad "close did not hide"
click_icon 1 2
T0=$(date +%s%N)
expect_restored "double click" "$T0"
step 'restore by the menu entry "Show"'
close_to_tray || bad "close did not hide"
if open_menu; then
    read -r X Y W H < <(geom "$MENU")
    move_to $((X + W / 2)) $((Y + 12))
    x 5 xdotool click 1
    T0=$(date +%s%N)
    expect_restored "menu Show" "$T0"
else
    bad "menu did not open for Show"
fi
step 'restore after a minimize from the title bar'
x 5 xdotool windowminimize "$WIN"
wait_for 5 withdrawn || bad "minimize did not hide"
click_icon 1
T0=$(date +%s%N)
expect_restored "left click after a minimize" "$T0"

# 4. The tray menu: four entries and two separators.
step 'the tray menu'
if open_menu; then
    move_to 10 700
    sleep 0.3
    shot "$MENU" "$OUT/menu.png"
    read -r ROWS SEPS < <(menu_rows "$OUT/menu.png")
    [ "$ROWS $SEPS" = "4 2" ] && ok "menu has 4 entries and 2 separators" ||
        bad "menu rows: $ROWS entries, $SEPS separators"
    # A click elsewhere closes it.
    move_to 300 600
    x 5 xdotool click 1
    wait_for 3 no_menu_win && ok "a click elsewhere closes the menu" || bad "menu stayed open"
else
    bad "menu did not open"
fi

# 5. Options write their settings at once.
step 'options write the settings file'
click_in "$WIN" 21 175 # OptionLevel(2), "Heavy"
wait_for 5 ini_has 'Level=2' && ok "level option writes Level=2" ||
    bad "Level not written: $(tr '\r\n' '  ' < "$T/program/Kelvo.ini")"
click_in "$WIN" 18 217 # CheckOptionRAM(0), timed mode
wait_for 5 ini_has 'Timed=True' && ini_has 'Time=300' && ok "timed check box writes Timed=True and Time=300" ||
    bad "Timed/Time not written: $(tr '\r\n' '  ' < "$T/program/Kelvo.ini")"
move_to 1010 750
sleep 1.5
shot "$WIN" "$OUT/window-timed.png"

# 6. A second instance ends at once with status 0; the first lives on.
step 'second instance'
T1=$(date +%s%N)
timeout -k 1 10 env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$T/run" QT_QPA_PLATFORM=xcb \
    "$T/program/kelvo" > "$T/second.log" 2>&1
RC=$?
[ $RC = 0 ] && ok "second instance ended with 0 in $(ms_since "$T1") ms" || bad "second instance rc=$RC"
gone "$KELVO_PID" && bad "first instance gone" || ok "first instance alive"

# 7. The tray host goes away and comes back: the icon returns.
#    A window hidden in the tray is not left out of reach while the tray is gone: it waits minimized.
step 'tray host restart'
close_to_tray || bad "close did not hide"
stop "$TRAY_PID"
wait_for 15 state_is "$WIN" 'Iconic*' && ok "with the tray gone the window waits minimized in the task list" ||
    bad "with the tray gone the window is '$(win_state "$WIN")'"
start_tray || bad "tray host did not restart"
wait_for 20 icon_win && ok "icon back when the tray returns" || bad "icon did not return"
ICON=$(icon_win)
click_icon 1
expect_restored "left click once the tray is back" "$(date +%s%N)"

# ---- 7b. The progress bar `pb` through a "Heavy" pass -----------------------------------------------
# The bar before any pass, frames read from the framebuffer while a pass runs (each frame's filled width
# measured: it may only grow), and the full bar after it. The pass commits real memory, so the program
# is first moved into a memory group of its own with a limit of 1.5 GB; the pass keeps its reserve below
# that limit. Where no such group can be made, the pass is skipped with a message.
step 'progress bar through a Heavy pass'
PB_X=6 PB_Y=292 PB_W=357 PB_H=24 # pb's place in the client area
# The sampler (pb-sample.py beside this script) reads the bar's pixels straight from the framebuffer file.
# pb_frames NAME MODE [SECONDS]: samples the bar into $OUT/NAME-NN.png, one line per frame in $T/NAME.txt.
pb_frames() {
    read -r X Y W H < <(geom "$WIN")
    timeout -k 1 $((${3:-1} + 10)) python3 "$(dirname "${BASH_SOURCE[0]}")/pb-sample.py" "$T/fb/Xvfb_screen0" $((X + PB_X)) $((Y + PB_Y)) \
        $PB_W $PB_H "$T/$1" "${3:-1}" "$2" > "$T/$1.txt"
    local f
    for f in "$T/$1"-*.ppm; do
        [ -e "$f" ] && x 20 convert "$f" "$OUT/$(basename "${f%.ppm}").png"
    done
}
# The gradient of style 4 runs from Lighten(140) to Lighten(200) of the bar colour 0x6A240A; an empty
# bar is its first column alone (x = 2), a full one CLng(353) + 1 = 354 columns, x = 2 to 355.
GRAD_FIRST=144,156,187 GRAD_LAST=202,207,222
move_to 1010 750
sleep 0.5
pb_frames pb-before once
read -r _ _ FILLED FIRST LAST < "$T/pb-before.txt"
[ "$FILLED $FIRST" = "1 $GRAD_FIRST" ] && ok "bar before any pass: empty (one gradient column, $FIRST)" ||
    bad "bar before any pass: $FILLED columns, first $FIRST"
CG_PARENT=/sys/fs/cgroup/memory$(awk -F: '$2 == "memory" {print $3}' /proc/self/cgroup)
CG="$CG_PARENT/kelvo-e2e-$$"
# $KELVO_PID is the shell that started the program; the program itself is its child.
KELVO_PROCS="$KELVO_PID $(cat /proc/"$KELVO_PID"/task/*/children 2> /dev/null)"
# in_group: every one of them is in the new group (the pass must never run outside it).
in_group() {
    local p
    for p in $KELVO_PROCS; do
        grep -q "^[0-9]*:memory:.*/kelvo-e2e-$$\$" "/proc/$p/cgroup" 2> /dev/null || return 1
    done
}
move_procs() {
    local p
    for p in $KELVO_PROCS; do echo "$p" > "$1/cgroup.procs" || return 1; done
}
if mkdir "$CG" 2> /dev/null && echo $((1536 * 1024 * 1024)) > "$CG/memory.limit_in_bytes" &&
    move_procs "$CG" && in_group; then
    say "Kelvo (processes $KELVO_PROCS) runs in $CG, limit $(($(cat "$CG/memory.limit_in_bytes") / 1048576)) MB"
    click_in "$WIN" 21 175 # OptionLevel(2), "Heavy" (already chosen above; chosen again for this step)
    wait_for 5 ini_has 'Level=2' || bad "Level=2 not written"
    move_to 1010 750
    sleep 0.5
    pb_frames pb-pass run 30 &
    SAMPLER=$!
    sleep 0.3
    click_in "$WIN" 181 330 # cmdOptimize, "Free RAM Now"
    move_to 1010 750
    # The button stays disabled for the pass it started: its look during the pass, next to the one after.
    shot "$WIN" "$T/win-during.png" && x 20 convert "$T/win-during.png" -crop 123x25+120+318 +repage \
        "$OUT/button-during-pass.png"
    wait "$SAMPLER"
    say "pass frames (index, ms, filled columns, first and last gradient colour):"
    sed 's/^/    /' "$T/pb-pass.txt"
    PEAK=$(cat "$CG/memory.max_usage_in_bytes")
    say "peak memory of the program's group during the pass: $((PEAK / 1048576)) MB"
    [ "$PEAK" -le $((1536 * 1024 * 1024)) ] && ok "pass stayed within 1.5 GB" || bad "pass used $PEAK bytes"
    awk 'NR > 1 && $3 < prev {back = 1} {prev = $3} END {exit back}' "$T/pb-pass.txt" &&
        ok "the bar never went back during the pass" || bad "the bar went back during the pass"
    PARTIAL=$(awk '$3 > 1 && $3 < 354 {n++} END {print n + 0}' "$T/pb-pass.txt")
    [ "$PARTIAL" -ge 2 ] && ok "$PARTIAL frames of the bar part-filled during the pass" ||
        bad "only $PARTIAL part-filled frames caught during the pass"
    sleep 1
    pb_frames pb-after once
    read -r _ _ FILLED FIRST LAST < "$T/pb-after.txt"
    [ "$FILLED $FIRST $LAST" = "354 $GRAD_FIRST $GRAD_LAST" ] &&
        ok "bar full after the pass: 354 gradient columns from $FIRST to $LAST" ||
        bad "bar after the pass: $FILLED columns, $FIRST to $LAST"
    shot "$WIN" "$T/win-after.png" && x 20 convert "$T/win-after.png" -crop 123x25+120+318 +repage \
        "$OUT/button-after-pass.png"
    if [ "$(x 20 compare -metric AE "$OUT/button-during-pass.png" "$OUT/button-after-pass.png" null: 2>&1)" != 0 ]; then
        ok "the button showed another look (disabled) during the pass"
    else
        say "the pass ended before the button could be caught disabled"
    fi
    # Back to the group the script runs in, so the memory group can go.
    move_procs "$CG_PARENT"
    rmdir "$CG" 2> /dev/null || say "memory group $CG left behind"
else
    move_procs "$CG_PARENT" 2> /dev/null
    rmdir "$CG" 2> /dev/null
    say "SKIP the pass: no memory group of 1.5 GB could be made under $CG_PARENT, and the pass must not run unlimited"
fi
# ---- end of 7b -------------------------------------------------------------------------------------

# ---- 7c. "Free RAM Now" is the skinned button (looked at only: a click would start a real pass) ----
# Its window is cut to style 14's shape, so its corner pixel shows the background while the frame runs
# next to it; moving the mouse over it shows the hovered look, and leaving brings the plain look back.
step '"Free RAM Now" button look'
BTN_CROP=123x25+120+318 # the button's place in the client area
button_shot() { shot "$WIN" "$T/win-$1.png" && x 20 convert "$T/win-$1.png" -crop "$BTN_CROP" +repage "$OUT/button-$1.png"; }
pixel_of() { x 10 convert "$1" -format "%[pixel:p{$2,$3}]" info: 2> /dev/null; }
same_image() { [ "$(x 20 compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
move_to 1010 750
sleep 0.5
if button_shot plain; then
    CORNER=$(pixel_of "$OUT/button-plain.png" 0 0)
    TOP=$(pixel_of "$OUT/button-plain.png" 1 0)
    LEFT=$(pixel_of "$OUT/button-plain.png" 0 1)
    [ -n "$TOP" ] && [ "$TOP" = "$LEFT" ] && [ "$CORNER" != "$TOP" ] &&
        ok "button drawn as style 14: frame $TOP, cut corner $CORNER" ||
        bad "button frame/corner: corner $CORNER, top $TOP, left $LEFT"
    read -r WX WY _ _ < <(geom "$WIN")
    move_to $((WX + 180)) $((WY + 330))
    sleep 0.5
    # Compared left of the caption, away from the pointer the framebuffer shows: the gradient gives way
    # to the flat hovered face.
    button_shot hover &&
        [ "$(pixel_of "$OUT/button-plain.png" 10 8)" != "$(pixel_of "$OUT/button-hover.png" 10 8)" ] &&
        ok "hovered look while the mouse is over the button" || bad "no hovered look"
    move_to 1010 750
    sleep 0.5
    button_shot after && same_image "$OUT/button-plain.png" "$OUT/button-after.png" &&
        ok "plain look again after the mouse left" || bad "look did not return after the mouse left"
else
    bad "button screenshot"
fi
# ---- end of 7c ----

# ---- 7d. Header frame (sknFrame3D1) -------------------------------------------------------------------------
# Its bump border (style 2, square) is drawn in the system colours over its 106 x 50 picture: the light
# ring's top and left run along the frame's edge and its right and bottom one pixel inside, the dark ring
# one pixel further in and out. A clean run leaves no error log anywhere.
step 'header frame'
FRAME_X=264 FRAME_Y=2 # 3960, 30 twips in the main window's client area; 107 x 51 pixels
SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# hex FILE X Y: the pixel's colour as #RRGGBB.
hex() { x 20 convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -1; }
at() { hex "$T/header.png" $((FRAME_X + $1)) $((FRAME_Y + $2)); }
move_to 1010 750
sleep 0.5
if shot "$WIN" "$T/header.png"; then
    x 20 convert "$T/header.png" -crop "107x51+$FRAME_X+$FRAME_Y" +repage -scale 400% "$OUT/header-frame.png"
    LIGHT=$(at 0 25) DARK=$(at 1 25)
    RINGS="$(at 50 0) $(at 105 25) $(at 50 49) / $(at 50 1) $(at 106 25) $(at 50 50)"
    [ "$RINGS" = "$LIGHT $LIGHT $LIGHT / $DARK $DARK $DARK" ] && ok "bump border: light $LIGHT, dark $DARK" ||
        bad "bump border rings: left $LIGHT/$DARK, others $RINGS"
    brightness() { local h=${1#\#}; echo $((16#${h:0:2} + 16#${h:2:2} + 16#${h:4:2})); }
    [ -n "$LIGHT" ] && [ -n "$DARK" ] && [ "$(brightness "$LIGHT")" -gt "$(brightness "$DARK")" ] &&
        ok "the light ring is lighter than the dark one" || bad "ring colours $LIGHT, $DARK"
    PICTURE=$(hex "$SOURCE/assets/images/frame.png" 53 25) SEEN=$(at 53 25)
    [ -n "$PICTURE" ] && [ "$SEEN" = "$PICTURE" ] && ok "the frame's picture shows inside the border ($SEEN)" ||
        bad "inside the frame $SEEN, picture $PICTURE"
else
    bad "header frame screenshot"
fi
LOGS=$(find "$T/program" "$XDG_CONFIG_HOME" -name 'ErrorLog.txt*' 2> /dev/null)
[ -z "$LOGS" ] && ok "no ErrorLog.txt in a clean run" || bad "error log written: $LOGS: $(head -c 300 $LOGS)"
# ---- end of header frame ---------------------------------------------------------------------------------

# 8. High-resolution screen ---------------------------------------------------------------------------
#    A second program at device pixel ratio 2, in its own program and runtime folders: the window is
#    twice the size, the skin is shown in exact 2 x 2 blocks and the labels' text has finer detail than
#    that. Areas are given in window units (pixels at 96 DPI) and checked at twice their place and size.
step 'high-resolution screen'
close_to_tray || bad "close did not hide" # nothing of the first window in front of the second
mkdir -p "$T/program2"
mkdir -m 700 "$T/run2"
cp "$T/program/kelvo" "$T/program2/kelvo"
env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$T/run2" QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 QT_SCALE_FACTOR=2 \
    "$T/program2/kelvo" > "$T/hidpi.log" 2>&1 &
HIDPI_PID=$!
PIDS+=($HIDPI_PID)
hidpi_win() {
    local w
    w=$(x 5 xdotool search --all --onlyvisible --pid "$HIDPI_PID" --name "^$TITLE\$" | head -1)
    [ -n "$w" ] && echo "$w"
}
# hidpi_area NAME X Y W H: the 2 x 2 block count of that area of the screenshot, as "MIXED COLOURS".
hidpi_area() { blocks "$OUT/window-2x.png" $((2 * $2)) $((2 * $3)) $((2 * $4)) $((2 * $5)); }
# The skin is on the screen once the option shows more than its face colour.
hidpi_painted() {
    shot "$HWIN" "$OUT/window-2x.png" || return 1
    read -r MIXED COLOURS < <(hidpi_area option 14 134 15 19)
    [ "${COLOURS:-0}" -ge 2 ]
}
if wait_for 20 hidpi_win; then
    HWIN=$(hidpi_win)
    read -r X Y W H < <(geom "$HWIN")
    [ "${W}x$H" = 742x696 ] && ok "ratio 2: client area 742x696, twice 371x348" || bad "ratio 2: client area ${W}x$H"
    move_to 1010 750
    wait_for 5 hidpi_painted || bad "ratio 2: the window was not painted"
    for area in "OptionLevel(0) 14 134 15 19" "sknLine3D1 4 116 361 2" "CheckOptionRAM(0) 10 210 17 15"; do
        read -r NAME AX AY AW AH <<< "$area"
        read -r MIXED COLOURS < <(hidpi_area "$NAME" "$AX" "$AY" "$AW" "$AH")
        [ "$MIXED" = 0 ] && [ "${COLOURS:-0}" -ge 2 ] && ok "ratio 2: $NAME in exact 2 x 2 blocks ($COLOURS colours)" ||
            bad "ratio 2: $NAME has $MIXED mixed 2 x 2 blocks ($COLOURS colours)"
    done
    read -r MIXED COLOURS < <(hidpi_area lblLevel 34 136 87 13)
    [ "${MIXED:-0}" -gt 20 ] && ok "ratio 2: label text drawn finer than 2 x 2 blocks ($MIXED mixed blocks)" ||
        bad "ratio 2: label text is only $MIXED mixed blocks"
else
    bad "ratio 2: window not shown ($(tail -n 3 "$T/hidpi.log" | tr '\n' '|'))"
fi
stop "$HIDPI_PID"
gone "$HIDPI_PID" && ok "ratio 2: program ended" || bad "ratio 2: program still running"
# Its tray icon goes with it; only the first program's stays.
one_icon() { [ "$(x 5 xwininfo -tree -id "$PANEL" | grep -c "(\"kelvo\" \"$CLASS\")")" = 1 ]; }
wait_for 5 one_icon || bad "ratio 2: its tray icon stayed"
# ------------------------------------------------------------------------------------------------------

# 9. "Exit" ends the process with 0 and removes the icon.
step 'Exit from the tray menu'
if open_menu; then
    read -r X Y W H < <(geom "$MENU")
    move_to $((X + W / 2)) $((Y + H - 12))
    x 5 xdotool click 1
else
    bad "menu did not open for Exit"
fi
if wait_for 5 gone "$KELVO_PID"; then
    wait "$KELVO_PID"
    RC=$?
    [ $RC = 0 ] && ok "Exit ended the process with 0" || bad "Exit: rc=$RC ($(tail -n 3 "$T/kelvo.log" | tr '\n' '|'))"
else
    bad "Exit did not end the process"
fi
wait_for 5 no_icon_win && ok "icon removed" || bad "icon still in the tray"
cp "$T/program/Kelvo.ini" "$OUT/Kelvo.ini" 2> /dev/null

say "artefacts in $OUT"
echo "$PASSES passed, $FAILS failed"
exit $((FAILS > 0))
