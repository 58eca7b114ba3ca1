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

set(TORVANE_CALC_FONT ${CMAKE_BINARY_DIR}/TorvaneCalcMono.ttf)
set(TORVANE_CALC_FONT_LICENSE ${CMAKE_BINARY_DIR}/LICENSE-font.txt)
add_custom_command(
  OUTPUT ${TORVANE_CALC_FONT} ${TORVANE_CALC_FONT_LICENSE}
  COMMAND ${TORVANE_FONT_PYTHON} ${CMAKE_SOURCE_DIR}/scripts/make-calc-font.py
          ${TORVANE_FONT_SOURCE} ${CMAKE_SOURCE_DIR}/src/platform/CalculatorSymbols.cpp
          ${TORVANE_CALC_FONT}
  COMMAND ${CMAKE_COMMAND} -E copy ${TORVANE_FONT_LICENSE} ${TORVANE_CALC_FONT_LICENSE}
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make-calc-font.py
          ${CMAKE_SOURCE_DIR}/src/platform/CalculatorSymbols.cpp ${TORVANE_FONT_SOURCE}
  COMMENT "Making the calculator display font"
  VERBATIM)
add_custom_target(calculator_font ALL DEPENDS ${TORVANE_CALC_FONT} ${TORVANE_CALC_FONT_LICENSE})
add_dependencies(torvane-studio calculator_font)
