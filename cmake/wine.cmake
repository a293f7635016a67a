# One test run for both builds: a host build given TV_WINDOWS_BUILD_DIR lists that Windows build's tests as
# its own, so `ctest` in the host build also runs every Windows test under Wine (through the cross-compiling
# emulator, tools/wine-run.sh). The Windows build must be configured before the host build's ctest runs; it
# is read when ctest starts, so rebuilding it needs no new host configure.
if(TV_WINDOWS OR NOT TV_WINDOWS_BUILD_DIR)
    return()
endif()

get_filename_component(tv_windows_dir "${TV_WINDOWS_BUILD_DIR}" ABSOLUTE BASE_DIR "${CMAKE_BINARY_DIR}")
set(tv_windows_tests "${CMAKE_BINARY_DIR}/windows_tests.cmake")
file(WRITE "${tv_windows_tests}"
"# Generated: the Windows build's tests, run through Wine.
if(EXISTS \"${tv_windows_dir}/CTestTestfile.cmake\")
    subdirs(\"${tv_windows_dir}\")
else()
    message(WARNING \"no Windows tests: ${tv_windows_dir} is not a configured build\")
endif()
")
set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY TEST_INCLUDE_FILES "${tv_windows_tests}")
