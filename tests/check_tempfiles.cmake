# Runs the test binary TEST with the temporary folder pointed at the empty
# folder SCRATCH and fails when the binary fails or leaves anything there:
# the test's own temporary home must be gone, and nothing else (a runtime
# folder made by a library in its stead) may stay behind.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
set(ENV{TMPDIR} ${SCRATCH})
# Where none is set (a login without a session, CI) the libraries fall back
# to the temporary folder; the test main must give one either way.
unset(ENV{XDG_RUNTIME_DIR})
execute_process(COMMAND ${TEST} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${TEST} failed (${rc}):\n${out}")
endif()
file(GLOB left RELATIVE ${SCRATCH} ${SCRATCH}/* ${SCRATCH}/.*)
if(left)
  message(FATAL_ERROR "${TEST} left in the temporary folder: ${left}")
endif()
file(REMOVE_RECURSE ${SCRATCH})
message(STATUS "${TEST} left nothing in the temporary folder")
