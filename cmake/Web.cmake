# The browser edition (an Emscripten build): the plain layers and src/web,
# nothing of the desktop. `make web` configures it with emcmake.
#
# C++ exceptions go through JavaScript (-fexceptions): wasm exceptions
# crash binaryen's Asyncify pass here. The flag must reach every object.
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE MinSizeRel)
endif()
# Emscripten's JavaScript optimizer needs acorn, which Debian keeps among its
# node packages.
if(NOT DEFINED ENV{NODE_PATH} AND EXISTS /usr/share/nodejs)
  set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
endif()
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
foreach(layer core os files link report sim workspace session web)
  add_subdirectory(src/${layer})
endforeach()

enable_testing()
add_subdirectory(tests/web)
