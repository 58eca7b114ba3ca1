# Installs the program like any Linux application and packages it for Debian:
#   <prefix>/bin/torvane-studio
#   <prefix>/lib/torvane-studio/              the web engine module
#   <prefix>/share/torvane-studio/            tips, menu.txt, help pages,
#                                             calculator font and its licence
#   <prefix>/share/applications/              the .desktop entry
#   <prefix>/share/icons/hicolor/*/apps/      the icon, PNG sizes and SVG
#   <prefix>/share/mime/packages/             the .tvf file type
# Included from the top CMakeLists.txt after the targets exist.
include(GNUInstallDirs)

set(TORVANE_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/torvane-studio)
# Places looks for the data folder relative to the executable, so the
# program finds it under any prefix.
file(RELATIVE_PATH _data_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/torvane-studio)
set_property(SOURCE src/platform/Places.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             TORVANE_DATA_FROM_BIN="${_data_from_bin}")

file(RELATIVE_PATH _module_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBDIR}/torvane-studio)
set_property(SOURCE src/platform/BrowserView.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             TORVANE_MODULE_FROM_BIN="${_module_from_bin}")

install(TARGETS torvane-studio RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS torvane-webengine LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/torvane-studio)
install(FILES ${TORVANE_DATA_FILES} DESTINATION ${TORVANE_INSTALL_DATADIR})
install(DIRECTORY resources/help DESTINATION ${TORVANE_INSTALL_DATADIR})
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

# `cpack -G DEB` in the build folder. The desktop, MIME and icon caches are
# refreshed by the triggers of desktop-file-utils, shared-mime-info and the
# icon theme, so the package needs no scripts of its own.
set(CPACK_PACKAGE_NAME torvane-studio)
set(CPACK_PACKAGE_VENDOR "Torvane")
set(CPACK_PACKAGE_CONTACT "Torvane Studio developers <torvane-studio@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for TI-83 BASIC calculator programs")
set(CPACK_PACKAGE_DESCRIPTION "Write calculator programs in document windows, insert \
calculator commands from menus, pick symbols from a palette and export the program in the \
link software's ASCII format.")
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
