# What ormek-calculator.exe needs beside it on Windows, for the zip and the installer: the Qt
# DLLs, the platform and style plugins, and the MinGW runtime. The program draws its icons
# from PNG, which Qt Gui reads itself, so no image-format plugin is shipped.
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
        DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

# The compiler's own runtime DLLs come with their symbols (libstdc++ is 23 MB so); ship
# stripped copies.
set(mingw_runtime_dlls)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
    endif()
    file(REAL_PATH "${found}" found)
    set(stripped ${CMAKE_BINARY_DIR}/mingw-runtime/${dll})
    add_custom_command(OUTPUT ${stripped}
                       COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${stripped} ${found}
                       DEPENDS ${found}
                       COMMENT "Stripping ${dll}")
    list(APPEND mingw_runtime_dlls ${stripped})
endforeach()
add_custom_target(mingw-runtime ALL DEPENDS ${mingw_runtime_dlls})
install(FILES ${mingw_runtime_dlls} DESTINATION .)
