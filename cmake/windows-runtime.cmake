# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# What ormek-calculator.exe needs beside it on Windows, for the zip and the installer: the Qt
# DLLs, the platform and style plugins, and the MinGW runtime. The program draws its icons
# from PNG, which Qt Gui reads itself, so no image-format plugin is shipped.
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
        DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
# The native look; Qt 6.7 renamed the plugin.
foreach(style QWindowsVistaStylePlugin QModernWindowsStylePlugin)
    if(TARGET Qt6::${style})
        install(FILES $<TARGET_FILE:Qt6::${style}> DESTINATION styles)
    endif()
endforeach()

# The compiler's own runtime DLLs: in its library folders (Debian's MinGW-w64) or beside it
# (the MinGW of Qt's installer). They come with their symbols (libstdc++ is 23 MB so): ship
# stripped copies.
get_filename_component(compiler_folder ${CMAKE_CXX_COMPILER} DIRECTORY)
set(mingw_runtime_dlls)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE printed OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(printed_folder "${printed}" DIRECTORY)
    string(MAKE_C_IDENTIFIER "ORMEK_${dll}" variable)
    find_file(${variable} ${dll} HINTS ${printed_folder} ${compiler_folder}
              NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT ${variable})
        message(FATAL_ERROR "${dll} is neither where ${CMAKE_CXX_COMPILER} says nor beside it")
    endif()
    set(stripped ${CMAKE_BINARY_DIR}/mingw-runtime/${dll})
    add_custom_command(OUTPUT ${stripped}
                       COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${stripped} ${${variable}}
                       DEPENDS ${${variable}}
                       COMMENT "Stripping ${dll}")
    list(APPEND mingw_runtime_dlls ${stripped})
endforeach()
add_custom_target(mingw-runtime ALL DEPENDS ${mingw_runtime_dlls})
install(FILES ${mingw_runtime_dlls} DESTINATION .)

# Qt's own texts in Chinese, which the program loads from beside itself: Debian's
# qt6-translations-l10n, as the file is the same on every system. Copied beside the program and
# the tests in the build folder too.
find_file(ORMEK_QTBASE_ZH_CN qtbase_zh_CN.qm PATHS ${QT_HOST_PATH}/share/qt6/translations
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT ORMEK_QTBASE_ZH_CN)
    message(FATAL_ERROR "no qtbase_zh_CN.qm in ${QT_HOST_PATH}/share/qt6/translations: install qt6-translations-l10n")
endif()
configure_file(${ORMEK_QTBASE_ZH_CN} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/qtbase_zh_CN.qm COPYONLY)
install(FILES ${ORMEK_QTBASE_ZH_CN} DESTINATION .)
