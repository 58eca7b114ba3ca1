# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Each folder of src/ above calc/ declares its sources in its own
# CMakeLists.txt with one call:
#   torvane_folder(WIDGET_FREE Name1 Name2 ...)
# The files of those names (.cpp and .h) go to torvane_base, which links Qt
# Core and Gui only; every other .cpp and .h of the folder goes to
# torvane_windows. The lists are kept as properties of the project's folder.
function(torvane_folder)
  cmake_parse_arguments(ARG "" "" "WIDGET_FREE" ${ARGN})
  file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
                                    ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(base)
  foreach(name ${ARG_WIDGET_FREE})
    set(any FALSE)
    foreach(ext cpp h)
      if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${name}.${ext})
        list(APPEND base ${CMAKE_CURRENT_SOURCE_DIR}/${name}.${ext})
        set(any TRUE)
      endif()
    endforeach()
    if(NOT any)
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}: no ${name}.cpp or ${name}.h")
    endif()
  endforeach()
  if(base)
    list(REMOVE_ITEM found ${base})
  endif()
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY TORVANE_BASE_SOURCES ${base})
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY TORVANE_WINDOW_SOURCES ${found})
endfunction()

# The folders of the layer list, lowest first, one entry per folder.
function(torvane_layer_folders out)
  string(REPLACE "|" ";" folders "${TORVANE_LAYERS}")
  set(${out} ${folders} PARENT_SCOPE)
endfunction()
