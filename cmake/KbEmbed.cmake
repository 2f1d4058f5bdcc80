# kb_embed_files(<header> <name>=<file> ...)
#   Writes <header> (in the current binary folder) with one array per file, its bytes:
#   `inline constexpr unsigned char <name>[] = {...};`. The build configures again when a file
#   changes.
function(kb_embed_files header)
  set(content "#pragma once\n// Made by the build from the files named here; not to be edited.\n")
  foreach(entry ${ARGN})
    string(REPLACE "=" ";" parts "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 file)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
    file(READ ${file} hex HEX)
    string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
    string(APPEND content "inline constexpr unsigned char ${name}[] = {${bytes}};\n")
  endforeach()
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${header} CONTENT "${content}" @ONLY)
endfunction()
