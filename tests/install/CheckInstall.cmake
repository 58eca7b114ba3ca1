# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the build into a fresh prefix and checks that the program lands
# where a Linux desktop looks for it, and that the pieces name each other.
# Run as: cmake -DBUILD=<build folder> -DPREFIX=<empty prefix> -DMODULEDIR=<module folder>
#                -DAPPID=<AppStream id> -P CheckInstall.cmake
cmake_minimum_required(VERSION 3.21)
foreach(v BUILD PREFIX MODULEDIR APPID)
  if(NOT ${v})
    message(FATAL_ERROR "CheckInstall: ${v} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc})")
endif()

set(failures)
macro(fail text)
  list(APPEND failures "${text}")
endmacro()

set(expected
  bin/torvane-studio
  ${MODULEDIR}/libtorvane-webengine.so
  share/torvane-studio/TIPOFDAY.TXT
  share/torvane-studio/menu.txt
  share/torvane-studio/help/index.html
  share/torvane-studio/TorvaneCalcMono.ttf
  share/torvane-studio/LICENSE-font.txt
  share/torvane-studio/help/search-index.js
  share/torvane-studio/editors/README.md
  share/torvane-studio/editors/neovim/ftdetect/tibasic.lua
  share/torvane-studio/editors/neovim/ftplugin/tibasic.lua
  share/torvane-studio/editors/kate/tibasic.xml
  share/torvane-studio/editors/kate/lspclient.json
  share/torvane-studio/editors/vscode/package.json
  share/torvane-studio/editors/vscode/extension.js
  share/torvane-studio/editors/vscode/syntaxes/tibasic.tmLanguage.json
  share/applications/torvane-studio.desktop
  share/icons/hicolor/scalable/apps/torvane-studio.svg
  share/mime/packages/torvane-studio.xml
  share/metainfo/${APPID}.metainfo.xml
  share/man/man1/torvane-studio.1.gz
  share/doc/torvane-studio/copyright
  share/doc/torvane-studio/changelog.gz)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/torvane-studio.png)
endforeach()
foreach(f ${expected})
  if(NOT EXISTS ${PREFIX}/${f})
    fail("missing ${f}")
  endif()
endforeach()
if(EXISTS ${PREFIX}/bin/torvane-studio)
  file(READ ${PREFIX}/bin/torvane-studio head LIMIT 4 HEX)
  if(NOT head STREQUAL "7f454c46")
    fail("bin/torvane-studio is not an executable")
  endif()
endif()

# The desktop entry: valid, and naming the installed program, icon and type.
set(desktop ${PREFIX}/share/applications/torvane-studio.desktop)
find_program(VALIDATE desktop-file-validate)
if(NOT VALIDATE)
  fail("desktop-file-validate is missing (desktop-file-utils)")
elseif(EXISTS ${desktop})
  execute_process(COMMAND ${VALIDATE} ${desktop} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR out MATCHES "error")
    fail("desktop-file-validate: ${out}")
  endif()
  file(STRINGS ${desktop} exec REGEX "^Exec=")
  file(STRINGS ${desktop} icon REGEX "^Icon=")
  file(READ ${desktop} entry)
  if(NOT exec STREQUAL "Exec=torvane-studio %F")
    fail("desktop entry: ${exec}, not the installed program taking files")
  endif()
  if(NOT icon STREQUAL "Icon=torvane-studio")
    fail("desktop entry: ${icon}, not the installed icon")
  endif()
  if(NOT entry MATCHES "\nMimeType=([^\n]*;)?application/x-torvane-studio;")
    fail("desktop entry: its MimeType does not name the .tvf type")
  endif()
endif()

# The AppStream entry launches the installed desktop entry and opens the
# type that the entry and the MIME package declare.
set(metainfo ${PREFIX}/share/metainfo/${APPID}.metainfo.xml)
if(EXISTS ${metainfo})
  file(READ ${metainfo} info)
  if(NOT info MATCHES "<id>${APPID}</id>")
    fail("metainfo: its id is not ${APPID}, the file's name")
  endif()
  if(NOT info MATCHES "<launchable type=\"desktop-id\">torvane-studio.desktop</launchable>")
    fail("metainfo: it does not launch torvane-studio.desktop")
  endif()
  if(NOT info MATCHES "<mediatype>application/x-torvane-studio</mediatype>")
    fail("metainfo: it does not name the .tvf type")
  endif()
endif()

# The MIME package compiles and maps *.tvf to the type the entry names.
find_program(UPDATE_MIME update-mime-database)
if(NOT UPDATE_MIME)
  fail("update-mime-database is missing (shared-mime-info)")
else()
  execute_process(COMMAND ${UPDATE_MIME} ${PREFIX}/share/mime RESULT_VARIABLE rc
                  OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR out MATCHES "[Ee]rror|[Ww]arning")
    fail("update-mime-database: ${out}")
  endif()
  set(globs ${PREFIX}/share/mime/globs2)
  if(EXISTS ${globs})
    file(STRINGS ${globs} lines REGEX ":application/x-torvane-studio:\\*\\.tvf")
  endif()
  if(NOT lines)
    fail("the MIME database does not map *.tvf to application/x-torvane-studio")
  endif()
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "install into ${PREFIX}:\n  ${text}")
endif()
message("install into ${PREFIX}: every file in place")
