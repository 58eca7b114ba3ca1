# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Names every C++ file that does not follow .clang-format and fails when
# there is one. The format-check target and test.sh both run it:
#   cmake -DROOT=<source folder> [-DCLANG_FORMAT=<program>] -P cmake/FormatCheck.cmake
# Without clang-format it says so and passes: a missing tool is not a fault
# of the code.
include(${CMAKE_CURRENT_LIST_DIR}/FormatFiles.cmake)
if(NOT CLANG_FORMAT)
  find_program(CLANG_FORMAT NAMES clang-format)
endif()
if(NOT CLANG_FORMAT)
  message("clang-format is not installed; format check skipped")
  return()
endif()

torvane_format_files(files ${ROOT})
set(bad 0)
foreach(f ${files})
  execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${f}
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  if(NOT rc EQUAL 0)
    file(RELATIVE_PATH shown ${ROOT} ${f})
    message("not formatted: ${shown}")
    math(EXPR bad "${bad} + 1")
  endif()
endforeach()
if(bad GREATER 0)
  message(FATAL_ERROR "${bad} C++ files do not follow .clang-format; the format target fixes them")
endif()
message("format check: every C++ file follows .clang-format")
