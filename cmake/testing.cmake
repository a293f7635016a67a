# GoogleTest for both builds, and tv_test() to declare one test program.
enable_testing()
include(${CMAKE_CURRENT_LIST_DIR}/wine.cmake)

if(TV_WINDOWS)
    # Built from Debian's googletest sources with the cross compiler.
    set(TV_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "googletest sources")
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${TV_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest REQUIRED)
endif()

# tv_test(NAME SOURCES... LIBS lib... [WINDOWS_ONLY] [NO_MAIN] [TIMEOUT seconds])
# One program, one CTest test. In the Windows build CTest starts it through the cross-compiling emulator
# (Wine), so a single ctest run covers both builds.
function(tv_test name)
    cmake_parse_arguments(T "WINDOWS_ONLY;NO_MAIN" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(T_WINDOWS_ONLY AND NOT TV_WINDOWS)
        return()
    endif()
    add_executable(${name} ${T_SOURCES} ${T_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock)
    if(NOT T_NO_MAIN)
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    target_compile_definitions(${name} PRIVATE TV_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                               TV_BINARY_DIR="${PROJECT_BINARY_DIR}")
    if(TV_WINDOWS)
        set(label windows)
    else()
        set(label host)
    endif()
    add_test(NAME ${label}:${name} COMMAND ${name} --gtest_color=no WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${label}:${name} PROPERTIES LABELS ${label} TIMEOUT ${T_TIMEOUT})
    if(TV_WINDOWS)
        # Windows tests show windows, read pixels back from the screen and take the activation: they share
        # one display, so they run one at a time (host tests and fuzzing still run beside them).
        set_tests_properties(${label}:${name} PROPERTIES RESOURCE_LOCK wine_display)
    endif()
endfunction()

# tv_windows_libs(OUT name...): the libraries a Windows-side target links for the given modules
# (portable part only in the host build).
function(tv_libs out)
    set(libs)
    foreach(m ${ARGN})
        list(APPEND libs tv_${m})
        if(TV_WINDOWS)
            list(APPEND libs tv_${m}_win)
        endif()
    endforeach()
    set(${out} ${libs} PARENT_SCOPE)
endfunction()
