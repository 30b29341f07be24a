# Runs the reader's round trip, which also writes the JSON twin of every
# report it reads, then validates those against docs/report-schema.json.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -E env MVSI_ROUND_TRIP_JSONL=${WORK_DIR}/reports.jsonl
                        ${ROUND_TRIP_EXE} --gtest_brief=1
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the round trip failed")
endif()
execute_process(COMMAND ${PYTHON} ${SOURCE_DIR}/tests/analysis/validate_json.py --distinct
                        ${SOURCE_DIR}/docs/report-schema.json ${WORK_DIR}/reports.jsonl
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "JSON does not validate against docs/report-schema.json")
endif()
