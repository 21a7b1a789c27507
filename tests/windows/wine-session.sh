# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the checks under Wine: a private virtual display, a private Wine in a folder, and
# reading the registry. Source it, then call start_display and use_wine_prefix FOLDER.

# Wine turns arguments and file names into Unicode with the locale's character set.
export LC_ALL=C.UTF-8
export WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko installers, and no menu entries for the desktop outside the prefix. Only a
# real shutdown.exe runs, the tests' stand-in, never Wine's built-in one, should the stand-in be
# missing from the path.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;shutdown.exe=n"
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM_PLUGIN_PATH QT_QPA_PLATFORM WINEQT_PLUGIN_PATH \
    WINEQT_QPA_PLATFORM_PLUGIN_PATH WINEQT_QPA_PLATFORM

session_scratch=$(mktemp -d)
session_display=""

end_session() {
    [ -n "$session_display" ] && kill "$session_display" 2>/dev/null
    rm -rf "$session_scratch"
}

# Wine's processes keep the display they started with, so the display comes first.
start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$session_scratch/display" 2>/dev/null &
    session_display=$!
    for _ in $(seq 50); do [ -s "$session_scratch/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(cat "$session_scratch/display")
}

# Boots a Wine prefix in the folder once, and uses it.
use_wine_prefix() {
    mkdir -p "$1"
    WINEPREFIX=$(realpath "$1")
    export WINEPREFIX
    [ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
}

wine_path() { echo "Z:$(tr / '\\' <<<"$1")"; }

# A registry key and what is under it, as text: `reg query` shows no Chinese here.
registry() {
    rm -f "$session_scratch/export.reg"
    wine reg export "$1" "$(wine_path "$session_scratch")\\export.reg" /y >/dev/null 2>&1 || true
    if [ -f "$session_scratch/export.reg" ]; then
        iconv -f UTF-16 -t UTF-8 "$session_scratch/export.reg" | tr -d '\r'
    fi
}

# The id of the first window whose title is exactly the text, waiting up to the seconds given
# while the process runs; empty when none came.
wait_for_window() {
    local title=$1 seconds=$2 process=$3 window=""
    for _ in $(seq $((seconds * 4))); do
        window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
        kill -0 "$process" 2>/dev/null || break
        sleep 0.25
    done
    echo "$window"
}
