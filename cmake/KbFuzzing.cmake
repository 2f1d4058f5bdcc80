# libFuzzer targets. Every library is instrumented for coverage and checked by AddressSanitizer
# and UndefinedBehaviorSanitizer; each target also runs as a CTest test for a bounded time.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "KB_FUZZ needs clang (libFuzzer)")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)

set(KB_FUZZ_SECONDS 20 CACHE STRING "How long each fuzz target runs as a test")

# kb_add_fuzz_target(<name> SOURCES <files...> LIBRARIES <targets...>)
#   Seed inputs, if any, lie in tests/fuzz/corpus/<name>/; what the run finds is kept in the
#   build tree, never in the sources.
function(kb_add_fuzz_target name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  kb_target_warnings(${name})

  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}.work)
  file(MAKE_DIRECTORY ${work}/corpus ${work}/artifacts)
  set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  if(NOT EXISTS ${seeds})
    set(seeds "")
  endif()
  add_test(NAME fuzz.${name}
           COMMAND ${name} -max_total_time=${KB_FUZZ_SECONDS} -artifact_prefix=${work}/artifacts/
                   ${work}/corpus ${seeds})
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()
