# Sanitizers apply to every target of a native build, so that libraries and tests agree.
if(KB_SANITIZE)
  if(CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "KB_SANITIZE is for native builds only")
  endif()
  list(JOIN KB_SANITIZE "," kb_sanitizers)
  add_compile_options(-fsanitize=${kb_sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${kb_sanitizers})
endif()
