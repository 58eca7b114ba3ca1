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
  string(REGEX REPLACE "<[^>]*>" " " text "${text}")
  foreach(pair "&gt;|>" "&lt;|<" "&quot;|\"" "&nbsp;| " "&rarr;|->" "&hellip;|..." "&amp;|&")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    string(REPLACE "${from}" "${to}" text "${text}")
    string(REPLACE "${from}" "${to}" title "${title}")
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
file(CONFIGURE OUTPUT ${TORVANE_HELP_INDEX}
     CONTENT "// Made from the help pages when the program was built.\nvar helpIndex = [\n${_entries}];\n"
     @ONLY)

set(_files "")
foreach(page ${TORVANE_HELP_PAGES} ${TORVANE_HELP_INDEX})
  get_filename_component(name ${page} NAME)
  string(APPEND _files "    <file alias=\"${name}\">${page}</file>\n")
endforeach()
set(TORVANE_HELP_QRC ${CMAKE_CURRENT_BINARY_DIR}/help-index/help.qrc)
file(CONFIGURE OUTPUT ${TORVANE_HELP_QRC}
     CONTENT "<RCC>\n  <qresource prefix=\"/help\">\n${_files}  </qresource>\n</RCC>\n" @ONLY)
