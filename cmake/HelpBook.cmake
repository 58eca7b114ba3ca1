# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The help book: the pages in resources/help, and a search index made from
# their text when the project is configured. Every page is a configure
# dependency, so editing, adding or removing one remakes the index and the
# resource list at the next build. Defines TORVANE_HELP_INDEX (the generated
# search-index.js) and TORVANE_HELP_QRC (the resource file that builds the
# pages into the program).
file(GLOB TORVANE_HELP_PAGES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/resources/help/*)
list(SORT TORVANE_HELP_PAGES)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TORVANE_HELP_PAGES})

set(_entries "")
foreach(page ${TORVANE_HELP_PAGES})
  get_filename_component(name ${page} NAME)
  if(NOT name MATCHES "\\.html$" OR name STREQUAL "search.html")
    continue()
  endif()
  file(READ ${page} html)
  string(REGEX MATCH "<title>([^<]*)</title>" _ "${html}")
  set(title "${CMAKE_MATCH_1}")
  string(REGEX REPLACE "<head>.*</head>" " " text "${html}")
  string(REGEX REPLACE "<script[^>]*>[^<]*</script>" " " text "${text}")
  string(REGEX REPLACE "<p class=\"nav\">[^\n]*</p>" " " text "${text}")
  string(REGEX REPLACE "<[^>]*>" " " text "${text}")
  foreach(v text title)
    string(REPLACE "&gt;" ">" ${v} "${${v}}")
    string(REPLACE "&lt;" "<" ${v} "${${v}}")
    string(REPLACE "&quot;" "\"" ${v} "${${v}}")
    string(REPLACE "&nbsp;" " " ${v} "${${v}}")
    string(REPLACE "&amp;" "&" ${v} "${${v}}")
  endforeach()
  string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")
  string(STRIP "${text}" text)
  foreach(v text title)
    string(REPLACE "\\" "\\\\" ${v} "${${v}}")
    string(REPLACE "\"" "\\\"" ${v} "${${v}}")
  endforeach()
  string(APPEND _entries "  {page: \"${name}\", title: \"${title}\", text: \"${text}\"},\n")
endforeach()
set(TORVANE_HELP_INDEX ${CMAKE_CURRENT_BINARY_DIR}/help-index/search-index.js)
# Written only when it changed, so an unchanged book rebuilds nothing.
file(WRITE ${TORVANE_HELP_INDEX}.new
     "// Made from the help pages when the program was built.\nvar helpIndex = [\n${_entries}];\n")
configure_file(${TORVANE_HELP_INDEX}.new ${TORVANE_HELP_INDEX} COPYONLY)

set(_files "")
foreach(page ${TORVANE_HELP_PAGES} ${TORVANE_HELP_INDEX})
  get_filename_component(name ${page} NAME)
  string(APPEND _files "    <file alias=\"${name}\">${page}</file>\n")
endforeach()
set(TORVANE_HELP_QRC ${CMAKE_CURRENT_BINARY_DIR}/help-index/help.qrc)
file(WRITE ${TORVANE_HELP_QRC}.new
     "<RCC>\n  <qresource prefix=\"/help\">\n${_files}  </qresource>\n</RCC>\n")
configure_file(${TORVANE_HELP_QRC}.new ${TORVANE_HELP_QRC} COPYONLY)
