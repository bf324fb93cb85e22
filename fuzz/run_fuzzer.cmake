# Runs one fuzz target for SECONDS on a fresh copy of its seeds (SEEDS) in WORK/corpus;
# a finding is written to WORK/ and fails the run. The per-input leak check is off: split
# and cut keep every vertex they make, by design, so nearly every input would trigger it.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${SEEDS}/ DESTINATION ${WORK}/corpus)
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -detect_leaks=0 -print_final_stats=1 -artifact_prefix=${WORK}/ ${WORK}/corpus
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} stopped with ${result}; the input is in ${WORK}/")
endif()
