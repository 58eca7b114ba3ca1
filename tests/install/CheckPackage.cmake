# Builds the .deb into a scratch folder and checks that it carries the
# program and names the Debian packages it needs at run time.
# Run as: cmake -DBUILD=<build folder> -DOUT=<scratch folder> -P CheckPackage.cmake
cmake_minimum_required(VERSION 3.21)
foreach(v BUILD OUT)
  if(NOT ${v})
    message(FATAL_ERROR "CheckPackage: ${v} is not set")
  endif()
endforeach()
find_program(DPKG_DEB dpkg-deb)
if(NOT DPKG_DEB)
  message(FATAL_ERROR "dpkg-deb is missing")
endif()

file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${OUT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs ${OUT}/torvane-studio_*.deb)
if(NOT rc EQUAL 0 OR NOT debs)
  message(FATAL_ERROR "cpack -G DEB made no package:\n${out}")
endif()
list(GET debs 0 deb)

# Debian names the package of libQt6Foo.so.6 libqt6foo6: every Qt library
# the program links must be a dependency, and so must the SQLite plugin it
# only loads.
find_program(READELF readelf)
if(NOT READELF)
  message(FATAL_ERROR "readelf is missing (binutils)")
endif()
execute_process(COMMAND ${READELF} -d ${BUILD}/torvane-studio OUTPUT_VARIABLE dynamic)
string(REGEX MATCHALL "\\[libQt6[A-Za-z]+\\.so\\.6\\]" linked "${dynamic}")
set(needed libqt6sql6-sqlite)
foreach(lib ${linked})
  string(REGEX REPLACE "^\\[libQt6([A-Za-z]+).*" "libqt6\\16" p "${lib}")
  string(TOLOWER "${p}" p)
  list(APPEND needed ${p})
endforeach()
if(NOT needed MATCHES "libqt6widgets6")
  message(FATAL_ERROR "${BUILD}/torvane-studio links no Qt Widgets library?\n${dynamic}")
endif()

set(failures)
execute_process(COMMAND ${DPKG_DEB} -f ${deb} Depends OUTPUT_VARIABLE depends)
foreach(p ${needed})
  if(NOT depends MATCHES "(^|[ ,])${p}([ ,(]|$)")
    list(APPEND failures "Depends lacks ${p}: ${depends}")
  endif()
endforeach()

execute_process(COMMAND ${DPKG_DEB} -c ${deb} OUTPUT_VARIABLE contents)
foreach(f usr/bin/torvane-studio usr/share/torvane-studio/TIPOFDAY.TXT
          usr/share/torvane-studio/TorvaneCalcMono.ttf usr/share/torvane-studio/LICENSE-font.txt
          usr/share/applications/torvane-studio.desktop
          usr/share/mime/packages/torvane-studio.xml
          usr/share/icons/hicolor/48x48/apps/torvane-studio.png)
  string(REPLACE "." "\\." pattern "${f}")
  if(NOT contents MATCHES " \\./${pattern}\n")
    list(APPEND failures "the package lacks /${f}")
  endif()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "${deb}:\n  ${text}")
endif()
get_filename_component(name ${deb} NAME)
message("${name}: Depends: ${depends}")
