# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Writes the NSIS header that names the files and folders the installer puts into the
# installation folder: those of the package's folder, as CPack staged it for the installer.
# The installer's script runs it while it is compiled (NSIS.template.in):
#     cmake -Dfolder=STAGED-FOLDER -Doutput=HEADER.nsh -P nsis-file-list.cmake
# The header defines two macros, which insert the macro named as their argument once for each
# file, and once for each folder, deepest first, with the path relative to the folder.
file(GLOB_RECURSE files RELATIVE "${folder}" "${folder}/*")
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${folder}" "${folder}/*")
set(folders ${entries})
list(REMOVE_ITEM folders ${files})
list(SORT files)
list(SORT folders)
list(REVERSE folders)

set(header "; The files and folders of the package, made by nsis-file-list.cmake.\n")
foreach(kind FILE FOLDER)
    if(kind STREQUAL FILE)
        set(paths ${files})
    else()
        set(paths ${folders})
    endif()
    string(APPEND header "!macro FOR_EACH_INSTALLED_${kind} MACRO\n")
    foreach(path ${paths})
        string(REPLACE "/" "\\" path "${path}")
        string(APPEND header "  !insertmacro \${MACRO} \"${path}\"\n")
    endforeach()
    string(APPEND header "!macroend\n")
endforeach()
file(WRITE "${output}" "${header}")
