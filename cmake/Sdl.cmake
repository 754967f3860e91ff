# Sdl.cmake: SDL 1.2 and SDL_image 1.2 for the front end, as the target
# zelm_sdl.
#
# In the browser (Emscripten), SDL 1.2 and IMG_Load are Emscripten's own,
# front/sdl_web.cpp adds what they lack, and the images are packed into the
# page's file system as data/*.png, the paths the program reads.
# On Linux, CMake's own FindSDL and FindSDL_image find Debian's packages;
# SDLmain stays out, as the program has its own entry points.  The Windows
# program links against SDL.dll and SDL_image.dll: through the official
# MinGW development files when ZELM_SDL_MINGW_DIR names their folder, and
# otherwise through the link layer in cmake/windows/.
add_library(zelm_sdl INTERFACE)

if(EMSCRIPTEN)
    # Asyncify lets the event wait suspend the program; the wait is reached
    # by direct calls only, so no indirect call need be instrumented.  The
    # browser decodes the packed PNGs while the page loads (the preload
    # plugins), which costs no decoder in the download: the images carry
    # no colour profile, so their pixels come out exactly as the desktop's.
    # EXIT_RUNTIME hands the page the exit code; only a page is built for.
    target_compile_options(zelm_sdl INTERFACE -sUSE_SDL=1)
    target_link_options(zelm_sdl INTERFACE -sUSE_SDL=1 -sASYNCIFY
        -sASYNCIFY_IGNORE_INDIRECT -sEXIT_RUNTIME=1 -sENVIRONMENT=web
        --use-preload-plugins
        "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/data@data")
    return()
endif()

if(NOT WIN32)
    set(SDL_BUILDING_LIBRARY ON)
    find_package(SDL 1.2 REQUIRED)
    find_package(SDL_image 1.2 REQUIRED)
    target_link_libraries(zelm_sdl INTERFACE SDL::SDL ${SDL_IMAGE_LIBRARIES})
    target_include_directories(zelm_sdl SYSTEM INTERFACE
                               ${SDL_IMAGE_INCLUDE_DIRS})
    return()
endif()

set(ZELM_SDL_MINGW_DIR "" CACHE PATH
    "Folder of the SDL 1.2 and SDL_image 1.2 MinGW development files \
(include/SDL/, lib/); empty for the link layer of cmake/windows/")

if(ZELM_SDL_MINGW_DIR)
    find_library(ZELM_SDL_IMPORT NAMES SDL.dll SDL
                 PATHS ${ZELM_SDL_MINGW_DIR}/lib NO_DEFAULT_PATH REQUIRED)
    find_library(ZELM_SDL_IMAGE_IMPORT NAMES SDL_image.dll SDL_image
                 PATHS ${ZELM_SDL_MINGW_DIR}/lib NO_DEFAULT_PATH REQUIRED)
    target_include_directories(zelm_sdl SYSTEM INTERFACE
                               ${ZELM_SDL_MINGW_DIR}/include/SDL)
    target_link_libraries(zelm_sdl INTERFACE ${ZELM_SDL_IMPORT}
                          ${ZELM_SDL_IMAGE_IMPORT})
else()
    include(${CMAKE_CURRENT_LIST_DIR}/windows/LinkLayer.cmake)
endif()
