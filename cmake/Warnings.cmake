# Warnings for our own code (not for generated moc files).
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
elseif(MSVC)
  add_compile_options(/W4 /permissive-)
endif()
# The test builds (the Makefile's: GCC, clang with the sanitizers, the
# plain layers, Emscripten) fail on any warning.
option(RP770_WERROR "Treat compiler warnings as errors" OFF)
if(RP770_WERROR)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-Werror)
  elseif(MSVC)
    add_compile_options(/WX)
  endif()
endif()
