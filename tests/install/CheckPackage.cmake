# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the .deb into a scratch folder and checks that it carries the
# program and names the Debian packages it needs at run time. With LINT on,
# lintian must find nothing to warn about and the AppStream entry must pass
# the strict validator.
# Run as: cmake -DBUILD=<build folder> -DOUT=<scratch folder> [-DLINT=ON] -P CheckPackage.cmake
cmake_minimum_required(VERSION 3.21)
foreach(v BUILD OUT)
  if(NOT ${v})
    message(FATAL_ERROR "CheckPackage: ${v} is not set")
  endif()
endforeach()
find_program(DPKG_DEB dpkg-deb)
if(NOT DPKG_DEB)
  message(FATAL_ERROR "dpkg-deb is missing")
endif()

file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${OUT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs ${OUT}/torvane-studio_*.deb)
if(NOT rc EQUAL 0 OR NOT debs)
  message(FATAL_ERROR "cpack -G DEB made no package:\n${out}")
endif()
list(GET debs 0 deb)

# Debian names the package of libQt6Foo.so.6 libqt6foo6: every Qt library
# the program links must be a dependency, and so must the SQLite plugin it
# only loads.
find_program(READELF readelf)
if(NOT READELF)
  message(FATAL_ERROR "readelf is missing (binutils)")
endif()
execute_process(COMMAND ${READELF} -d ${BUILD}/torvane-studio OUTPUT_VARIABLE dynamic)
string(REGEX MATCHALL "\\[libQt6[A-Za-z]+\\.so\\.6\\]" linked "${dynamic}")
set(needed libqt6sql6-sqlite)
foreach(lib ${linked})
  string(REGEX REPLACE "^\\[libQt6([A-Za-z]+).*" "libqt6\\16" p "${lib}")
  string(TOLOWER "${p}" p)
  list(APPEND needed ${p})
endforeach()
if(NOT needed MATCHES "libqt6widgets6")
  message(FATAL_ERROR "${BUILD}/torvane-studio links no Qt Widgets library?\n${dynamic}")
endif()

set(failures)
execute_process(COMMAND ${DPKG_DEB} -f ${deb} Depends OUTPUT_VARIABLE depends)
foreach(p ${needed})
  if(NOT depends MATCHES "(^|[ ,])${p}([ ,(]|$)")
    list(APPEND failures "Depends lacks ${p}: ${depends}")
  endif()
endforeach()

execute_process(COMMAND ${DPKG_DEB} -c ${deb} OUTPUT_VARIABLE contents)
foreach(f usr/bin/torvane-studio usr/share/torvane-studio/TIPOFDAY.TXT
          usr/share/torvane-studio/TorvaneCalcMono.ttf usr/share/torvane-studio/LICENSE-font.txt
          usr/share/applications/torvane-studio.desktop
          usr/share/mime/packages/torvane-studio.xml
          usr/share/icons/hicolor/48x48/apps/torvane-studio.png
          usr/share/doc/torvane-studio/copyright usr/share/doc/torvane-studio/changelog.gz
          usr/share/man/man1/torvane-studio.1.gz)
  string(REPLACE "." "\\." pattern "${f}")
  if(NOT contents MATCHES " \\./${pattern}\n")
    list(APPEND failures "the package lacks /${f}")
  endif()
endforeach()

# The newest changelog entry is the package's version: a new version
# needs an entry saying what changed.
find_program(GZIP gzip)
execute_process(COMMAND ${DPKG_DEB} -f ${deb} Version OUTPUT_VARIABLE version
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(root ${OUT}/root)
execute_process(COMMAND ${DPKG_DEB} -x ${deb} ${root})
set(changelog ${root}/usr/share/doc/torvane-studio/changelog.gz)
if(GZIP AND EXISTS ${changelog})
  execute_process(COMMAND ${GZIP} -dc ${changelog} OUTPUT_VARIABLE log)
  string(REGEX MATCH "^torvane-studio \\(([^)]*)\\)" _ "${log}")
  if(NOT CMAKE_MATCH_1 STREQUAL version)
    list(APPEND failures "the changelog's newest entry is '${CMAKE_MATCH_1}', the package ${version}")
  endif()
endif()

if(LINT)
  find_program(LINTIAN lintian)
  find_program(APPSTREAMCLI appstreamcli)
  if(NOT LINTIAN)
    list(APPEND failures "lintian is missing")
  else()
    # Newer lintian refuses root without --allow-root; older only complains.
    execute_process(COMMAND ${LINTIAN} --help OUTPUT_VARIABLE usage ERROR_QUIET)
    set(root_option)
    if(usage MATCHES "--allow-root")
      set(root_option --allow-root)
    endif()
    execute_process(COMMAND ${LINTIAN} ${root_option} --tag-display-limit 0 ${deb}
                    OUTPUT_VARIABLE lint ERROR_VARIABLE lint_errors RESULT_VARIABLE rc)
    string(REGEX MATCHALL "(^|\n)[EW]: [^\n]*" tags "${lint}")
    foreach(tag ${tags})
      string(STRIP "${tag}" tag)
      list(APPEND failures "lintian: ${tag}")
    endforeach()
    # lintian exits 2 when it could not check the package at all.
    if(NOT rc EQUAL 0 AND NOT tags)
      list(APPEND failures "lintian failed (${rc}): ${lint}${lint_errors}")
    endif()
  endif()
  file(GLOB metainfo ${root}/usr/share/metainfo/*.metainfo.xml)
  list(LENGTH metainfo count)
  if(NOT APPSTREAMCLI)
    list(APPEND failures "appstreamcli is missing (appstream)")
  elseif(NOT count EQUAL 1)
    list(APPEND failures "the package has ${count} metainfo files, not one")
  else()
    execute_process(COMMAND ${APPSTREAMCLI} validate --no-net --strict ${metainfo}
                    OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      list(APPEND failures "appstreamcli validate --strict:\n${out}")
    endif()
  endif()
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "${deb}:\n  ${text}")
endif()
get_filename_component(name ${deb} NAME)
message("${name}: Depends: ${depends}")
if(LINT)
  message("lintian: no error or warning; ${metainfo}: valid")
endif()
