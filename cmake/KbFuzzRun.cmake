# One fuzz target in the test gate, the same answer every time. MODE=seeds runs every seed
# input once; MODE=pass starts from the seeds in a fresh corpus and runs RUNS inputs from a fixed
# random seed. What the pass finds is kept in WORK; the sources are never written.
#   cmake -DTARGET=<fuzzer> -DWORK=<folder> -DSEEDS=<folder or empty> -DMODE=seeds|pass
#         [-DRUNS=<count>] -P KbFuzzRun.cmake
file(MAKE_DIRECTORY ${WORK}/artifacts)
if(MODE STREQUAL "seeds")
  if(NOT SEEDS)
    return()
  endif()
  set(arguments -runs=0 ${SEEDS})
else()
  file(REMOVE_RECURSE ${WORK}/corpus)
  file(MAKE_DIRECTORY ${WORK}/corpus)
  set(arguments -seed=1 -runs=${RUNS} ${WORK}/corpus ${SEEDS})
endif()
execute_process(COMMAND ${TARGET} -artifact_prefix=${WORK}/artifacts/ ${arguments}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TARGET} failed (${result}); the input is in ${WORK}/artifacts")
endif()
