# fast_float (reading decimal text) and {fmt} (writing it), header-only, for
# src/core/DecimalText.cpp alone: target rp770_number_libraries. Their
# headers are copied into the build folder, so that a cross build (the
# browser's, with Emscripten) sees these two and not the host's whole
# /usr/include. Debian: libfast-float-dev and libfmt-dev (scripts/setup.sh).
if(TARGET rp770_number_libraries)
  return()
endif()
find_path(RP770_FAST_FLOAT_INCLUDE_DIR fast_float/fast_float.h
  PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH)
find_path(RP770_FMT_INCLUDE_DIR fmt/format.h
  PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH)
if(NOT RP770_FAST_FLOAT_INCLUDE_DIR OR NOT RP770_FMT_INCLUDE_DIR)
  message(FATAL_ERROR "The headers of fast_float and {fmt} are missing: install libfast-float-dev and "
                      "libfmt-dev (bash scripts/setup.sh), or set RP770_FAST_FLOAT_INCLUDE_DIR and "
                      "RP770_FMT_INCLUDE_DIR to the folders that hold fast_float/ and fmt/.")
endif()
set(RP770_NUMBER_INCLUDE_DIR ${CMAKE_BINARY_DIR}/number-libraries/include)
file(COPY ${RP770_FAST_FLOAT_INCLUDE_DIR}/fast_float ${RP770_FMT_INCLUDE_DIR}/fmt
     DESTINATION ${RP770_NUMBER_INCLUDE_DIR})
add_library(rp770_number_libraries INTERFACE)
target_include_directories(rp770_number_libraries SYSTEM INTERFACE ${RP770_NUMBER_INCLUDE_DIR})
target_compile_definitions(rp770_number_libraries INTERFACE FMT_HEADER_ONLY=1)
