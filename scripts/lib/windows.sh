# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the Windows scripts (scripts/windows, scripts/test-windows): where the Qt for
# Windows is, the cross build, and a private Wine. Source it from the repository's top folder.

# The Qt for Windows, in this order:
# - ORMEK_QT_WINDOWS: an unpacked Qt prefix, or a .tar.xz archive of one;
# - the archive beside the checkout, ../shared/toolchains/qt6.4.2-mingw64.tar.xz;
# - what scripts/build-qt-windows built into the cache folder.
# Archives are unpacked once into build/qt-windows.
windows_qt_archive=$PWD/../shared/toolchains/qt6.4.2-mingw64.tar.xz
windows_qt_cache=${XDG_CACHE_HOME:-$HOME/.cache}/ormek-calculator/qt6.4.2-mingw64

is_windows_qt() {
    [ -f "$1/lib/cmake/Qt6/Qt6Config.cmake" ] && [ -f "$1/bin/Qt6Core.dll" ]
}

unpack_windows_qt() {
    local archive=$1 target=$PWD/build/qt-windows
    local stamp=$target/.unpacked-from
    local identity
    identity="$(realpath "$archive") $(stat -c '%s %Y' "$archive")"
    if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$identity" ]; then
        rm -rf "$target"
        mkdir -p "$target"
        tar -xJf "$archive" -C "$target"
        echo "$identity" >"$stamp"
    fi
    local prefix
    prefix=$(find "$target" -mindepth 1 -maxdepth 1 -type d | head -n 1)
    is_windows_qt "$prefix" || { echo "$archive holds no Qt for Windows" >&2; return 1; }
    echo "$prefix"
}

# Prints the Qt prefix; or says why there is none and returns 1.
find_windows_qt() {
    if [ -n "${ORMEK_QT_WINDOWS:-}" ]; then
        if is_windows_qt "$ORMEK_QT_WINDOWS"; then
            realpath "$ORMEK_QT_WINDOWS"
        elif [ -f "$ORMEK_QT_WINDOWS" ]; then
            unpack_windows_qt "$ORMEK_QT_WINDOWS"
        else
            echo "ORMEK_QT_WINDOWS=$ORMEK_QT_WINDOWS is neither a Qt for Windows nor an archive of one" >&2
            return 1
        fi
    elif [ -f "$windows_qt_archive" ]; then
        unpack_windows_qt "$windows_qt_archive"
    elif is_windows_qt "$windows_qt_cache"; then
        echo "$windows_qt_cache"
    else
        echo "no Qt for Windows: neither ORMEK_QT_WINDOWS, nor $windows_qt_archive," \
            "nor a build of scripts/build-qt-windows in $windows_qt_cache" >&2
        return 1
    fi
}

# The folders of the MinGW runtime DLLs (libstdc++-6, libgcc_s_seh-1, libwinpthread-1).
mingw_runtime_dirs=(/usr/lib/gcc/x86_64-w64-mingw32/*-posix /usr/x86_64-w64-mingw32/lib)

# Runs a step of a build with its output in the log file $1, and shows the end of the log when
# the step fails.
logged_step() {
    local log=$1
    shift
    mkdir -p "$(dirname "$log")"
    "$@" >"$log" 2>&1 || { tail -n 60 "$log"; echo "failed: $* (the whole output: $log)" >&2; exit 1; }
}

# Configures a cross build of the program in folder $1 against Qt prefix $2; more CMake
# arguments may follow. The output goes to $1/configure.log.
configure_windows_build() {
    local build=$1 qt=$2
    shift 2
    logged_step "$build/configure.log" cmake -S . -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$qt" "$@"
}

# A file's size in MiB, with two decimals: "10.33 MiB".
mebibytes() {
    awk -v bytes="$(stat -c %s "$1")" 'BEGIN { printf "%.2f MiB", bytes / 1048576 }'
}

# A private Wine under the build folder, quiet, without the Mono and Gecko installers, and never
# with Wine's own shutdown.exe.
use_private_wine() {
    export WINEPREFIX=$PWD/build/wineprefix WINEARCH=win64 WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;shutdown.exe=n"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot --init >/dev/null 2>&1
        wineserver --wait
    fi
}

# A Unix path as Wine sees it.
wine_path() {
    echo "Z:$(realpath "$1" | tr / '\\')"
}
