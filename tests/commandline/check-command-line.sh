#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the program (the first argument) with --help, --version and an unknown option, each
# with an empty configuration folder of its own and a private runtime folder: each must answer
# (the version: the second argument) and end by itself, with no window and without writing the
# store.
set -euo pipefail
program=$(realpath "$1")
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 HOME=$scratch
export XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

status=0
# expect EXIT-CODE STREAM TEXT ARGUMENT...: the run ends with EXIT-CODE and its STREAM (stdout
# or stderr) holds the line TEXT.
expect() {
    local code=$1 stream=$2 text=$3 ended=0
    shift 3
    mkdir "$XDG_CONFIG_HOME"
    timeout 20 "$program" "$@" >"$scratch/stdout" 2>"$scratch/stderr" || ended=$?
    if [ "$ended" -eq 124 ]; then
        echo "FAIL: $*: still running after 20 s (a window or a box waits)"
        status=1
    elif [ "$ended" -ne "$code" ]; then
        echo "FAIL: $*: exit code $ended, not $code"
        status=1
    elif ! grep -qxF -- "$text" "$scratch/$stream"; then
        echo "FAIL: $*: no line \"$text\" on $stream:"
        sed 's/^/    /' "$scratch/stdout" "$scratch/stderr"
        status=1
    elif [ -n "$(ls -A "$XDG_CONFIG_HOME")" ]; then
        echo "FAIL: $*: wrote $(ls -A "$XDG_CONFIG_HOME")"
        status=1
    else
        echo "PASS: $*: exit code $code, \"$text\""
    fi
    rm -rf "$XDG_CONFIG_HOME"
}

expect 0 stdout "  -v, --version  显示版本信息。" --help
expect 0 stdout "Ormek商人计算器 $version" --version
expect 0 stdout "Ormek商人计算器 $version" -v
expect 1 stderr "Ormek商人计算器: 未知选项“bogus”。" --bogus
exit $status
