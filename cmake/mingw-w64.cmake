# Cross-builds the 64-bit Windows target with MinGW-w64 (Debian's posix-thread compilers).
# Tests run under wine64 as CMake's emulator; the program is linked statically, so the
# executable needs no runtime libraries beside it.
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=$PWD/cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Always the 64-bit loader: /usr/bin/wine takes the 32-bit one once that is installed.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
