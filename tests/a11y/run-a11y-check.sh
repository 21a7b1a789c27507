#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the accessibility check against the program in a private X server, D-Bus session and
# runtime folder, with recording stand-ins for the shutdown commands first on PATH. Nothing of
# the caller's desktop is used or changed: its accessibility bus launcher would otherwise take
# over the desktop's socket $XDG_RUNTIME_DIR/at-spi/bus_<display>, and remove it when done.
set -euo pipefail
program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

mkdir -p "$scratch/bin" "$scratch/config"
mkdir -m 700 "$scratch/runtime"
for command in systemctl shutdown; do
    printf '#!/bin/sh\necho "%s $*" >> "%s/commands.log"\n' "$command" "$scratch" \
        > "$scratch/bin/$command"
    chmod +x "$scratch/bin/$command"
done
# A store past the first run, so no welcome box waits for an answer.
printf '[%s]\nN=1\n' '使用次数' > "$scratch/config/Ormek商人计算器.conf"

export PATH="$scratch/bin:$PATH"
export XDG_CONFIG_HOME="$scratch/config"
export XDG_RUNTIME_DIR="$scratch/runtime"
unset AT_SPI_BUS_ADDRESS
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_QPA_PLATFORM=xcb
export NO_AT_BRIDGE=0
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
status=0
# The bus daemon and everything it starts see the private display. -noreset: by default the
# server resets when its last client leaves, refusing connections meanwhile, and the
# accessibility bus launcher is such a client just before the program connects.
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
    dbus-run-session -- /usr/bin/python3 "$here/check-a11y.py" "$program" || status=$?
if [ -s "$scratch/commands.log" ]; then
    echo "FAIL: a shutdown command was started:"; cat "$scratch/commands.log"; status=1
fi
exit $status
