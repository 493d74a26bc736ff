#!/usr/bin/env bash
# Kelvo on the desktops people run, one scenario a call (the desktop recipes are in desktop-lib.sh):
#   status-notifier  Xvfb, openbox and xfce4-panel's StatusNotifierItem tray, driven over D-Bus
#   no-tray          Xvfb and openbox only: closing minimizes, a second start brings the window back
#   wayland          sway (headless) as a throwaway user, no tray
#   notification     no tray; timed passes under a sped-up clock, in a memory group of 1.5 GB
#   screen-reader    Xvfb and openbox; the window as AT-SPI shows it, Tab order and keys, a pass started by its
#                    accessible action (in a memory group of 1.5 GB)
#   swap             Xvfb and openbox, as root; a Heavy pass beside an idle program of 800 MB in a memory group of
#                    1.5 GB, with swap (a swap file of 2 GiB for the run where the machine has none)
# Usage: run-desktops.sh SCENARIO KELVO_EXECUTABLE [ARTEFACT_DIR]. Prints PASS/FAIL lines; exits non-zero on
# any failure, 77 when the scenario cannot run on this machine.
set -u
SCENARIO=${1:?usage: run-desktops.sh SCENARIO KELVO_EXECUTABLE [ARTEFACT_DIR]}
KELVO=${2:?usage: run-desktops.sh SCENARIO KELVO_EXECUTABLE [ARTEFACT_DIR]}
source "$(dirname "${BASH_SOURCE[0]}")/desktop-lib.sh"
OUT=${3:-$T/out}
mkdir -p "$OUT"
TITLE='Kelvo 2.0 Build 26'

# x_setup INI-LINE...: X server, window manager, session bus, and a program folder with those settings.
x_setup() {
    step 'X server, window manager and session bus'
    start_x && start_bus || { bad "desktop did not start: $(tail -n 2 "$T"/*.log | tr '\n' '|')"; summary; }
    new_program "$T/program" && mkdir -m 700 "$T/run" && printf '[General]\r\n%s\r\n' "$@" > "$T/program/Kelvo.ini"
}
# start_kelvo [COMMAND...]: the program (run through COMMAND) with the runtime folder $T/run, on the X server.
start_kelvo() {
    env XDG_RUNTIME_DIR="$T/run" QT_QPA_PLATFORM=xcb "$@" "$T/program/kelvo" >> "$T/kelvo.log" 2>&1 &
    KELVO_PID=$!
    PIDS+=($KELVO_PID)
    local end=$(($(date +%s) + 20))
    until WIN=$(x 5 xdotool search --onlyvisible --pid "$KELVO_PID" --name "^$TITLE\$" | head -1) && [ -n "$WIN" ]; do
        [ "$(date +%s)" -lt $end ] || { bad "main window not shown ($(alive "$KELVO_PID" && echo running || echo ended)): $(tail -n 3 "$T/kelvo.log" | tr '\n' '|') windows: $(windows_of "$KELVO_PID") waiting in: $(cat "/proc/$KELVO_PID/wchan" 2> /dev/null) window manager: $(tail -n 2 "$T/wm.log" | tr '\n' '|')"; summary; }
        sleep 0.05
    done
    ok "main window shown"
}
second_start() { env XDG_RUNTIME_DIR="$T/run" QT_QPA_PLATFORM=xcb timeout -k 1 10 "$T/program/kelvo" >> "$T/kelvo.log" 2>&1; }
ended_with() { wait_for 5 gone "$1" && { wait "$1"; [ $? = "$2" ]; }; } # ended_with PID STATUS
restored() { state_is "$WIN" 'Normal IsViewable active'; }
closed_by_box() { x 5 wmctrl -c "$TITLE" && wait_for 5 state_is "$WIN" "$1"; } # closed_by_box STATE-PATTERN

status_notifier() {
    x_setup 'Level=0'
    start_panel || { bad "no StatusNotifierItem host: $(tail -n 3 "$T/panel.log" | tr '\n' '|')"; summary; }
    step 'the item'
    start_kelvo
    wait_for 10 dbus_tool item "$KELVO_PID" || { bad "no item of process $KELVO_PID registered"; summary; }
    read -r SVC OBJ < <(dbus_tool item "$KELVO_PID")
    ok "item $SVC$OBJ registered by Kelvo's process"
    dbus_tool props "$SVC" "$OBJ" > "$T/props"
    for want in Id=Kelvo Title=Kelvo Status=Active IconName=org.kelvo.Kelvo 'IconPixmap=[0-9]'; do
        check "item property $want ($(grep "^${want%%=*}=" "$T/props"))" grep -q "^$want" "$T/props"
    done
    dbus_tool menu "$SVC" "$OBJ" > "$T/menu"
    MENU=$(cut -d' ' -f2- "$T/menu" | paste -sd'|')
    check "menu $MENU" [ "$MENU" = 'Show|-|Visit Website|Readme.txt|-|Exit' ]
    step 'close and restore'
    check "close box withdraws the window" closed_by_box 'Withdrawn*'
    check "still running after close" alive "$KELVO_PID"
    dbus_tool activate "$SVC" "$OBJ"
    check "Activate restores the window" wait_for 5 restored
    closed_by_box 'Withdrawn*' || bad "second close did not withdraw the window"
    dbus_tool event "$SVC" "$OBJ" "$(awk '$2 == "Show" {print $1}' "$T/menu")"
    check "menu Show restores the window" wait_for 5 restored
    x 5 xdotool mousemove 1000 700
    sleep 0.5 # the panel's next paint
    shot "$(x 5 xdotool search --onlyvisible --classname '^xfce4-panel$' | head -1)" "$OUT/status-notifier-panel.png"
    COLOURS=$(x 20 convert "$OUT/status-notifier-panel.png" -format %k info:)
    check "the icon is drawn in the panel (screenshot of ${COLOURS:-no} colours)" [ "${COLOURS:-0}" -gt 30 ]
    step 'panel restart'
    stop "$PANEL_PID"
    start_panel && T0=$(date +%s%N) && wait_for 5 dbus_tool item "$KELVO_PID" &&
        ok "item back $(ms_since "$T0") ms after the panel was ready again" || bad "no item after the panel restarted"
    read -r SVC OBJ < <(dbus_tool item "$KELVO_PID")
    dbus_tool event "$SVC" "$OBJ" "$(awk '$2 == "Exit" {print $1}' "$T/menu")"
    check "menu Exit ends the process with 0" ended_with "$KELVO_PID" 0
    step 'a panel that comes after the program'
    stop "$PANEL_PID"
    start_kelvo
    sleep 5 # the host comes 5 s after the program
    start_panel || bad "panel did not start again"
    check "a host started 5 s after Kelvo gets its item within 5 s" wait_for 5 dbus_tool item "$KELVO_PID"
}

no_tray() {
    x_setup 'Minimized=True'
    start_kelvo
    wait_for 5 state_is "$WIN" 'Normal IsViewable*'
    check "shown at start with Minimized=True and no tray ($(win_state "$WIN"))" state_is "$WIN" 'Normal IsViewable*'
    step 'close box'
    closed_by_box 'Iconic*'
    check "close box minimizes ($(win_state "$WIN"))" state_is "$WIN" 'Iconic*'
    check "the window stays in _NET_CLIENT_LIST" eval 'x 5 xprop -root _NET_CLIENT_LIST | grep -qw "$(printf 0x%x "$WIN")"'
    check "still running after close" alive "$KELVO_PID"
    step 'a foreign user'
    check "the channel is the socket $T/run/kelvo.socket" test -S "$T/run/kelvo.socket"
    chmod 711 "$T" # only the runtime folder (0700) may keep the other user out
    ERR=$(x 5 runuser -u nobody -- /usr/bin/python3 -c 'import socket, sys
s = socket.socket(socket.AF_UNIX)
try: s.connect(sys.argv[1]); s.sendall(b"kelvo show\n")
except OSError as e: sys.exit(type(e).__name__)' "$T/run/kelvo.socket" 2>&1)
    check "user nobody cannot reach the channel (${ERR:-connected})" [ "$ERR" = PermissionError ]
    sleep 1 # what a request that got through would have done by now
    check "the window stays minimized ($(win_state "$WIN"))" state_is "$WIN" 'Iconic*'
    step 'second start'
    T0=$(date +%s%N)
    check "a second start ends with 0" second_start
    wait_for 5 restored
    check "it brings the window back within 1 s ($(ms_since "$T0") ms: $(win_state "$WIN"))" eval \
        'restored && [ "$(ms_since "$T0")" -le 1000 ]'
    check "first copy still running" alive "$KELVO_PID"
    shot "$WIN" "$OUT/no-tray-second-start.png"
}

# ---- Wayland: sway and Kelvo as a throwaway user ----------------------------------------------------------
sway_tool() { x 5 "${AS[@]}" env XDG_RUNTIME_DIR="$U/sway-run" SWAYSOCK="$SWAYSOCK" WAYLAND_DISPLAY="$WL" "$@"; }
# sway_window: "present visible|hidden focused|unfocused", or "absent", for the window of $KELVO_PID in sway's tree.
sway_window() {
    sway_tool swaymsg -t get_tree | /usr/bin/python3 -c 'import json, sys
def walk(n):
    yield n
    for c in n.get("nodes", []) + n.get("floating_nodes", []): yield from walk(c)
w = [n for n in walk(json.load(sys.stdin)) if n.get("app_id") == "org.kelvo.Kelvo" and n.get("pid") == int(sys.argv[1])]
print("present %s %s" % (("hidden", "visible")[w[0]["visible"]], ("unfocused", "focused")[w[0]["focused"]]) if w else "absent")' "$KELVO_PID"
}
sway_is() { [[ "$(sway_window)" == $1 ]]; }
kelvo_wl() { "${AS[@]}" env "${UENV[@]}" XDG_RUNTIME_DIR="$U/run" "$@" "$U/program/kelvo"; }
wayland() {
    WU=kelvo-e2e U=$T/user WL=$T/user/sway-run/wayland-1
    step "throwaway user $WU"
    id -u "$WU" > /dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$WU" ||
        { bad "cannot make the user $WU"; summary; }
    as_user "$WU"
    chmod 711 "$T"
    # sway's default for a window activated with a token only marks it urgent; a user who wants what a
    # launcher starts to come forward sets this.
    mkdir -p "$U/home" && mkdir -m 700 "$U/sway-run" "$U/run" && new_program "$U/program" &&
        printf '%s\n' 'output * resolution 1024x768' 'focus_on_window_activation focus' > "$U/sway.conf" &&
        chown -R "$WU:" "$U"
    # A launcher's part: the client that asks sway for an activation token.
    local xml=/usr/share/wayland-protocols/staging/xdg-activation/xdg-activation-v1.xml
    { wayland-scanner client-header $xml "$T/xdg-activation-v1-client-protocol.h" &&
        wayland-scanner private-code $xml "$T/xdg-activation-v1.c" && gcc -I"$T" -o "$T/wl-token" \
        "$LIB_DIR/wl-activation-token.c" "$T/xdg-activation-v1.c" -lwayland-client; } > "$T/gcc.log" 2>&1 ||
        { bad "no token client: $(tail -n 3 "$T/gcc.log" | tr '\n' '|')"; summary; }
    UENV=(-u DISPLAY HOME="$U/home" XDG_CONFIG_HOME="$U/home/.config" XDG_CACHE_HOME="$U/home/.cache"
        XDG_DATA_HOME="$U/home/.local/share" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$WL")
    XDG_RUNTIME_DIR="$U/sway-run" start_bus "$WU" || { bad "no session bus for $WU"; summary; }
    step 'sway'
    "${AS[@]}" env "${UENV[@]}" XDG_RUNTIME_DIR="$U/sway-run" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
        sway -c "$U/sway.conf" > "$T/sway.log" 2>&1 &
    PIDS+=($!)
    wait_for 20 compgen -G "$U/sway-run/sway-ipc.*.sock" && test -S "$WL" ||
        { bad "sway did not start: $(tail -n 3 "$T/sway.log" | tr '\n' '|')"; summary; }
    SWAYSOCK=$(compgen -G "$U/sway-run/sway-ipc.*.sock" | head -1)
    step 'Kelvo on Wayland'
    "${AS[@]}" env "${UENV[@]}" XDG_RUNTIME_DIR="$U/run" "$U/program/kelvo" > "$T/kelvo.log" 2>&1 &
    KELVO_PID=$! # started directly, not through a function, so that this is the program's own id
    PIDS+=($KELVO_PID)
    wait_for 20 sway_is 'present visible*'
    check "window shown in sway's tree ($(sway_window))" sway_is 'present visible*'
    sleep 0.5 # its first frame
    sway_tool grim "$U/shot.png" && cp "$U/shot.png" "$OUT/wayland.png" || say "no screenshot (grim)"
    step 'close'
    sway_tool swaymsg '[app_id="org.kelvo.Kelvo"] kill' > /dev/null
    sleep 1 # what the close does is done by now
    check "still running after close (window $(sway_window))" alive "$KELVO_PID"
    step 'another window takes the focus'
    mkdir -m 700 "$U/run2" && chown "$WU:" "$U/run2"
    "${AS[@]}" env "${UENV[@]}" XDG_RUNTIME_DIR="$U/run2" "$U/program/kelvo" > "$T/rival.log" 2>&1 &
    PIDS+=($!)
    wait_for 10 sway_is 'present*unfocused' || bad "the other window did not take the focus ($(sway_window))"
    step 'second start, with a token from sway as a launcher hands one over'
    TOKEN=$(sway_tool "$T/wl-token") || bad "no activation token from sway"
    check "a second start ends with 0" \
        eval 'kelvo_wl XDG_ACTIVATION_TOKEN="$TOKEN" timeout -k 1 10 >> "$T/kelvo.log" 2>&1'
    wait_for 5 sway_is 'present * focused'
    check "the window is in the tree and focused afterwards ($(sway_window))" sway_is 'present * focused'
    check "first copy still running" alive "$KELVO_PID"
}

# ---- Notifications after passes nobody saw ----------------------------------------------------------------
# A pass ran when the group's peak rose 64 MB over the figure before it and the memory was given back.
mem() { cat "$CG/memory.$1"; }
pass_ran() { [ "$(mem max_usage_in_bytes)" -gt $((BASE + (64 << 20))) ] && [ "$(mem usage_in_bytes)" -lt $((BASE + (32 << 20))) ]; }
next_pass() { BASE=$(mem usage_in_bytes); echo 0 > "$CG/memory.max_usage_in_bytes"; wait_for $((300 / SPEED + 20)) pass_ran; }
notes() { wc -l < "$T/notes"; }
notification() {
    SPEED=${KELVO_E2E_SPEED:-20} # the program's clock runs this many times faster: 300 s take 300/SPEED s
    memory_group "kelvo-desktops-$$" ||
        { say "SKIP no memory group of 1.5 GB can be made; a pass must not run unlimited"; exit 77; }
    x_setup 'Timed=True' 'Time=300' 'Level=0' 'Minimized=False'
    /usr/bin/python3 "$LIB_DIR/desktop-dbus.py" notifications "$T/notes" > "$T/notes.log" 2>&1 &
    PIDS+=($!)
    wait_for 10 test -e "$T/notes" || { bad "notification service did not start: $(cat "$T/notes.log")"; summary; }
    step 'Kelvo in its memory group, under a sped-up clock'
    T0=$(date +%s%N)
    FAKE=$(dpkg -L libfaketime | grep -m1 '/libfaketimeMT.so.1$') # preloaded itself: `faketime` would fork
    start_kelvo "${IN_CG[@]}" env LD_PRELOAD="$FAKE" FAKETIME="+0 x$SPEED"
    check "Kelvo runs in $CG" grep -q ":memory:.*/kelvo-desktops-$$\$" "/proc/$KELVO_PID/cgroup"
    step 'a timed pass with the window shown'
    next_pass && ok "timed pass $(ms_since "$T0") ms after the start, peak $(($(mem max_usage_in_bytes) >> 20)) MB" ||
        { bad "no timed pass within $((300 / SPEED + 20)) s"; summary; }
    sleep 2 # a notification would have come by now
    check "no notification for a pass with the window shown ($(notes))" [ "$(notes)" = 0 ]
    step 'a timed pass with the window closed'
    check "close box takes the window off the screen" closed_by_box '*IsUnMapped*'
    T0=$(date +%s%N)
    next_pass && ok "timed pass $(ms_since "$T0") ms after the close" || bad "no second timed pass"
    wait_for 5 test -s "$T/notes"
    sleep 2 # a second notification would have come by now
    check "exactly one notification for the pass nobody saw ($(notes))" [ "$(notes)" = 1 ]
    say "notification: $(head -1 "$T/notes")"
    cp "$T/notes" "$OUT/notifications.txt"
    FIGURES=$(head -1 "$T/notes" | grep -oE '[0-9]{1,3}(,[0-9]{3})+' | wc -l)
    check "it tells the Free RAM before and after ($FIGURES figures)" eval \
        'head -1 "$T/notes" | grep -q "Free RAM" && [ "$FIGURES" -ge 2 ]'
}

# ---- What a screen reader sees, and the keyboard ----------------------------------------------------------
a11y() { x 15 /usr/bin/python3 "$LIB_DIR/a11y.py" "$@"; }
tree() { a11y dump > "$T/tree"; }
# field N ROLE NAME: field N of the tree's line for the first accessible with that role and name (a11y.py dump).
field() { awk -F'\t' -v f="$1" -v r="$2" -v n="$3" '$2 == r && $3 == n {print $f; exit}' "$T/tree"; }
has() { [ -n "$(field 2 "$1" "$2")" ]; } # has ROLE NAME
in_list() { [[ ",$1," == *",$2,"* ]]; }  # in_list A,B,C B
focus() { a11y focused 2> /dev/null; }
# press KEY: the key to the active window; FOCUS=the accessible focused once the focus moved (or after 2 s).
press() {
    local was=$FOCUS
    x 5 xdotool key "$1"
    wait_for 2 eval '[ "$(focus)" != "$was" ]'
    FOCUS=$(focus)
}
tab_to() { local i; for i in {1..12}; do [ "$FOCUS" = "$1" ] && return; press Tab; done; return 1; } # tab_to NAME
ini_has() { grep -qx "$1"$'\r' "$T/program/Kelvo.ini"; } # ini_has KEY=VALUE, a line ending in CR LF
# figure CAPTION: the figure its label is a label for, without the thousands separators.
figure() { field 6 label "$1" | grep -oE '(^|;)LABEL_FOR>[0-9]{1,3}(,[0-9]{3})*(;|$)' | tr -dc 0-9; }
figures() {
    tree
    AVAIL=$(($(awk '/^MemAvailable:/ {print $2}' /proc/meminfo) * 1024))
    TOTAL=$(figure 'Total Physical RAM:') USED=$(figure 'Physical RAM used:') FREE=$(figure 'Free RAM:')
    [ -n "$TOTAL" ] && [ $((USED + FREE)) = "$TOTAL" ] # the three come from one reading
}
# controls ROLE ACTION LABELLED NAME...: each is there with that action and, with LABELLED=yes, is labelled by
# the label of its caption.
controls() {
    local role=$1 action=$2 labelled=$3 name acts rels
    shift 3
    for name; do
        acts=$(field 5 "$role" "$name") rels=$(field 6 "$role" "$name")
        check "$role \"$name\" with action $action, labelled=$labelled (actions ${acts:-none}; relations ${rels:-none})" eval \
            'in_list "$acts" "$action" && { [ $labelled = no ] || { [[ ";$rels;" == *";LABELLED_BY>$name;"* ]] && has label "$name"; }; }'
    done
}
# box NAME: "X0 Y0 X1 Y1" (X1, Y1 just outside) in the window around everything named NAME, 4 pixels wider each side.
box() {
    awk -F'\t' -v n="$1" -v wx="$WX" -v wy="$WY" '$3 == n && split($8, e, ",") == 4 {
        if (x0 == "" || e[1] < x0) x0 = e[1]; if (y0 == "" || e[2] < y0) y0 = e[2]
        if (e[1] + e[3] > x1) x1 = e[1] + e[3]; if (e[2] + e[4] > y1) y1 = e[2] + e[4]
    } END {print x0 - wx - 4, y0 - wy - 4, x1 - wx + 4, y1 - wy + 4}' "$T/tree"
}
# countdown: NEXT=the name of the label that tells the time to the next timed pass, once there is one.
countdown() {
    tree && NEXT=$(awk -F'\t' '$2 == "label" && index($3, "Next RAM Optimization:") == 1 {print $3; exit}' "$T/tree") &&
        [ -n "$NEXT" ]
}
screen_reader() {
    [ -x /usr/libexec/at-spi-bus-launcher ] && /usr/bin/python3 -c 'import pyatspi' 2> /dev/null ||
        { say "SKIP no screen-reader service here (packages at-spi2-core, python3-pyatspi)"; exit 77; }
    IN_CG=() FOCUS=''
    memory_group "kelvo-a11y-$$" # without one, the pass is left out at the end
    x_setup 'Level=0'
    mkdir "$T/bin" && printf '#!/bin/sh\necho "$*" >> "%s"\n' "$T/opened" > "$T/bin/xdg-open" && chmod +x "$T/bin/xdg-open"
    step 'the accessible tree'
    start_kelvo "${IN_CG[@]}" env -u XDG_CURRENT_DESKTOP QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=C.UTF-8 PATH="$T/bin:$PATH"
    wait_for 20 tree || { bad "no accessible application with a window: $(a11y dump 2>&1 | tail -n 1)"; summary; }
    APP="|$(awk -F'\t' '$1 == 0 || ($1 == 1 && $2 == "frame") {print $2 " " $3}' "$T/tree" | paste -sd'|')|"
    check "the application Kelvo with a frame \"$TITLE\" ($APP)" eval \
        '[[ $APP == "|application Kelvo|"* && $APP == *"|frame $TITLE|"* ]]'
    wait_for 10 figures
    check "total $TOTAL is MemTotal × 1024" [ "${TOTAL:-}" = $(($(awk '/^MemTotal:/ {print $2}' /proc/meminfo) * 1024)) ]
    check "used $USED + free $FREE = total" [ $((USED + FREE)) = "${TOTAL:-none}" ]
    # The window reads the memory every half second and the machine is shared: 5 % of it may come and go.
    check "free $FREE is within 5 % of MemAvailable $AVAIL" \
        [ $((FREE > AVAIL ? FREE - AVAIL : AVAIL - FREE)) -le $((${TOTAL:-0} / 20)) ]
    check "the description is a label" has label 'Easily free up RAM on your computer with just one click! Select the desired'\
' level, then simply click on the Free RAM button.'
    controls 'radio button' Toggle yes Light Moderate Heavy '5 min' '15 min' '30 min' 10% 20% 30%
    controls 'check box' Toggle yes 'at timed intervals, every' 'when free RAM drops below certain level' 'Start Minimize'
    controls 'push button' Press no 'Free RAM Now'
    controls link Press no Readme Website...
    PB=$(field 7 'progress bar' 'Optimization progress')/$(field 4 'progress bar' 'Optimization progress')
    check "read-only progress bar \"Optimization progress\" of 0..100 ($PB)" grep -qE '^[0-9.]+/0/100/.*read-only' <<< "$PB"
    NOT=$(awk -F'\t' '$2 ~ /^(separator|filler|image|progress bar)$/ && $4 ~ /focusable/ {printf "%s %s; ", $2, $3}' "$T/tree")
    check "no separator, filler, image or progress bar is focusable (${NOT:-none is})" [ -z "$NOT" ]
    step 'Tab order'
    INTERVAL=$(awk -F'\t' '$2 == "radio button" && $3 ~ / min$/ && $4 ~ /checked/ {print $3; exit}' "$T/tree")
    PERCENT=$(awk -F'\t' '$2 == "radio button" && $3 ~ /%$/ && $4 ~ /checked/ {print $3; exit}' "$T/tree")
    WANT="at timed intervals, every|${INTERVAL:=5 min}|when free RAM drops below certain level|$PERCENT|Start Minimize"
    WANT+='|Readme|Free RAM Now|Website...|Light'
    x 5 xdotool windowactivate --sync "$WIN"
    wait_for 5 eval '[ "$(focus)" = Light ]'
    FOCUS=$(focus)
    check "the checked level \"Light\" has the focus (${FOCUS:-nothing})" [ "$FOCUS" = Light ]
    read -r WX WY _ < <(geom "$WIN")
    sleep 0.5 # the window's next paint
    shot "$WIN" "$OUT/mouse-look.png"
    GOT=''
    for i in {1..9}; do
        press Tab
        GOT+="|$FOCUS"
        [ $i = 2 ] && SHOT=$FOCUS && sleep 0.5 && shot "$WIN" "$OUT/keyboard-focus.png"
    done
    check "Tab order: ${GOT#|}" [ "${GOT#|}" = "$WANT" ]
    # Only the keyboard draws the mark: the shot before Tab is what a mouse user sees.
    read -r B0 B1 B2 B3 < <(box "$SHOT")
    crop() { x 20 convert "$1" -crop "$((B2 - B0))x$((B3 - B1))+$B0+$B1" +repage "$2"; }
    crop "$OUT/mouse-look.png" "$T/before.png" && crop "$OUT/keyboard-focus.png" "$T/after.png"
    check "a focus mark round \"$SHOT\" after Tab" eval \
        '[ "$(x 20 compare -metric AE "$T/before.png" "$T/after.png" null: 2>&1)" != 0 ]'
    step 'keys'
    tab_to Light
    press Down
    tree
    check "Down: \"Moderate\" focused ($FOCUS) and checked, Level=1 written" eval \
        '[ "$FOCUS" = Moderate ] && in_list "$(field 4 "radio button" Moderate)" checked && wait_for 3 ini_has Level=1'
    press Up
    check "Up: \"Light\" focused ($FOCUS), Level=0 written" eval '[ "$FOCUS" = Light ] && wait_for 3 ini_has Level=0'
    tab_to 'Start Minimize' && x 5 xdotool key space
    check "Space on \"Start Minimize\" writes Minimized=True" wait_for 3 ini_has Minimized=True
    tab_to 'at timed intervals, every' && x 5 xdotool key space
    check "Space on \"at timed intervals, every\" writes Timed=True" wait_for 3 ini_has Timed=True
    check "the countdown is a label" wait_for 5 countdown
    step 'links'
    tab_to Readme && x 5 xdotool key Return
    check "Return on \"Readme\" opens the program's readme.txt" \
        wait_for 5 grep -qxE "(file://)?$T/program/readme.txt" "$T/opened"
    a11y do Website... Press
    check "Press on \"Website...\" opens an https address" wait_for 5 grep -q '^https://' "$T/opened"
    [ -n "${CG:-}" ] || { say "SKIP the pass: no memory group of 1.5 GB"; return; }
    step 'a pass, in the memory group'
    check "Kelvo runs in $CG" grep -q ":memory:.*/kelvo-a11y-$$\$" "/proc/$KELVO_PID/cgroup"
    # The press may be answered only once the pass is over: it runs beside the watch of the bar.
    timeout -k 1 70 /usr/bin/python3 "$LIB_DIR/a11y.py" do 'Free RAM Now' Press > "$T/press.log" 2>&1 &
    PIDS+=($!)
    PEAK=$(x 70 /usr/bin/python3 "$LIB_DIR/a11y.py" peak 'Optimization progress' 100 60)
    check "Press on \"Free RAM Now\": the bar reaches 100 within 60 s (highest ${PEAK:-none})" [ "${PEAK%% *}" = 100 ]
    check "\"Free RAM Now\" has the focus afterwards" wait_for 5 eval '[ "$(focus)" = "Free RAM Now" ]'
}

# ---- A Heavy pass where there is swap ---------------------------------------------------------------------
# kb PID FIELD: the field of /proc/PID/status in kB, 0 once the process is gone.
kb() { cat "/proc/$1/status" 2> /dev/null | awk -v f="$2:" '$1 == f {n = $2} END {print n + 0}'; }
held() { echo $(($(kb "$1" VmRSS) + $(kb "$1" VmSwap))); } # held PID: kB of its memory, in RAM or in swap
swap() {
    [ "$(id -u)" = 0 ] || { say "SKIP only root makes a memory group and a swap file"; exit 77; }
    memory_group "kelvo-swap-$$" || { say "SKIP no memory group of 1.5 GB can be made; a pass must not run unlimited"; exit 77; }
    step 'swap'
    if [ "$(wc -l < /proc/swaps)" -le 1 ]; then
        # swapon refuses a file on tmpfs: the file goes where a disk is.
        local dir=$T
        [ "$(stat -f -c %T "$T")" = tmpfs ] && dir=/var/tmp
        SWAPFILE=$(mktemp -p "$dir" kelvo-swap.XXXXXX)
        { fallocate -l 2G "$SWAPFILE" || dd if=/dev/zero of="$SWAPFILE" bs=1M count=2048; } > /dev/null 2>&1 &&
            chmod 600 "$SWAPFILE" && mkswap "$SWAPFILE" > /dev/null && swapon "$SWAPFILE" ||
            { rm -f "$SWAPFILE"; say "SKIP no swap here and no swap file can be made in $dir"; exit 77; }
        AT_EXIT+=("swapoff '$SWAPFILE' && rm -f '$SWAPFILE' || say 'swap file $SWAPFILE left in use'")
        say "no swap on this machine: a swap file of 2 GiB for this run, $SWAPFILE"
    fi
    say "swap free: $(awk 'NR > 1 {s += $3 - $4} END {print int(s / 1024)}' /proc/swaps) MB"
    step 'an idle program of 800 MB in the memory group'
    # Random bytes: every page is written, none is left to the shared zero page.
    "${IN_CG[@]}" /usr/bin/python3 -c 'import os, signal; b = os.urandom(800 << 20); signal.pause()' &
    IDLE=$!
    PIDS+=($IDLE)
    wait_for 30 eval '[ "$(kb "$IDLE" VmRSS)" -ge $((700 << 10)) ]' ||
        { bad "the idle program holds $(kb "$IDLE" VmRSS) kB, not 700 MB"; summary; }
    x_setup 'Level=2'
    start_kelvo "${IN_CG[@]}"
    step 'a Heavy pass'
    sleep 1 # the window's first figures
    SWAP0=$(kb "$IDLE" VmSwap) HELD0=$(held "$KELVO_PID")
    echo 0 > "$CG/memory.max_usage_in_bytes"
    read -r X Y _ < <(geom "$WIN")
    # Frames of the bar (client area 6,292 357x24) until it has been full for 1.5 s, for 90 s at most.
    timeout -k 1 100 /usr/bin/python3 "$LIB_DIR/pb-sample.py" "$T/fb/Xvfb_screen0" $((X + 6)) $((Y + 292)) 357 24 \
        "$T/bar" 90 run > "$T/bar.txt" &
    SAMPLER=$!
    sleep 0.3
    x 5 xdotool mousemove $((X + 181)) $((Y + 330)) click 1 mousemove 1010 750 # "Free RAM Now"
    wait "$SAMPLER"
    cp "$T/bar.txt" "$OUT/swap-bar-frames.txt"
    read -r _ MS FILLED _ < <(tail -n 1 "$T/bar.txt")
    check "the pass ended: the bar full ($FILLED of 354 columns, $MS ms after sampling began)" [ "$FILLED" = 354 ]
    wait_for 10 eval '[ "$(held "$KELVO_PID")" -le $((HELD0 + (64 << 10))) ]'
    SWAP1=$(kb "$IDLE" VmSwap) HELD1=$(held "$KELVO_PID")
    check "the idle program was paged out: VmSwap $((SWAP0 >> 10)) MB before the pass, $((SWAP1 >> 10)) MB after" \
        [ $((SWAP1 - SWAP0)) -ge $((200 << 10)) ]
    check "the idle program and Kelvo still run" eval 'alive "$IDLE" && alive "$KELVO_PID"'
    OOM=$(awk '$1 == "oom_kill" {print $2}' "$CG/memory.oom_control")
    [ -z "$OOM" ] || check "nothing in the group was OOM-killed (oom_kill $OOM)" [ "$OOM" = 0 ]
    check "Kelvo gave all back: $((HELD1 >> 10)) MB in RAM and swap after the pass, $((HELD0 >> 10)) MB before" \
        [ "$HELD1" -le $((HELD0 + (64 << 10))) ]
    # The first line is the bar before the click; a gap needs two frames of the pass.
    say "longest gap between frames of the bar during the pass: $(awk 'NR > 2 && $2 - p > g {g = $2 - p} {p = $2}
        END {print (NR > 2 ? g " ms" : "none")}' "$T/bar.txt") ($(($(wc -l < "$T/bar.txt") - 1)) frames)"
    say "the group's peak usage: $(($(mem max_usage_in_bytes) >> 20)) MB of $(($(mem limit_in_bytes) >> 20)) MB," \
        "the limit hit $(mem failcnt) times"
    check "the window still answers: its close box minimizes it" closed_by_box '*IsUnMapped*'
}

case $SCENARIO in
    status-notifier | no-tray | wayland | notification | screen-reader | swap) ${SCENARIO//-/_} ;;
    *) echo "unknown scenario $SCENARIO" >&2; exit 2 ;;
esac
say "artefacts in $OUT"
summary
