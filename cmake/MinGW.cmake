# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, POSIX thread
# model (std::thread and std::mutex work):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW.cmake -DRP770_WITH_QT=OFF ...
# (`make windows` does it). The programs are linked statically: one .exe
# with no DLLs to find.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(RP770_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RP770_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RP770_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${RP770_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RP770_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
