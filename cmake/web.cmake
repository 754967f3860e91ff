# web.cmake: what the browser build chooses, with Debian's emscripten
# (emcmake).  Emscripten's own SDL 1.2 and image loading, with what they
# lack supplied by front/platform_web.cpp; the panel as zelm.js, zelm.wasm
# and zelm.data (the images, packed into the page's file system as
# data/*.png, the paths the program reads); the checker as a module of its
# own; and the page's site around them (front/web/).  A release is that
# site as a zip.

# Asyncify lets the event wait suspend the program; the wait is reached by
# direct calls only, so no indirect call need be instrumented.  The
# browser decodes the packed PNGs while the page loads (the preload
# plugins), which costs no decoder in the download: the images carry no
# colour profile, so their pixels come out exactly as the desktop's.
# EXIT_RUNTIME hands the page the exit code; only a page is built for.
# A player downloads every byte of it: the code is as small as the
# compiler makes it (-Oz, where MinSizeRel says -Os), and memory comes from
# emscripten's small allocator, whose speed the panel never feels.
set(CMAKE_C_FLAGS_MINSIZEREL "-Oz -DNDEBUG")
set(CMAKE_CXX_FLAGS_MINSIZEREL "-Oz -DNDEBUG")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL "-Oz")
add_link_options(-sMALLOC=emmalloc)

add_library(zelm_sdl INTERFACE)
target_compile_options(zelm_sdl INTERFACE -sUSE_SDL=1)
target_link_options(zelm_sdl INTERFACE -sUSE_SDL=1 -sASYNCIFY
    -sASYNCIFY_IGNORE_INDIRECT -sEXIT_RUNTIME=1 -sENVIRONMENT=web
    --use-preload-plugins
    "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/data@data")

set(ZELM_FRONT_PLATFORM platform_web.cpp)

# The panel's main is the Linux one: see front/zelm.cpp.  Its loader gets
# a package UUID made from its data, so that the same sources make the
# same zelm.js.
add_executable(zelm front/zelm.cpp)
target_link_libraries(zelm PRIVATE zelm_front)
set_target_properties(zelm PROPERTIES LINK_DEPENDS
                      ${PROJECT_SOURCE_DIR}/data/zelm.png)
set(loader $<TARGET_FILE_DIR:zelm>/zelm)
add_custom_command(TARGET zelm POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DLOADER=${loader}.js -DDATA=${loader}.data
            -P ${CMAKE_CURRENT_LIST_DIR}/web/StablePackageUuid.cmake)

# The checker, loaded by the page only when the player opens its section:
# a factory under its own name, so that it never takes over the panel's
# Module, with no file system; memory grows for an answer pasted in,
# however long (the checker refuses it).
add_executable(zelm-check check/check_web.cpp)
target_link_libraries(zelm-check PRIVATE zelm_check)
target_link_options(zelm-check PRIVATE -sMODULARIZE=1
    -sEXPORT_NAME=createZelmCheck -sFILESYSTEM=0 -sENVIRONMENT=web
    -sALLOW_MEMORY_GROWTH=1
    -sEXPORTED_FUNCTIONS=_CheckAnswerText,_UseCatalogBytes,_malloc,_free
    -sEXPORTED_RUNTIME_METHODS=stringToUTF8,lengthBytesUTF8,HEAPU8)

# The tool that writes the checker's notation, from its table, into the
# page's list as the site is built: run by node, on the build machine's
# files, with its exit code.  Its module is compiled as it loads, since
# this emscripten would fetch it with a newer node's fetch(), which takes
# no file paths; and node is run plain, without the flags emcmake gives
# it, which a newer node refuses.
find_program(ZELM_NODE NAMES nodejs node REQUIRED)
add_executable(zelm_notation check/notation_tool.cpp)
target_link_libraries(zelm_notation PRIVATE zelm_check)
target_link_options(zelm_notation PRIVATE -sENVIRONMENT=node -sNODERAWFS=1
                    -sEXIT_RUNTIME=1 -sWASM_ASYNC_COMPILATION=0)
set_target_properties(zelm_notation PROPERTIES
                      CROSSCOMPILING_EMULATOR ${ZELM_NODE})

# The site: build-web/site/, exactly the files a static host serves, its
# page and its service worker minified by esbuild, its languages written
# by Python.
find_program(ZELM_ESBUILD esbuild REQUIRED)
find_program(ZELM_PYTHON3 python3 NO_CMAKE_FIND_ROOT_PATH REQUIRED)
add_subdirectory(front/web)
# The floor page beside it, for make bench.
if(ZELM_BENCH)
    include(${PROJECT_SOURCE_DIR}/bench/floor_page.cmake)
endif()

# ---- Released: the site as a zip.
if(ZELM_TREE STREQUAL release)
    set(folder ${ZELM_STAGE}/${ZELM_RELEASE_NAME}-web)
    add_custom_target(release
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZELM_STAGE}
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/site
                ${folder}
        COMMAND ${ZELM_PACK} zip ${folder}
                ${ZELM_RELEASE_DIR}/${ZELM_RELEASE_NAME}-web.zip
        VERBATIM)
endif()
