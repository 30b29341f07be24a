# GoogleTest: Debian's build on the host; on Windows compiled from Debian's
# source with the cross compiler. Nothing is downloaded.
if(WIN32)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    # Our porting hook must be found before GoogleTest's own empty one.
    include_directories(BEFORE ${CMAKE_CURRENT_LIST_DIR}/gtest-port)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # GoogleTest defines the GTest:: aliases itself.
    set(MVSI_TEST_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        list(APPEND MVSI_TEST_EMULATOR win64)
    else()
        list(APPEND MVSI_TEST_EMULATOR win32)
    endif()
    list(APPEND MVSI_TEST_EMULATOR ${CMAKE_BINARY_DIR}/wineprefix)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${MVSI_TEST_EMULATOR})
else()
    find_package(GTest REQUIRED)
endif()
