# One fuzz test of the test command: replays the seeds, then fuzzes a fixed number of runs from a fixed
# seed in a fresh work folder, so the same build always tries the same inputs and gives the same verdict.
#   cmake -DFUZZER=prog -DWORK=dir -DSEEDS=dir -DRUNS=n -DARTIFACTS=prefix -P replay.cmake
# Ends with a line naming the runs and a digest of the inputs kept, to compare two runs of one commit.
#
# What a run tries depends on the seed and on the values the code compares, pointers among them; so the
# fuzzer runs with address-space randomisation off (setarch -R) and never rereads its corpus on a timer.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(fixed_layout)
find_program(SETARCH setarch)
if(SETARCH)
    execute_process(COMMAND uname -m OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
    execute_process(COMMAND ${SETARCH} ${arch} -R true RESULT_VARIABLE no_setarch OUTPUT_QUIET ERROR_QUIET)
    if(no_setarch EQUAL 0)
        set(fixed_layout ${SETARCH} ${arch} -R)
    endif()
endif()
if(NOT fixed_layout)
    message("fuzz: address-space randomisation stays on here; two runs may try different inputs")
endif()
execute_process(COMMAND ${fixed_layout} ${FUZZER} -seed=1 -runs=${RUNS} -reload=0 -timeout=10
                        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=${ARTIFACTS} ${WORK} ${SEEDS}
                RESULT_VARIABLE result)
file(GLOB kept RELATIVE ${WORK} ${WORK}/*)
list(SORT kept)
list(LENGTH kept count)
string(SHA1 digest "${kept}")
message("fuzz: ${RUNS} runs from seed 1, ${count} new inputs kept, inputs digest ${digest}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the fuzzer failed (${result}); the input is in ${ARTIFACTS}*")
endif()
