# What every Windows executable of ours carries: a static runtime (no DLLs
# beyond the system's) and the application manifest, without which Windows
# reports version 6.2 on 8.1 and 10.
if(WIN32)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(MVSI_MANIFEST_ARCH amd64)
    else()
        set(MVSI_MANIFEST_ARCH x86)
    endif()
    configure_file(${CMAKE_CURRENT_LIST_DIR}/app.manifest.in
                   ${CMAKE_BINARY_DIR}/generated/app.manifest @ONLY)
    file(WRITE ${CMAKE_BINARY_DIR}/generated/manifest.rc
         "1 24 \"${CMAKE_BINARY_DIR}/generated/app.manifest\"\n")
endif()

# with_manifest: pass NO_MANIFEST for executables whose own resource script
# embeds the manifest.
function(mvsi_windows_executable target)
    if(NOT WIN32)
        return()
    endif()
    cmake_parse_arguments(arg "NO_MANIFEST" "" "" ${ARGN})
    target_link_options(${target} PRIVATE -static)
    if(MVSI_RELEASE)
        target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/quiet_terminate.cpp)
    endif()
    if(NOT arg_NO_MANIFEST)
        target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/generated/manifest.rc)
    endif()
endfunction()
