# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# `format` rewrites every C++ file of the project in the style of
# .clang-format; `format-check` only reports files that are not, with the
# same script test.sh runs.
find_program(CLANG_FORMAT_EXE NAMES clang-format)
if(NOT CLANG_FORMAT_EXE)
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/FormatFiles.cmake)
torvane_format_files(TORVANE_FORMAT_FILES ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS)

add_custom_target(format
  COMMAND ${CLANG_FORMAT_EXE} -i ${TORVANE_FORMAT_FILES}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "Formatting the C++ sources")
add_custom_target(format-check
  COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -DCLANG_FORMAT=${CLANG_FORMAT_EXE}
          -P ${CMAKE_CURRENT_LIST_DIR}/FormatCheck.cmake
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "Checking the C++ sources' format")
