# The browser edition (an Emscripten build): the plain layers and src/web,
# nothing of the desktop and no GoogleTest, whatever RP770_WITH_QT and
# BUILD_TESTING say; its tests run under Node. `make web` configures it with
# emcmake.
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
# {fmt} without std::locale: the program never formats by the user's
# locale, and the locale's facets would weigh some 100 KB in the module.
add_compile_definitions(FMT_STATIC_THOUSANDS_SEPARATOR=1)
add_link_options(-fexceptions)
# The plain layers (src/CMakeLists.txt names them), and src/web with them.
set(RP770_WITH_QT OFF)
add_subdirectory(src)

enable_testing()
add_subdirectory(tests/web)

# The page's catalogues (LANGUAGE.json) in its messages folder.
rp770_page_messages(rp770_page_messages ${CMAKE_BINARY_DIR}/web/messages)
# The page is built with them (the Makefile builds the page by its target).
add_dependencies(rp770_page rp770_page_messages)
