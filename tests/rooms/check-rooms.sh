#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Each room of src/ includes only itself and the rooms below it, as src/CMakeLists.txt links
# them: no two rooms include each other, platform/ includes no other room, and only main.cpp
# includes program/.
set -euo pipefail
src=${1:?usage: check-rooms.sh SRC_FOLDER}

declare -A below=(
    [core]=""
    [platform]=""
    [widgets]="platform"
    [mainwindow]="core widgets platform"
    [presets]="core widgets platform"
    [shutdown]="core widgets platform"
    [help]="core widgets platform"
    [program]="core platform widgets mainwindow presets shutdown help"
)

failures=0
for folder in "$src"/*/; do
    room=$(basename "$folder")
    if [ -z "${below[$room]+known}" ]; then
        echo "FAIL: src/$room is no known room; add it here and to src/CMakeLists.txt"
        failures=$((failures + 1))
        continue
    fi
    while IFS=: read -r file included; do
        other=${included%%/*}
        case " $room ${below[$room]} " in
        *" $other "*) ;;
        *)
            echo "FAIL: ${file#"$src"/} includes $included, but $room is not above $other"
            failures=$((failures + 1))
            ;;
        esac
    done < <(grep -Ho '^#include "[a-z]*/[^"]*"' "$folder"*.h "$folder"*.cpp | sed 's/#include "//; s/"$//')
done
[ "$failures" -eq 0 ] && echo "PASS: every room includes only the rooms below it"
exit $((failures > 0))
