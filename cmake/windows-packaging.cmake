# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows packages, from a MinGW cross build: `cpack -G ZIP` makes the folder to unpack
# anywhere and `cpack -G NSIS` the installer, both ormek-calculator-<version>-win64.
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Ormek商人计算器")

# Our own template, after CMake's: a 64-bit Unicode installer in Simplified Chinese (Debian's
# wine64 runs no 32-bit installer) for the current user alone, without elevation, for Windows 10
# and later, that upgrades in place, removes only its own files and says that uninstalling keeps
# the price tables. It writes its own Start-menu shortcut and finish page, with the program at
# the top of the installation folder.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_NSIS_PACKAGE_NAME "Ormek商人计算器")
set(CPACK_NSIS_DISPLAY_NAME "Ormek商人计算器")
set(CPACK_NSIS_INSTALLED_ICON_NAME ormek-calculator.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/data/icons/net.ormek.Calculator.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/data/icons/net.ormek.Calculator.ico)
set(CPACK_NSIS_URL_INFO_ABOUT "${ORMEK_DOWNLOAD_ADDRESS}")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# What the template uses besides CPack's own: the quiet uninstall command (installer/), and
# CMake with the script that lists the installer's files while NSIS compiles it.
set(CPACK_ORMEK_UNINSTALL_WAIT ${PROJECT_BINARY_DIR}/installer/Uninstall-wait.exe)
set(CPACK_ORMEK_CMAKE_COMMAND ${CMAKE_COMMAND})
set(CPACK_ORMEK_FILE_LIST_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/nsis-file-list.cmake)
