#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts the program on a private virtual X display outside any desktop session (no session
# bus, an empty runtime folder), ends it with SIGTERM and fails when a D-Bus daemon was started
# for it: libdbus's autolaunch runs dbus-launch and dbus-daemon, which outlive the program.
set -euo pipefail
title='Ormek商人计算器'

if [ "${1:-}" != --on-display ]; then
    program=$(realpath "$1")
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    mkdir -m 700 "$scratch/runtime"
    mkdir "$scratch/config" "$scratch/home"
    # A store past the first run, so no welcome box waits for an answer.
    printf '[%s]\nN=1\n' '使用次数' >"$scratch/config/$title.conf"
    unset DBUS_SESSION_BUS_ADDRESS
    # An autolaunched bus would be recorded in $HOME/.dbus: keep it out of the real home.
    export XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config" HOME="$scratch/home"
    export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
    export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
    xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-display "$program"
    exit
fi

# On the virtual display.
program=$2
"$program" &
pid=$!
status=0
if timeout 30 xdotool search --sync --name "^$title\$" >/dev/null; then
    kill -TERM "$pid"
    wait "$pid" || { echo "FAIL: the program ended with status $? after SIGTERM"; status=1; }
else
    echo "FAIL: no window \"$title\" within 30 seconds"
    kill -KILL "$pid"
    wait "$pid" || true
    status=1
fi

# Every process started for this run carries its runtime folder in its environment.
leftovers=()
for candidate in $(pgrep -x dbus-launch; pgrep -x dbus-daemon); do
    if { tr '\0' '\n' <"/proc/$candidate/environ"; } 2>/dev/null \
            | grep -qxF "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR"; then
        leftovers+=("$candidate")
    fi
done
if [ ${#leftovers[@]} -ne 0 ]; then
    echo "FAIL: still running for display $DISPLAY after the program ended:"
    ps -o pid,args -p "$(IFS=,; echo "${leftovers[*]}")"
    kill -KILL "${leftovers[@]}" 2>/dev/null || true
    status=1
fi
# dbus-launch records the bus it starts in $HOME/.dbus, and dbus-daemon makes
# $XDG_RUNTIME_DIR/dbus-1, even when they are gone again.
if [ -e "$HOME/.dbus" ] || [ -n "$(ls -A "$XDG_RUNTIME_DIR")" ]; then
    echo "FAIL: a session bus was started:"
    find "$HOME/.dbus" "$XDG_RUNTIME_DIR" -mindepth 1 2>/dev/null
    status=1
fi
[ $status -eq 0 ] && echo "no session bus started, none left running"
exit $status
