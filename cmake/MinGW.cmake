# Shared part of the MinGW-w64 cross toolchains; KB_MINGW_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${KB_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KB_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KB_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KB_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The executable must run on a bare Windows: no libgcc, libstdc++ or winpthread DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Cross-built tests run under Wine; scripts/test provides the prefix and the display.
find_program(KB_WINE_LOADER NAMES ${KB_WINE_LOADER_NAMES}
             PATHS /usr/lib/wine /usr/lib/wine-stable /opt/wine-stable/bin NO_DEFAULT_PATH)
if(NOT KB_WINE_LOADER)
  find_program(KB_WINE_LOADER NAMES ${KB_WINE_LOADER_NAMES} wine)
endif()
if(KB_WINE_LOADER)
  cmake_path(SET wine_exec NORMALIZE ${CMAKE_CURRENT_LIST_DIR}/../scripts/lib/wine-exec)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${wine_exec} ${KB_WINE_LOADER})
endif()
