# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The calculator display font, made from the installed DejaVu Sans Mono by
# scripts/make-calc-font.py and placed next to the executable with the
# source font's licence. Debian's python3-fonttools installs for the system
# interpreter, so that one is preferred over any python3 earlier on PATH.
find_program(TORVANE_FONT_PYTHON NAMES python3 HINTS /usr/bin)
set(TORVANE_FONT_SOURCE /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
    CACHE FILEPATH "DejaVu Sans Mono, the outlines of the calculator font")
set(TORVANE_FONT_LICENSE /usr/share/doc/fonts-dejavu-core/copyright
    CACHE FILEPATH "Licence of the calculator font's source")
execute_process(COMMAND ${TORVANE_FONT_PYTHON} -c "import fontTools"
                RESULT_VARIABLE _fonttools_missing OUTPUT_QUIET ERROR_QUIET)
if(_fonttools_missing)
  message(FATAL_ERROR "${TORVANE_FONT_PYTHON} cannot import fontTools: install python3-fonttools "
                      "(scripts/deps.sh does) or set TORVANE_FONT_PYTHON.")
endif()
foreach(f ${TORVANE_FONT_SOURCE} ${TORVANE_FONT_LICENSE})
  if(NOT EXISTS ${f})
    message(FATAL_ERROR "${f} is missing: install fonts-dejavu-core.")
  endif()
endforeach()

set(TORVANE_CALC_FONT ${TORVANE_OUTPUT_DIR}/TorvaneCalcMono.ttf)
set(TORVANE_CALC_FONT_LICENSE ${TORVANE_OUTPUT_DIR}/LICENSE-font.txt)
add_custom_command(
  OUTPUT ${TORVANE_CALC_FONT} ${TORVANE_CALC_FONT_LICENSE}
  COMMAND ${TORVANE_FONT_PYTHON} ${PROJECT_SOURCE_DIR}/scripts/make-calc-font.py
          ${TORVANE_FONT_SOURCE} ${PROJECT_SOURCE_DIR}/src/calc/CalculatorSymbols.cpp
          ${TORVANE_CALC_FONT}
  COMMAND ${CMAKE_COMMAND} -E copy ${TORVANE_FONT_LICENSE} ${TORVANE_CALC_FONT_LICENSE}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make-calc-font.py
          ${PROJECT_SOURCE_DIR}/src/calc/CalculatorSymbols.cpp ${TORVANE_FONT_SOURCE}
  COMMENT "Making the calculator display font"
  VERBATIM)
add_custom_target(calculator_font ALL DEPENDS ${TORVANE_CALC_FONT} ${TORVANE_CALC_FONT_LICENSE})
add_dependencies(torvane-studio calculator_font)

# For a project that includes this one: puts the calculator font and its
# licence beside its own program, where the program looks for them.
set_property(GLOBAL PROPERTY TORVANE_CALC_FONT_FILES ${TORVANE_CALC_FONT} ${TORVANE_CALC_FONT_LICENSE})
function(torvane_place_calculator_font target)
  get_property(files GLOBAL PROPERTY TORVANE_CALC_FONT_FILES)
  add_dependencies(${target} calculator_font)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${files} $<TARGET_FILE_DIR:${target}>)
endfunction()
