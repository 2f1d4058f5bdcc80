set(KB_MINGW_TRIPLE i686-w64-mingw32)
# Debian's 32-bit loader is lib/wine/wine; elsewhere the wrapper `wine` picks it.
set(KB_WINE_LOADER_NAMES wine)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
