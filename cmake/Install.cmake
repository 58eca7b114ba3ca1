# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the program like any Linux application and packages it for Debian:
#   <prefix>/bin/torvane-studio
#   <prefix>/lib/<multiarch>/torvane-studio/  the web engine module
#   <prefix>/share/torvane-studio/            tips, menu.txt, help pages,
#                                             calculator font and its licence,
#                                             editors/ (the language server's
#                                             editor files)
#   <prefix>/share/applications/              the .desktop entry
#   <prefix>/share/icons/hicolor/*/apps/      the icon, PNG sizes and SVG
#   <prefix>/share/mime/packages/             the .tvf file type
#   <prefix>/share/metainfo/                  the AppStream entry
#   <prefix>/share/man/man1/                  the manual page (help2man)
#   <prefix>/share/doc/torvane-studio/        copyright and changelog.gz
# Included from the top CMakeLists.txt after the targets exist.
include(GNUInstallDirs)

set(TORVANE_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/torvane-studio)
# Places looks for the data folder relative to the executable, so the
# program finds it under any prefix.
file(RELATIVE_PATH _data_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/torvane-studio)
set_property(SOURCE src/platform/Places.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             TORVANE_DATA_FROM_BIN="${_data_from_bin}")

# The web engine module is the program's own, not a library for others.
# cpack's Debian generator calls ldconfig for any shared object one folder
# below /usr/lib; the multiarch folder, where Debian keeps private modules
# too, is left alone.
set(_libdir ${CMAKE_INSTALL_LIBDIR})
if(CMAKE_LIBRARY_ARCHITECTURE AND _libdir STREQUAL "lib")
  set(_libdir lib/${CMAKE_LIBRARY_ARCHITECTURE})
endif()
set(TORVANE_INSTALL_MODULEDIR ${_libdir}/torvane-studio)
set(_moduledir ${TORVANE_INSTALL_MODULEDIR})
if(NOT IS_ABSOLUTE ${_moduledir})
  set(_moduledir ${CMAKE_INSTALL_PREFIX}/${_moduledir})
endif()
file(RELATIVE_PATH _module_from_bin ${CMAKE_INSTALL_FULL_BINDIR} ${_moduledir})
set_property(SOURCE src/platform/BrowserView.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             TORVANE_MODULE_FROM_BIN="${_module_from_bin}")

install(TARGETS torvane-studio RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS torvane-webengine LIBRARY DESTINATION ${TORVANE_INSTALL_MODULEDIR})
install(FILES ${TORVANE_DATA_FILES} DESTINATION ${TORVANE_INSTALL_DATADIR})
install(DIRECTORY resources/help DESTINATION ${TORVANE_INSTALL_DATADIR})
install(DIRECTORY editors DESTINATION ${TORVANE_INSTALL_DATADIR})
install(FILES ${TORVANE_CALC_FONT} ${TORVANE_CALC_FONT_LICENSE}
        DESTINATION ${TORVANE_INSTALL_DATADIR})
install(FILES ${TORVANE_HELP_INDEX} DESTINATION ${TORVANE_INSTALL_DATADIR}/help)
install(FILES resources/desktop/torvane-studio.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY resources/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
        FILES_MATCHING PATTERN "*.png")
install(FILES resources/icons/torvane-studio.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES resources/desktop/torvane-studio.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# The newest entry of the changelog is the release that the AppStream entry
# names, so a version needs writing down in one place only.
set(TORVANE_CHANGELOG ${PROJECT_SOURCE_DIR}/resources/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TORVANE_CHANGELOG})
file(STRINGS ${TORVANE_CHANGELOG} _trailer REGEX "^ -- " LIMIT_COUNT 1)
file(STRINGS ${TORVANE_CHANGELOG} _head LIMIT_COUNT 1)
string(REGEX MATCH "^torvane-studio \\(([^)]+)\\)" _ "${_head}")
set(TORVANE_RELEASE_VERSION ${CMAKE_MATCH_1})
string(REGEX MATCH ", ([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) " _ "${_trailer}")
set(_day ${CMAKE_MATCH_1})
set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND _months "${CMAKE_MATCH_2}" _month)
set(_year ${CMAKE_MATCH_3})
if(NOT TORVANE_RELEASE_VERSION OR NOT _year OR _month LESS 0)
  message(FATAL_ERROR "${TORVANE_CHANGELOG}: the newest entry has no version or date")
endif()
math(EXPR _month "${_month} + 1")
string(LENGTH "${_day}" _len)
if(_len EQUAL 1)
  set(_day 0${_day})
endif()
if(_month LESS 10)
  set(_month 0${_month})
endif()
set(TORVANE_RELEASE_DATE ${_year}-${_month}-${_day})

# The AppStream id is reverse DNS, as software centres want it. The project
# has no domain of its own yet; its contact address is at example.com.
set(TORVANE_APP_ID com.example.torvanestudio)
set(TORVANE_METAINFO ${PROJECT_BINARY_DIR}/${TORVANE_APP_ID}.metainfo.xml)
configure_file(resources/desktop/torvane-studio.metainfo.xml.in ${TORVANE_METAINFO} @ONLY)
install(FILES ${TORVANE_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The copyright file and the changelog where Debian looks for them.
set(TORVANE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/torvane-studio)
find_program(TORVANE_GZIP gzip)
if(NOT TORVANE_GZIP)
  message(FATAL_ERROR "gzip is missing")
endif()
set(_changelog ${PROJECT_BINARY_DIR}/doc/changelog)
add_custom_command(OUTPUT ${_changelog}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${TORVANE_CHANGELOG} ${_changelog}
  COMMAND ${TORVANE_GZIP} -9nf ${_changelog}
  DEPENDS ${TORVANE_CHANGELOG}
  VERBATIM)
add_custom_target(torvane_changelog ALL DEPENDS ${_changelog}.gz)
install(FILES resources/debian/copyright ${_changelog}.gz DESTINATION ${TORVANE_INSTALL_DOCDIR})

# The manual page is the program's own --help, which needs no display.
# Leak reports of a sanitizer build would end up in the page.
find_program(TORVANE_HELP2MAN help2man)
if(TORVANE_HELP2MAN)
  set(_man ${PROJECT_BINARY_DIR}/man/torvane-studio.1)
  add_custom_command(OUTPUT ${_man}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
            ${TORVANE_HELP2MAN} --no-info --section=1 --version-string=${PROJECT_VERSION}
            "--name=editor for TI-83 and TI-83 Plus BASIC programs"
            --include=${PROJECT_SOURCE_DIR}/resources/debian/torvane-studio.h2m
            --output=${_man} $<TARGET_FILE:torvane-studio>
    COMMAND ${TORVANE_GZIP} -9nf ${_man}
    DEPENDS torvane-studio ${PROJECT_SOURCE_DIR}/resources/debian/torvane-studio.h2m
    VERBATIM)
  add_custom_target(torvane_manpage ALL DEPENDS ${_man}.gz)
  install(FILES ${_man}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: no manual page (scripts/deps.sh installs it)")
endif()

# `cpack -G DEB` in the build folder. The desktop, MIME and icon caches are
# refreshed by the triggers of desktop-file-utils, shared-mime-info and the
# icon theme, so the package needs no scripts of its own.
set(CPACK_PACKAGE_NAME torvane-studio)
set(CPACK_PACKAGE_VENDOR "Torvane")
set(CPACK_PACKAGE_CONTACT "Torvane Studio developers <torvane-studio@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for TI-83 BASIC calculator programs")
# Lines of the extended description stay under 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Write programs for the TI-83 and TI-83 Plus graphing calculators in"
  "document windows, insert calculator commands from menus that show their"
  "syntax and an example, and pick the calculator's symbols from a palette."
  "Programs are exported as .8xp or .83p files that the calculator's link"
  "software sends as they are, or in the link software's ASCII import"
  "format; .8xp and .83p files open as documents. The conversions also run"
  "from the command line without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# The SQLite driver is a plugin Qt loads at run time, invisible to the
# library scan.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
find_program(TORVANE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TORVANE_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  message(STATUS "dpkg-shlibdeps not found (dpkg-dev): the .deb lists the Qt libraries by name")
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libqt6core6, libqt6gui6, libqt6widgets6, "
         "libqt6printsupport6, libqt6sql6, "
         "libqt6webenginewidgets6, libqt6webenginecore6, libstdc++6")
endif()
if(PROJECT_IS_TOP_LEVEL)
  include(CPack)
endif()
