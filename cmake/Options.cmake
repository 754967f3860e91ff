# Build options shared by every target: warnings and the sanitizer build.
option(ZELM_WERROR "Treat compiler warnings as errors" OFF)
option(ZELM_SANITIZE "Build with AddressSanitizer and UBSan" OFF)
option(ZELM_BENCH "Build the benchmarks (needs Google Benchmark)" ON)
option(ZELM_FUZZ "Build LoadImage's fuzz target only (clang, libFuzzer)" OFF)

add_compile_options(-Wall -Wextra)
if(ZELM_WERROR)
    add_compile_options(-Werror)
endif()

if(ZELM_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

# Coverage for libFuzzer and AddressSanitizer in everything it calls.
if(ZELM_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address)
    add_link_options(-fsanitize=address)
endif()
