# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Configures and builds the outside project in tests/subproject against this
# source tree, then runs its program.
# Run as: cmake -DTORVANE_DIR=<source> -DOUT=<build folder> -P CheckOutside.cmake
cmake_minimum_required(VERSION 3.21)
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR} -B ${OUT} -G Ninja
                        -DCMAKE_BUILD_TYPE=Release -DTORVANE_DIR=${TORVANE_DIR}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring the outside project failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${OUT} -j2 RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the outside project failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${OUT}/outside
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the outside program failed (${rc})")
endif()
message("outside project: built and ran")
