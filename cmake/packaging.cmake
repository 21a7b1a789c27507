# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# What every CPack package says of the program. The Windows packages come from CPack; the
# Debian package is built from debian/ (scripts/deb).
set(CPACK_PACKAGE_NAME ormek-calculator)
set(CPACK_PACKAGE_VENDOR "${ORMEK_MAKERS}")
set(CPACK_PACKAGE_CONTACT "Ormek商人计算器 <ormek-calculator@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Ormek商人计算器: price calculator for Ormek shop stalls")
set(CPACK_PACKAGE_DESCRIPTION
    "Adds up the prices of nine traded items for a shop stall in the online game Ormek, keeps\n\
price tables between runs and in five preset slots, and can shut the computer down at a\n\
set time. The interface is in Simplified Chinese.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/windows-packaging.cmake)
endif()
include(CPack)
