# Cross-compiling for 64-bit Windows with Debian's MinGW-w64. The same sources as the 32-bit build; used to
# run the Windows tests where the machine cannot execute 32-bit code (Wine's 32-bit loader then fails with
# "Exec format error"), since the 64-bit Wine loader needs no 32-bit support.
set(TV_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
