# What both MinGW-w64 toolchains share; the including file sets TV_MINGW_TRIPLET (i686-w64-mingw32 or
# x86_64-w64-mingw32). Debian's posix threads variant of the compilers.
set(CMAKE_SYSTEM_NAME Windows)
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR ${TV_MINGW_TRIPLET})
set(CMAKE_C_COMPILER ${TV_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TV_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test programs run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
