# Warnings for our own code (not for generated moc files).
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
elseif(MSVC)
  add_compile_options(/W4 /permissive-)
endif()
