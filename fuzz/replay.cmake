# One fuzz test of the test command: replays the seeds, then fuzzes a fixed number of runs from a fixed
# seed in a fresh work folder, so the same build always tries the same inputs and gives the same verdict.
#   cmake -DFUZZER=prog -DWORK=dir -DSEEDS=dir -DRUNS=n -DARTIFACTS=prefix -P replay.cmake
# Ends with a line naming the runs and a digest of the inputs kept, to compare two runs of one commit.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${FUZZER} -seed=1 -runs=${RUNS} -timeout=10 -rss_limit_mb=2048
                        -print_final_stats=1 -artifact_prefix=${ARTIFACTS} ${WORK} ${SEEDS}
                RESULT_VARIABLE result)
file(GLOB kept RELATIVE ${WORK} ${WORK}/*)
list(SORT kept)
list(LENGTH kept count)
string(SHA1 digest "${kept}")
message("fuzz: ${RUNS} runs from seed 1, ${count} new inputs kept, inputs digest ${digest}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the fuzzer failed (${result}); the input is in ${ARTIFACTS}*")
endif()
