# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by scripts/run and scripts/try-scheduler: the release build of the program. Source it
# from the repository's top folder.

release_build=build/release
release_program=$release_build/src/ormek-calculator

# Configures build/release the first time only (ninja configures again by itself after a
# change to the CMake files) and builds it quietly: the output goes to build/release/build.log
# and is shown only when something fails.
build_release() {
    local log=$release_build/build.log
    mkdir -p "$release_build"
    if [ ! -f "$release_build/build.ninja" ]; then
        echo "Building the program into $release_build for the first time: a minute or two"
        cmake -S . -B "$release_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
            >"$log" 2>&1 || { cat "$log"; return 1; }
    fi
    cmake --build "$release_build" >"$log" 2>&1 || { cat "$log"; return 1; }
}
