# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The C++ files kept in the style of .clang-format: every .cpp and .h under
# these folders of `root`, vendored code aside. Further arguments go to file(GLOB_RECURSE).
function(torvane_format_files out root)
  set(globs)
  foreach(dir src tests bench fuzz)
    list(APPEND globs ${root}/${dir}/*.cpp ${root}/${dir}/*.h)
  endforeach()
  file(GLOB_RECURSE files ${ARGN} ${globs})
  # Vendored code keeps its authors' layout.
  list(FILTER files EXCLUDE REGEX "/third_party/")
  set(${out} ${files} PARENT_SCOPE)
endfunction()
