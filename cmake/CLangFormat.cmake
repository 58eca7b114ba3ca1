# `format` rewrites every C++ file of the project in the style of
# .clang-format; `format-check` only reports files that are not.
find_program(CLANG_FORMAT_EXE NAMES clang-format)
if(NOT CLANG_FORMAT_EXE)
  return()
endif()

set(_format_dirs src tests bench fuzz)
set(_format_globs)
foreach(dir ${_format_dirs})
  list(APPEND _format_globs ${PROJECT_SOURCE_DIR}/${dir}/*.cpp ${PROJECT_SOURCE_DIR}/${dir}/*.h)
endforeach()
file(GLOB_RECURSE TORVANE_FORMAT_FILES CONFIGURE_DEPENDS ${_format_globs})
# Vendored code keeps its authors' layout.
list(FILTER TORVANE_FORMAT_FILES EXCLUDE REGEX "/third_party/")

add_custom_target(format
  COMMAND ${CLANG_FORMAT_EXE} -i ${TORVANE_FORMAT_FILES}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "Formatting the C++ sources")
add_custom_target(format-check
  COMMAND ${CLANG_FORMAT_EXE} --dry-run --Werror ${TORVANE_FORMAT_FILES}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "Checking the C++ sources' format")
