# Runs PROGRAM with INPUT on standard input and writes what it shows as the
# C++ string literal kStartupOutput to OUTPUT.
#   cmake -DPROGRAM=... -DINPUT=... -DOUTPUT=... -P embed_output.cmake
execute_process(COMMAND ${PROGRAM} INPUT_FILE ${INPUT} OUTPUT_FILE ${OUTPUT}.bytes RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} < ${INPUT} ended with ${status}")
endif()
file(READ ${OUTPUT}.bytes hex HEX)
string(REGEX REPLACE "(..)" "\\\\x\\1" escaped "${hex}")
file(WRITE ${OUTPUT} "inline constexpr char kStartupOutput[] = \"${escaped}\";\n")
