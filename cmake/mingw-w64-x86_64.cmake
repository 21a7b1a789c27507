# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads).
# Use with -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake and the Qt for Windows in
# CMAKE_PREFIX_PATH; the Qt host tools (moc, rcc, uic) come from Debian's qt6-base-dev.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORMEK_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORMEK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORMEK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORMEK_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORMEK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

set(QT_HOST_PATH /usr CACHE PATH "Qt host tools")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Qt host tools' CMake packages")
