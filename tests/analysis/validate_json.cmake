# Writes --format json for every example machine and --format jsonl of all
# golden reports, then validates them all against the schema.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(GLOB machines ${SOURCE_DIR}/examples/machines/*.json)
set(outputs)
foreach(machine ${machines})
    get_filename_component(name ${machine} NAME_WE)
    execute_process(COMMAND ${REPORT_EXE} --system ${machine} --format json
                    OUTPUT_FILE ${WORK_DIR}/${name}.json RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "--format json of ${name} exited with ${status}")
    endif()
    list(APPEND outputs ${WORK_DIR}/${name}.json)
endforeach()
file(GLOB goldens ${SOURCE_DIR}/tests/golden/*.txt)
list(FILTER goldens EXCLUDE REGEX "CMakeLists.txt$")
execute_process(COMMAND ${REPORT_EXE} --read ${goldens} --format jsonl
                OUTPUT_FILE ${WORK_DIR}/golden.jsonl RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "--read of the golden reports exited with ${status}")
endif()
execute_process(COMMAND ${PYTHON} ${SOURCE_DIR}/tests/analysis/validate_json.py
                        ${SOURCE_DIR}/docs/report-schema.json ${outputs} ${WORK_DIR}/golden.jsonl
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "JSON does not validate against docs/report-schema.json")
endif()
