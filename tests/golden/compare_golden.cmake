# Runs REPORT_EXE --system MACHINE [OPTIONS] into ACTUAL and fails unless it
# equals EXPECTED byte for byte; on a difference it shows where, line by line.
string(REPLACE "|" ";" OPTIONS "${OPTIONS}")
execute_process(COMMAND ${REPORT_EXE} --system ${MACHINE} ${OPTIONS}
                OUTPUT_FILE ${ACTUAL} ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "malvoret-report exited with ${status}: ${errors}")
endif()
if(NOT EXISTS ${EXPECTED})
    message(FATAL_ERROR "no expected report ${EXPECTED}; the report is in ${ACTUAL}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${ACTUAL}
                RESULT_VARIABLE differs)
if(differs)
    find_program(DIFF diff)
    if(DIFF)
        execute_process(COMMAND ${DIFF} -u --text ${EXPECTED} ${ACTUAL})
    endif()
    message(FATAL_ERROR "the report differs from ${EXPECTED} (actual: ${ACTUAL})")
endif()
