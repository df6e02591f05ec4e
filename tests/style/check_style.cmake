# Lists the sources git tracks and asks clang-format whether any would change.
execute_process(COMMAND git ls-files "*.cpp" "*.h" WORKING_DIRECTORY ${SOURCE_DIR}
  OUTPUT_VARIABLE files RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "git ls-files failed in ${SOURCE_DIR}")
endif()
string(REPLACE "\n" ";" files "${files}")
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files}
  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE rc ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "Sources not formatted (run clang-format -i):\n${out}")
endif()
