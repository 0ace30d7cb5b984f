# PROGRAM --version prints "NAME VERSION" and a line end, nothing else, and
# exits 0: the number of project(VERSION), carried by chain/version.h.
execute_process(COMMAND "${PROGRAM}" --version RESULT_VARIABLE status OUTPUT_VARIABLE printed
                ERROR_VARIABLE complaints INPUT_FILE /dev/null)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --version exits with ${status}: ${complaints}")
endif()
if(NOT printed STREQUAL "${NAME} ${VERSION}\n")
  message(FATAL_ERROR "${PROGRAM} --version prints \"${printed}\", not \"${NAME} ${VERSION}\"")
endif()
