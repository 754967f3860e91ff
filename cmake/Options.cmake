# Options.cmake: what kind of tree this is, by name, and the build options
# every target shares: warnings, and the sanitizer and fuzz builds.
#
# A tree's kind is its platform (ZELM_PLATFORM: linux, windows or web, by
# the toolchain it was configured with) and what it is for (ZELM_TREE):
#   plain     the programs, with the tests and tools of their platform
#   sanitize  the same under AddressSanitizer and UBSan
#   fuzz      the fuzz targets (clang, libFuzzer)
#   release   the release's files, packed into ZELM_RELEASE_DIR
# The tests each kind gets are listed in tests/CMakeLists.txt.
set(ZELM_TREE plain CACHE STRING
    "What this tree is for: plain, sanitize, fuzz or release")
set(ZELM_TREES plain sanitize fuzz release)
set_property(CACHE ZELM_TREE PROPERTY STRINGS ${ZELM_TREES})
if(NOT ZELM_TREE IN_LIST ZELM_TREES)
    message(FATAL_ERROR "ZELM_TREE is ${ZELM_TREE}: one of ${ZELM_TREES}")
endif()
set(ZELM_KIND ${ZELM_PLATFORM}-${ZELM_TREE})
message(STATUS "A ${ZELM_KIND} tree")

option(ZELM_WERROR "Treat compiler warnings as errors" OFF)
option(ZELM_BENCH "Build the benchmarks (needs Google Benchmark)" ON)
set(ZELM_RELEASE_DIR "" CACHE PATH
    "Where a release tree packs its files (make release)")

add_compile_options(-Wall -Wextra)
if(ZELM_WERROR)
    add_compile_options(-Werror)
endif()

if(ZELM_TREE STREQUAL sanitize)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

# Coverage for libFuzzer and AddressSanitizer in everything it calls.
if(ZELM_TREE STREQUAL fuzz)
    add_compile_options(-fsanitize=fuzzer-no-link,address)
    add_link_options(-fsanitize=address)
endif()
