# libFuzzer targets. Every library is instrumented for coverage and checked by AddressSanitizer
# and UndefinedBehaviorSanitizer.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "KB_FUZZ needs clang (libFuzzer)")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)

set(KB_FUZZ_RUNS 500000 CACHE STRING "How many inputs each fuzz target tries in the test gate")

# kb_add_fuzz_target(<name> SOURCES <files...> LIBRARIES <targets...> [RUNS <count>])
#   Seed inputs, if any, lie in tests/fuzz/corpus/<name>/; what a run finds is kept in the
#   build tree, never in the sources. Two tests check the target the same way every time: its
#   seeds, and a pass of RUNS inputs (KB_FUZZ_RUNS unless given) from a fixed random seed.
#   scripts/fuzz runs the targets for as long as asked.
function(kb_add_fuzz_target name)
  cmake_parse_arguments(ARG "" "RUNS" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  kb_target_warnings(${name})
  if(NOT ARG_RUNS)
    set(ARG_RUNS ${KB_FUZZ_RUNS})
  endif()

  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}.work)
  set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  if(NOT EXISTS ${seeds})
    set(seeds "")
  endif()
  foreach(mode seeds pass)
    add_test(NAME fuzz.${name}.${mode}
             COMMAND ${CMAKE_COMMAND} -DTARGET=$<TARGET_FILE:${name}> -DWORK=${work}/${mode}
                     -DSEEDS=${seeds} -DMODE=${mode} -DRUNS=${ARG_RUNS}
                     -P ${PROJECT_SOURCE_DIR}/cmake/KbFuzzRun.cmake)
    set_tests_properties(fuzz.${name}.${mode} PROPERTIES LABELS fuzz TIMEOUT 300)
  endforeach()
endfunction()
