# Warnings are errors on GCC and MinGW alike.
function(mvsi_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wformat=2
        -Wimplicit-fallthrough -Wcast-qual -Werror)
    get_target_property(kind ${target} MVSI_STRICT)
    if(NOT kind STREQUAL "relaxed")
        target_compile_options(${target} PRIVATE -Wconversion)
        # clang's -Wconversion also takes in sign conversions, GCC's does not:
        # the same bar on both.
        if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
            target_compile_options(${target} PRIVATE -Wno-sign-conversion)
        endif()
    endif()
endfunction()
