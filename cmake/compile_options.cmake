# Compiler settings shared by every target of a build.
add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(TV_WINDOWS)
    # The wide API everywhere, Windows 7 headers, a fully static program that needs only system DLLs.
    add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601
                            _WIN32_IE=0x0600)
    add_link_options(-static -static-libgcc -static-libstdc++)
else()
    set(TV_SANITIZER_FLAGS "")
    if(TV_SANITIZE OR TV_FUZZ)
        list(APPEND TV_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer)
    endif()
    if(TV_FUZZ)
        # Coverage for libFuzzer in every library; the fuzz targets themselves link the fuzzer's main.
        list(APPEND TV_SANITIZER_FLAGS -fsanitize=fuzzer-no-link)
    endif()
    add_compile_options(${TV_SANITIZER_FLAGS})
    add_link_options(${TV_SANITIZER_FLAGS})
endif()
