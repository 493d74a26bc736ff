#!/usr/bin/env bash
# Figures of the real program as a user runs it, under Xvfb with a tray host: time from start to the main
# window shown, then, with the window hidden in the tray, CPU seconds per minute, wakeups per second
# (voluntary context switches) and resident memory. Prints figures; asserts nothing.
# Usage: bench/idle-figures.sh [KELVO_EXECUTABLE] [SECONDS]
# The executable is copied into a fresh program folder; with KELVO_IN_PLACE=1 it runs where it is (an
# installed one, say, which then keeps its settings in the temporary config folder).
set -u
KELVO=${1:-build/kelvo}
SECONDS_IDLE=${2:-60}
T=$(mktemp -d)
PIDS=()
trap 'for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$T"' EXIT

exec 3> "$T/dpy"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset > /dev/null 2>&1 &
PIDS+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$T/dpy" ] && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$T/dpy")
openbox --sm-disable > /dev/null 2>&1 &
PIDS+=($!)
trayer --edge top --align right --widthtype request --height 32 --SetDockType true --transparent false > /dev/null 2>&1 &
PIDS+=($!)
sleep 1
mkdir -p "$T/program" && mkdir -m 700 "$T/run"
if [ "${KELVO_IN_PLACE:-0}" = 1 ]; then
    PROGRAM=$KELVO
else
    PROGRAM=$T/program/kelvo
    cp "$KELVO" "$PROGRAM"
fi

start=$(date +%s%N)
env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$T/run" XDG_CONFIG_HOME="$T/config" QT_FONT_DPI=96 \
    "$PROGRAM" > /dev/null 2>&1 &
PID=$!
PIDS+=($PID)
# Every X tool call is bounded, so a server that stops answering ends the run instead of hanging it.
until timeout -k 1 2 xdotool search --onlyvisible --name '^Kelvo 2.0 Build 26$' > /dev/null 2>&1; do
    [ $(($(date +%s%N) - start)) -gt 30000000000 ] && { echo "the window did not appear within 30 s" >&2; exit 1; }
    sleep 0.005
done
shown=$((($(date +%s%N) - start) / 1000000))
sleep 1
timeout -k 1 5 wmctrl -c 'Kelvo 2.0 Build 26'
sleep 2

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$PID/stat"; }
switches() { awk '/^voluntary_ctxt_switches/{v=$2} /^nonvoluntary_ctxt_switches/{n=$2} END{print v + n}' "/proc/$PID/status"; }
c0=$(cpu); s0=$(switches)
sleep "$SECONDS_IDLE"
c1=$(cpu); s1=$(switches)
rss=$(awk '/^VmRSS/{print $2}' "/proc/$PID/status")
awk -v ms="$shown" -v c="$((c1 - c0))" -v hz="$ticks" -v s="$((s1 - s0))" -v t="$SECONDS_IDLE" -v rss="$rss" 'BEGIN {
    printf "start to window shown: %d ms\n", ms
    printf "idle, window hidden, over %d s: %.3f CPU-seconds per minute, %.1f wakeups per second\n", t, c / hz * 60 / t, s / t
    printf "resident memory at idle: %.1f MB\n", rss / 1024
}'
