#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the program from its zip under Wine, on a private virtual display, with no Qt on any
# path but the zip's own folder, as a new player would. --version and an unknown option answer
# in a box and write nothing. The first run greets, shows the window "Ormek商人计算器" and,
# closed through its frame (WM_DELETE_WINDOW), ends and leaves its counter and table in the
# registry. The second run, with a stand-in shutdown.exe first on the Windows PATH, sets a
# countdown of twelve seconds through the keyboard, puts the scheduler away and closes the main
# window: the program must go on, with its icon in the notification area. The final countdown
# must stay on top, and the stand-in must be called exactly once, with "-s -t 0". The real
# command never runs.
#
#     smoke.sh ZIP STAND-IN.EXE WINE-PREFIX-FOLDER
#
# Prints PASS/FAIL lines and exits non-zero on any failure.
set -euo pipefail
zip=$(realpath "$1")
stand_in=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
source "$here/wine-session.sh"

app=Ormek商人计算器
settings_key='HKEY_CURRENT_USER\Software\VB and VBA Program Settings'
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    end_session
}
trap cleanup EXIT

status=0
pass() { echo "PASS: $*"; }
fail() {
    echo "FAIL: $*"
    status=1
}

unzip -q "$zip" -d "$session_scratch/zip"
folder=$(find "$session_scratch/zip" -name ormek-calculator.exe -printf '%h\n' | head -n 1)
mkdir -p "$session_scratch/stand-in"
cp "$stand_in" "$session_scratch/stand-in/shutdown.exe"
started=$session_scratch/stand-in/started

start_display
use_wine_prefix "$3"
wine reg delete "$settings_key\\$app" /f >/dev/null 2>&1 || true

start_program() {
    (cd "$folder" && WINEPATH=$(wine_path "$session_scratch/stand-in") \
        exec wine ormek-calculator.exe >>"$session_scratch/wine.log" 2>&1) &
    program=$!
}
# Keys typed into a window of the program, once it has the keyboard.
type_into() {
    local window=$1
    shift
    xdotool windowfocus --sync "$window"
    xdotool key --delay 80 "$@"
}

# A window program has no console on Windows: --version and an unknown option answer in Qt's
# box, closed with Enter, and end with their exit codes; neither writes the registry.
for option in --version --unknown; do
    expected=0
    [ "$option" = --unknown ] && expected=1
    (cd "$folder" && exec wine ormek-calculator.exe "$option" >>"$session_scratch/wine.log" 2>&1) &
    program=$!
    box=$(wait_for_window "$app" 20 "$program")
    [ -n "$box" ] && type_into "$box" Return
    for _ in $(seq 40); do kill -0 "$program" 2>/dev/null || break; sleep 0.25; done
    kill "$program" 2>/dev/null || true
    code=0
    wait "$program" 2>/dev/null || code=$?
    program=""
    if [ -n "$box" ] && [ "$code" -eq "$expected" ] && [ -z "$(registry "$settings_key\\$app")" ]; then
        pass "$option answers in a box and ends with exit code $expected, writing nothing"
    else
        fail "$option: box '$box', exit code $code, registry: $(registry "$settings_key\\$app")"
    fi
done

# The first run: the greeting before the window; the frame's close ends the program.
start_program
greeting=$(wait_for_window 欢迎使用 30 "$program")
if [ -n "$greeting" ]; then
    pass "the first run greets"
    type_into "$greeting" Return
else
    fail "no greeting on the first run"
fi
window=$(wait_for_window "$app" 20 "$program")
if [ -n "$window" ]; then
    pass "the window \"$app\" shows, with no Qt but the zip's"
    /usr/bin/python3 "$here/close-window.py" "$window"
else
    fail "no window \"$app\""
fi
for _ in $(seq 80); do kill -0 "$program" 2>/dev/null || break; sleep 0.25; done
if kill -0 "$program" 2>/dev/null; then
    fail "the program still runs after its window was closed"
    kill "$program"
else
    pass "closing the window through its frame ends the program"
fi
wait "$program" 2>/dev/null || true
program=""
tables=$(registry "$settings_key\\$app")
if grep -qxF '"N"="1"' <<<"$tables" && [ "$(grep -c '^"[ab][1-9]"=' <<<"$tables")" -eq 18 ]; then
    pass "the registry holds the counter N=1 and the 18 names and prices"
else
    fail "the registry holds: $tables"
fi

# The second run: a countdown of one second, left to run out.
start_program
window=$(wait_for_window "$app" 30 "$program")
if [ -n "$(xdotool search --name '^欢迎使用$' 2>/dev/null)" ]; then
    fail "the second run greets again"
fi
if [ -n "$window" ]; then
    # From the first quantity box: Tab to "自动关机" and press it.
    type_into "$window" Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
    scheduler=$(wait_for_window 自动关机 10 "$program")
    # From the hour of the clock time: Tab to the countdown's seconds, type 12, back to its
    # "开始", then on to "关闭".
    [ -n "$scheduler" ] && type_into "$scheduler" Tab Tab Tab Tab Tab Tab 1 2 shift+Tab shift+Tab \
        shift+Tab space Tab Tab Tab Tab Tab space
    sleep 1
    /usr/bin/python3 "$here/close-window.py" "$window"
    shown() { xdotool search --onlyvisible --name "^($app|自动关机)\$" 2>/dev/null; }
    for _ in $(seq 20); do [ -z "$(shown)" ] && break; sleep 0.25; done
    # Wine shows the icons of a desktop without a notification area in a window of its own.
    tray=$(wait_for_window "Wine System Tray" 5 "$program")
    if [ -n "$tray" ] && kill -0 "$program" 2>/dev/null && [ -z "$(shown)" ]; then
        pass "with no window left, the pending shutdown shows in the notification area"
    else
        fail "no icon in the notification area while the schedule runs with no window"
    fi
    countdown=$(wait_for_window 关机 20 "$program")
    if [ -n "$countdown" ] && xprop -id "$countdown" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; then
        pass "the final countdown stays on top (WS_EX_TOPMOST)"
    else
        fail "the final countdown is not on top: $(xprop -id "${countdown:-0}" _NET_WM_STATE 2>&1)"
    fi
fi
for _ in $(seq 80); do [ -s "$started" ] && break; sleep 0.25; done
# Long enough for a second call, should there be one.
sleep 3
if [ "$(cat "$started" 2>/dev/null)" = "shutdown -s -t 0" ]; then
    pass "the countdown ran out and started the stand-in shutdown.exe once, with -s -t 0"
else
    fail "the stand-in recorded: '$(cat "$started" 2>/dev/null)'"
fi
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
program=""
wineserver -k 2>/dev/null || true
[ "$status" -eq 0 ] || tail -n 20 "$session_scratch/wine.log"
exit $status
