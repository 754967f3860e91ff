# Build options shared by every target: warnings, the sanitizer and fuzz
# builds, and whether this is a release tree.
option(ZELM_WERROR "Treat compiler warnings as errors" OFF)
option(ZELM_SANITIZE "Build with AddressSanitizer and UBSan" OFF)
option(ZELM_BENCH "Build the benchmarks (needs Google Benchmark)" ON)
option(ZELM_FUZZ "Build the fuzz targets only (clang, libFuzzer)" OFF)
set(ZELM_RELEASE_DIR "" CACHE PATH
    "Where a release tree packs its files (make release); empty otherwise")

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
