# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# The notices that the Windows packages carry beside the program: its own licence (LICENSE.txt),
# a short text in Chinese and English on what they bundle and where its source is (NOTICE.txt),
# and the licences and notices of what they bundle (licenses\): Qt's LGPL-3.0, the third-party
# code inside the Qt DLLs, Qt's Chinese texts, and the MinGW-w64 runtime. Written as Windows' Notepad reads them
# best, UTF-8 with a byte order mark and CR LF line ends. The installer shows NOTICE.txt and
# the program's licence on its licence page.
if(NOT Qt6_VERSION VERSION_EQUAL 6.4.2)
    message(WARNING "data/windows/NOTICE.txt and qt-third-party.txt describe Qt 6.4.2 of "
                    "Debian's qt6-base 6.4.2+dfsg-10, not this Qt ${Qt6_VERSION}")
endif()

set(ORMEK_NOTICES_FOLDER ${PROJECT_BINARY_DIR}/notices)
string(ASCII 239 187 191 byte_order_mark)

# Writes the texts of the files given, one after the other, as one Windows text file.
function(write_windows_text target)
    set(text "")
    foreach(source ${ARGN})
        file(READ ${source} part)
        string(APPEND text "${part}\n")
        set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                     ${source})
    endforeach()
    string(REGEX REPLACE "\n+$" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${ORMEK_NOTICES_FOLDER}/${target} "${byte_order_mark}${text}")
endfunction()

set(windows_data ${PROJECT_SOURCE_DIR}/data/windows)
write_windows_text(LICENSE.txt ${PROJECT_SOURCE_DIR}/LICENSE)
write_windows_text(NOTICE.txt ${windows_data}/NOTICE.txt)
write_windows_text(licenses/LGPL-3.0.txt ${PROJECT_SOURCE_DIR}/LICENSES/LGPL-3.0-only.txt)
write_windows_text(licenses/qt-third-party.txt ${windows_data}/qt-third-party.txt)
write_windows_text(licenses/mingw-w64-runtime.txt ${windows_data}/mingw-w64-runtime.txt)
write_windows_text(licenses/qt-translations.txt ${windows_data}/qt-translations.txt)
write_windows_text(installer-licence.txt ${windows_data}/NOTICE.txt ${PROJECT_SOURCE_DIR}/LICENSE)

install(FILES ${ORMEK_NOTICES_FOLDER}/LICENSE.txt ${ORMEK_NOTICES_FOLDER}/NOTICE.txt
        DESTINATION .)
install(FILES ${ORMEK_NOTICES_FOLDER}/licenses/LGPL-3.0.txt
              ${ORMEK_NOTICES_FOLDER}/licenses/qt-third-party.txt
              ${ORMEK_NOTICES_FOLDER}/licenses/mingw-w64-runtime.txt
              ${ORMEK_NOTICES_FOLDER}/licenses/qt-translations.txt
        DESTINATION licenses)
# The licence page of the installer (cmake/NSIS.template.in).
set(CPACK_RESOURCE_FILE_LICENSE ${ORMEK_NOTICES_FOLDER}/installer-licence.txt)
