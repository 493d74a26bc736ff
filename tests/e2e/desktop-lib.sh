# Desktop recipes shared by the end-to-end scripts; source it. A run gets a folder $T of its own (home,
# configuration, framebuffer); every wait polls against a deadline, every X, D-Bus and sway tool is bounded
# by `timeout` (through x), and at exit every process the run started, and every process on its private
# session bus (D-Bus activation starts some), is ended by its id.
T=$(mktemp -d)
mkdir -p "$T/home" "$T/fb" && mkdir -m 700 "$T/xdg-run"
export HOME="$T/home" XDG_CACHE_HOME="$T/home/.cache" XDG_CONFIG_HOME="$T/home/.config" \
    XDG_DATA_HOME="$T/home/.local/share" XDG_RUNTIME_DIR="$T/xdg-run" QT_FONT_DPI=96
PIDS=() AT_EXIT=() BUS_AS=() BUS_PID='' FAILS=0 PASSES=0 STEP='start-up' START=$(date +%s.%N)
LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

say() { printf '[%6.2fs] %s\n' "$(awk -v a="$(date +%s.%N)" -v b="$START" 'BEGIN{print a-b}')" "$*"; }
ok() { say "PASS $*"; PASSES=$((PASSES + 1)); }
bad() { say "FAIL $*"; FAILS=$((FAILS + 1)); }
check() { local what=$1; shift; if "$@"; then ok "$what"; else bad "$what"; fi; } # check LABEL CMD...
summary() { echo "$PASSES passed, $FAILS failed"; exit $((FAILS > 0)); }
step() { STEP=$1; }
ms_since() { echo $((($(date +%s%N) - $1) / 1000000)); }
# gone PID: the process has ended (a child that ended but is not reaped yet still answers kill -0).
gone() { [ ! -e "/proc/$1" ] || grep -q '^[0-9]* (.*) [ZX]' "/proc/$1/stat" 2> /dev/null; }
alive() { ! gone "$1"; }
# stop PID...: ends processes by their ids (forcibly after 3 s) and reaps our own children.
stop() {
    local p end=$(($(date +%s%N) + 3000000000))
    for p in "$@"; do kill "$p" 2> /dev/null; done
    for p in "$@"; do
        while ! gone "$p" && [ "$(date +%s%N)" -lt "$end" ]; do sleep 0.05; done
        gone "$p" || kill -KILL "$p" 2> /dev/null
        wait "$p" 2> /dev/null
    done
}
# wait_for SECONDS CMD...: polls CMD until it succeeds or the deadline passes.
wait_for() {
    local end=$(($(date +%s%N) + ${1%.*} * 1000000000))
    shift
    until "$@" > /dev/null 2>&1; do
        [ "$(date +%s%N)" -gt "$end" ] && return 1
        sleep 0.05
    done
}
# x SECONDS TOOL ARGS...: the tool's own failure is returned; a tool that does not answer in time ends the
# run, naming the step and, with an X server, whether that still answers anyone.
x() {
    local limit=$1 rc server=''
    shift
    timeout -k 1 "$limit" "$@"
    rc=$?
    if [ $rc = 124 ] || [ $rc = 137 ]; then
        [ -z "${DISPLAY:-}" ] || { timeout -k 1 3 xdpyinfo > /dev/null 2>&1 && server='; the X server answers others' ||
            server='; the X server does not answer (xdpyinfo)'; }
        echo "$* did not answer within ${limit}s$server" > "$T/stuck"
        kill -USR1 $$
    fi
    return $rc
}
trap 'say "FAIL step \"$STEP\": $(cat "$T/stuck" 2> /dev/null)"; echo "$PASSES passed, $((FAILS + 1)) failed"; exit 1' USR1
finish() {
    local i p
    if [ -n "$BUS_PID" ]; then
        p=$(timeout -k 1 10 "${BUS_AS[@]}" /usr/bin/python3 "$LIB_DIR/desktop-dbus.py" pids 2> /dev/null)
        [ -n "$p" ] && stop $p
        stop "$BUS_PID"
    fi
    [ ${#PIDS[@]} -gt 0 ] && stop "${PIDS[@]}"
    for ((i = ${#AT_EXIT[@]} - 1; i >= 0; i--)); do eval "${AT_EXIT[i]}"; done
    rm -rf "$T"
}
trap finish EXIT

# as_user USER: AS=(a prefix that runs a command as USER in the same process, so its id is the command's).
as_user() { AS=(setpriv --reuid="$1" --regid="$1" --init-groups --); }
dbus_tool() { x 10 "${BUS_AS[@]}" /usr/bin/python3 "$LIB_DIR/desktop-dbus.py" "$@"; }
# start_bus [USER]: a private session bus (of USER), exported as DBUS_SESSION_BUS_ADDRESS.
start_bus() {
    [ -z "${1:-}" ] || { as_user "$1"; BUS_AS=("${AS[@]}"); }
    "${BUS_AS[@]}" dbus-daemon --session --fork --print-address=3 --print-pid=4 3> "$T/bus" 4> "$T/bus.pid" &&
        BUS_PID=$(cat "$T/bus.pid") && export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$T/bus")
}
# start_x: Xvfb (framebuffer file in $T/fb) and openbox, the window manager that delivers close requests.
start_x() {
    exec 3> "$T/dpy"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -fbdir "$T/fb" -nolisten tcp -noreset > "$T/xvfb.log" 2>&1 &
    PIDS+=($!)
    exec 3>&-
    wait_for 20 test -s "$T/dpy" || return 1
    export DISPLAY=:$(head -1 "$T/dpy")
    wait_for 5 test -s "$T/fb/Xvfb_screen0" && echo 'Xft.dpi: 96' | x 5 xrdb -merge || return 1
    openbox --sm-disable > "$T/wm.log" 2>&1 &
    PIDS+=($!)
    wait_for 20 x 5 wmctrl -m && wait_for 20 wm_takes_windows
}
# wm_takes_windows: a window mapped now is shown. Openbox answers wmctrl before it takes windows in, and a
# window mapped in between was seen to stay unmapped for good (about one start in ten on a loaded machine).
wm_takes_windows() {
    local probe rc
    xmessage -name kelvo-probe -timeout 5 probe > /dev/null 2>&1 &
    probe=$!
    wait_for 2 eval 'x 5 xdotool search --onlyvisible --classname "^kelvo-probe\$" | grep -q .'
    rc=$?
    stop "$probe"
    return $rc
}
# start_panel: xfce4-panel with one panel holding only its status tray, a StatusNotifierItem host.
start_panel() {
    local conf="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml" p='<property name='
    mkdir -p "$conf"
    echo "<?xml version=\"1.0\"?><channel name=\"xfce4-panel\" version=\"1.0\">$p\"configver\" type=\"int\" value=\"2\"/>
$p\"panels\" type=\"array\"><value type=\"int\" value=\"1\"/>$p\"panel-1\" type=\"empty\">
$p\"position\" type=\"string\" value=\"p=6;x=0;y=0\"/>$p\"size\" type=\"uint\" value=\"32\"/>
$p\"length\" type=\"uint\" value=\"100\"/>$p\"plugin-ids\" type=\"array\"><value type=\"int\" value=\"1\"/></property>
</property></property>$p\"plugins\" type=\"empty\">$p\"plugin-1\" type=\"string\" value=\"systray\"/></property>
</channel>" > "$conf/xfce4-panel.xml"
    GDK_BACKEND=x11 xfce4-panel --disable-wm-check > "$T/panel.log" 2>&1 &
    PANEL_PID=$!
    PIDS+=($PANEL_PID)
    wait_for 20 dbus_tool host-ready
}
# new_program DIR: a fresh program folder with the executable and the readme.
new_program() { mkdir -p "$1" && cp "$KELVO" "$1/kelvo" && cp "$(dirname "$KELVO")/readme.txt" "$1/readme.txt"; }
# win_state WIN: the window as the user sees it, "WM_STATE MAP-STATE active|inactive".
win_state() {
    local wm map active
    wm=$(x 5 xprop -id "$1" WM_STATE | awk '/window state:/{print $3}')
    map=$(x 5 xwininfo -id "$1" | awk '/Map State:/{print $3}')
    # "not found" until the window manager has focused a window
    active=$(x 5 xprop -root _NET_ACTIVE_WINDOW | awk '$NF ~ /^0x/ {print $NF}')
    [ $((${active:-0})) = $(($1)) ] && active=active || active=inactive
    echo "${wm:-Withdrawn} ${map:-?} $active"
}
state_is() { [[ "$(win_state "$1")" == $2 ]]; } # state_is WIN SHELL-PATTERN
# geom WIN -> "X Y W H" of the client area (xwininfo; xdotool is off by the frame under a WM).
geom() {
    [ -n "${1:-}" ] || { echo "0 0 0 0"; return 1; }
    x 5 xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                                 /  Width:/{w=$2} /  Height:/{h=$2} END{print x, y, w, h}'
}
# shot WIN FILE: the window's pixels, cut from the framebuffer file (a client that grabs the server can
# block every other one).
shot() {
    local X Y W H
    read -r X Y W H < <(geom "$1")
    x 20 convert "xwd:$T/fb/Xvfb_screen0" -crop "${W}x$H+$X+$Y" +repage "$2"
}
# memory_group NAME: CG=a memory group (cgroup v1) of 1.5 GB under this script's own, removed at exit, and
# IN_CG=(a prefix that runs a command inside it); fails where none can be made. An optimization pass commits
# memory until the system pushes back: in the group it is the group's limit, never the whole machine's.
memory_group() {
    local cg
    cg=/sys/fs/cgroup/memory$(awk -F: '$2 == "memory" {print $3}' /proc/self/cgroup)/$1
    mkdir "$cg" 2> /dev/null && echo $((1536 << 20)) > "$cg/memory.limit_in_bytes" || { rmdir "$cg" 2> /dev/null; return 1; }
    AT_EXIT+=("rmdir '$cg'")
    CG=$cg IN_CG=(sh -c 'echo $$ > "$0/cgroup.procs" && exec "$@"' "$cg")
}
# windows_of PID: each window of the process with its title and state, for a failure message.
windows_of() {
    local w
    for w in $(x 5 xdotool search --pid "$1" 2> /dev/null); do
        printf '%s "%s" %s; ' "$w" "$(x 5 xdotool getwindowname "$w" 2> /dev/null)" "$(win_state "$w")"
    done
}
