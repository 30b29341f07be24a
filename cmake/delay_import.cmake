# Delay-loaded system libraries: the DLL is loaded, and each function bound, at
# its first call instead of at start-up. The import library is made at
# configure time from the toolchain's own one, so it names every function the
# toolchain knows; linked ahead of the regular library, it takes every call.
#
#   mvsi_delay_load(target PUBLIC|PRIVATE lib...)
# Call it before linking anything that pulls in the regular library.
#
# Calls must go to the library's stub, not through its __imp_ pointer: ld
# drops an import member's code when only the pointer is referenced, and for
# a delay import that code is what loads the DLL (the pointer would stay
# null). The headers declare these functions without dllimport when the
# library's own build macro is set.
set(MVSI_DELAY_DECLARE_setupapi _SETUPAPI_)
set(MVSI_DELAY_DECLARE_gdi32 _GDI32_)
set(MVSI_DELAY_DECLARE_comdlg32 _COMDLG32_)
set(MVSI_DELAY_DECLARE_version "")  # declared without dllimport anyway

function(mvsi_delay_load target scope)
    if(NOT WIN32)
        return()
    endif()
    foreach(lib IN LISTS ARGN)
        if(NOT DEFINED MVSI_DELAY_DECLARE_${lib})
            message(FATAL_ERROR "mvsi_delay_load: how does ${lib}'s header declare imports?")
        endif()
        mvsi_delay_import_library(delay_lib ${lib})
        target_link_libraries(${target} ${scope} ${delay_lib} ${lib})
        if(MVSI_DELAY_DECLARE_${lib})
            target_compile_definitions(${target} ${scope} ${MVSI_DELAY_DECLARE_${lib}})
        endif()
    endforeach()
endfunction()

function(mvsi_delay_import_library out_var lib)
    set(out ${CMAKE_BINARY_DIR}/delayimp/lib${lib}-delay.a)
    set(${out_var} ${out} PARENT_SCOPE)
    find_library(MVSI_IMPLIB_${lib} NAMES lib${lib}.a REQUIRED)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MVSI_IMPLIB_${lib}})
    if(EXISTS ${out} AND ${out} IS_NEWER_THAN ${MVSI_IMPLIB_${lib}}
       AND ${out} IS_NEWER_THAN ${CMAKE_CURRENT_FUNCTION_LIST_FILE})
        return()
    endif()
    execute_process(COMMAND ${CMAKE_NM} ${MVSI_IMPLIB_${lib}}
                    OUTPUT_VARIABLE symbols ERROR_QUIET RESULT_VARIABLE nm_status)
    if(NOT nm_status EQUAL 0 AND symbols STREQUAL "")
        message(FATAL_ERROR "${CMAKE_NM} could not read ${MVSI_IMPLIB_${lib}}")
    endif()
    # Import thunks are "__imp_" plus the C name; 32-bit C names carry a
    # leading underscore and, for stdcall, "@bytes", which -k drops from the
    # name looked up in the DLL.
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(prefix "__imp_")
        set(kill_at "")
    else()
        set(prefix "__imp__")
        set(kill_at -k)
    endif()
    string(REGEX MATCHALL "[0-9a-fA-F]+ I ${prefix}[A-Za-z0-9_@?$]+" lines "${symbols}")
    set(exports "")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[0-9a-fA-F]+ I ${prefix}" "" name "${line}")
        list(APPEND exports "${name}")
    endforeach()
    list(REMOVE_DUPLICATES exports)
    list(SORT exports)
    list(LENGTH exports count)
    if(count EQUAL 0)
        message(FATAL_ERROR "no functions found in ${MVSI_IMPLIB_${lib}}")
    endif()
    list(JOIN exports "\n" body)
    set(def ${CMAKE_BINARY_DIR}/delayimp/${lib}.def)
    file(WRITE ${def} "LIBRARY ${lib}.dll\nEXPORTS\n${body}\n")
    # Run where the library goes: dlltool names its symbols after the path.
    execute_process(COMMAND ${CMAKE_DLLTOOL} ${kill_at} -d ${lib}.def -y lib${lib}-delay.a
                            -D ${lib}.dll
                    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/delayimp
                    RESULT_VARIABLE status ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${CMAKE_DLLTOOL} failed for ${lib}: ${errors}")
    endif()
endfunction()
