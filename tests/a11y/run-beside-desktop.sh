#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the accessibility check as if from a terminal of a desktop session: DISPLAY=:0 and a
# runtime folder holding the desktop's accessibility bus socket, at-spi/bus_0. Fails when the
# check fails, or when it changed anything in that folder: without the socket, screen readers
# lose every program started afterwards in the session.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
desktop=$(mktemp -d)
trap 'rm -rf "$desktop"' EXIT

mkdir -m 700 "$desktop/at-spi"
/usr/bin/python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' \
    "$desktop/at-spi/bus_0"
before=$(find "$desktop" | sort)

status=0
DISPLAY=:0 XDG_RUNTIME_DIR="$desktop" "$here/run-a11y-check.sh" "$@" || status=$?
if [ ! -S "$desktop/at-spi/bus_0" ]; then
    echo "FAIL: the desktop's accessibility bus socket at-spi/bus_0 is gone"
    status=1
fi
if [ "$(find "$desktop" | sort)" != "$before" ]; then
    echo "FAIL: the check changed the desktop's runtime folder:"
    diff <(echo "$before") <(find "$desktop" | sort) || true
    status=1
fi
exit $status
