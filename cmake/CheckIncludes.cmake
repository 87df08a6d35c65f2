# Checks that every target of src/ declares the layers it includes: each
# #include "layer/..." of a source or header in the target's folder names a
# layer the target links directly (or its own). Run by CTest:
#
#   cmake -DSOURCE_DIR=<src> -DMAP=<file> -P CheckIncludes.cmake
#
# MAP holds one line per target folder: "folder allowed-layer...", written
# at configure time from the targets' own LINK_LIBRARIES (tests/layers).
cmake_minimum_required(VERSION 3.25)
file(STRINGS ${MAP} lines)
set(layers)
foreach(line IN LISTS lines)
  string(REPLACE " " ";" words "${line}")
  list(GET words 0 folder)
  list(APPEND layers ${folder})
endforeach()
set(problems 0)
foreach(line IN LISTS lines)
  string(REPLACE " " ";" words "${line}")
  list(GET words 0 folder)
  set(allowed ${words})
  file(GLOB sources ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[A-Za-z0-9_]+/")
    foreach(include IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([A-Za-z0-9_]+)/.*" "\\1" layer "${include}")
      # Only the project's own folders are layers ("data/" of the build, say, is not).
      if(NOT layer IN_LIST layers)
        continue()
      endif()
      if(NOT layer IN_LIST allowed)
        file(RELATIVE_PATH shown ${SOURCE_DIR} ${source})
        message("${shown}: includes ${layer}/ but its target does not link it")
        math(EXPR problems "${problems} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()
if(problems GREATER 0)
  message(FATAL_ERROR "${problems} include(s) of layers not declared")
endif()
message(STATUS "every target of ${SOURCE_DIR} declares the layers it includes")
