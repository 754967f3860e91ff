# windows.cmake: what the Windows build chooses, cross-built on Debian with
# MinGW-w64 (mingw-w64-x86_64.cmake).  The panel is a GUI program with its
# icon and its manifest, and the checker a console program, each needing
# no DLL of the compiler's own; the panel links against SDL.dll and
# SDL_image.dll, which the zip carries beside it with SDL2.dll beneath
# them, built from source (windows/Dlls.cmake).  A release is that folder
# as a zip, and as an installer.
enable_language(RC)

# SDL: through the official MinGW development files when
# ZELM_SDL_MINGW_DIR names their folder, and otherwise through the link
# layer in windows/, over Debian's headers.
add_library(zelm_sdl INTERFACE)
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

# The front end on desktop SDL, whose structures sdl_abi.cpp pins against
# the real SDL.dll's (files of front/).
set(ZELM_FRONT_PLATFORM platform_desktop.cpp sdl_abi.cpp)

add_executable(zelm WIN32 front/zelm_windows.cpp front/zelm.rc)
set_source_files_properties(front/zelm.rc PROPERTIES OBJECT_DEPENDS
    "${PROJECT_SOURCE_DIR}/front/zelm.ico;${PROJECT_SOURCE_DIR}/front/zelm.manifest")
target_link_libraries(zelm PRIVATE zelm_front)
add_executable(zelm-check check/zelm_check.cpp check/console_windows.cpp)
target_link_libraries(zelm-check PRIVATE zelm_check)
target_compile_definitions(zelm-check PRIVATE
                           ZELM_VERSION="${PROJECT_VERSION}")
target_link_options(zelm PRIVATE -static-libgcc -static-libstdc++)
# The checker is entered at wmain, its command line in UTF-16
# (check/console_windows.cpp).
target_link_options(zelm-check PRIVATE -static-libgcc -static-libstdc++
                    -municode)

# ---- Installed: the folder a player unpacks, the programs with the
# images, the DLLs and their licences beside them.
install(TARGETS zelm zelm-check DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/dist/README-windows.txt DESTINATION .)
# The checker's catalogs, in locale/ beside it, where it looks first.
install(DIRECTORY ${ZELM_CATALOGS} DESTINATION .)
include(${CMAKE_CURRENT_LIST_DIR}/windows/Dlls.cmake)

# ---- Released: the same folder zipped, and installed by the installer.
if(ZELM_TREE STREQUAL release)
    set(folder ${ZELM_RELEASE_NAME}-windows-x86_64)
    add_custom_target(release
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZELM_STAGE}
        COMMAND ${ZELM_INSTALL_TO} ${ZELM_STAGE}/${folder}
        COMMAND ${ZELM_PACK} zip ${ZELM_STAGE}/${folder}
                ${ZELM_RELEASE_DIR}/${folder}.zip
        COMMAND ${ZELM_PACK} setup ${ZELM_STAGE}/${folder} ${PROJECT_VERSION}
                ${PROJECT_SOURCE_DIR}/front/zelm.ico
                ${ZELM_RELEASE_DIR}/${ZELM_RELEASE_NAME}-setup.exe
        VERBATIM)
endif()
