# Runs one fuzz target a bounded number of times over its seeds, failing on any crash or sanitizer report.
# Inputs: FUZZER, SEEDS, WORK (a folder made afresh), RUNS.

# New inputs go to the fresh work folder, not among the seeds, and a fixed
# seed makes each run alike; the time limit guards against a slow machine.
# Scratch files go there too, so a crash leaves nothing in the system's folder.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus")
set(ENV{TMPDIR} "${WORK}")
execute_process(
  COMMAND "${FUZZER}" -runs=${RUNS} -seed=1 -max_total_time=90 -timeout=20 -print_final_stats=1
          "-artifact_prefix=${WORK}/" "${WORK}/corpus" "${SEEDS}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the failing input is kept in ${WORK}")
endif()
