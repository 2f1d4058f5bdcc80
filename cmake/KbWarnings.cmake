# kb_target_warnings(<target>): the project's warning set, errors when KB_WARNINGS_AS_ERRORS is on.
function(kb_target_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive-)
    if(KB_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
      -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast -Wcast-align
      -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
    if(KB_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()
