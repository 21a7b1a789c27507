# `cpack -G DEB` in a build tree makes the Debian package.
set(CPACK_PACKAGE_NAME ormek-calculator)
set(CPACK_PACKAGE_VENDOR "${ORMEK_MAKERS}")
set(CPACK_PACKAGE_CONTACT "Ormek商人计算器 <ormek-calculator@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Ormek商人计算器: price calculator for Ormek shop stalls")
set(CPACK_PACKAGE_DESCRIPTION
    "Adds up the prices of nine traded items for a shop stall in the online game Ormek, keeps\n\
price tables between runs and in five preset slots, and can shut the computer down at a\n\
set time. The interface is in Simplified Chinese.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://ormek-calculator.example.com/")
# The shared libraries come from dpkg-shlibdeps; the font and the platform plugins are loaded
# at run time, so no library link shows them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk | fonts-arphic-uming")
set(CPACK_STRIP_FILES ON)
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/windows-packaging.cmake)
endif()
include(CPack)
