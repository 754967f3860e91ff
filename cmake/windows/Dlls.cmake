# Dlls.cmake: builds the DLLs the Windows zip carries beside zelm.exe, from
# the libraries' source archives, with the same MinGW-w64 toolchain:
# SDL.dll, SDL 1.2 as sdl12-compat 1.2.76 gives it, over SDL2.dll (SDL
# 2.32.10), which knows the screen and its scale, so that the window can be
# shown larger with crisp pixels (front/zelm_windows.cpp); SDL_image.dll
# (SDL_image 1.2.12, PNG only, with libpng 1.6.39 linked in), built against
# sdl12-compat's headers; and Debian's zlib1.dll (libz-mingw-w64).
#
# The archives are the repository's own, in third_party/, or those of
# the folder ZELM_WIN_SOURCES names; each is checked against its SHA-256
# in third_party/SHA256SUMS (Sources.cmake) before anything is built.
# Everything is built and installed under win-deps/ in the build folder,
# once: a later build finds the stamps there and builds nothing again.
# The libraries' own builds get none of our compile options, so our
# warnings-as-errors stay ours.
set(ZELM_WIN_SOURCES ${PROJECT_SOURCE_DIR}/third_party CACHE PATH
    "Folder of the DLLs' source archives, those third_party/SHA256SUMS \
lists (the repository's third_party/ unless another is given); empty for \
a zip without DLLs")
# A release's zip and installer are complete or not made: Sources.cmake
# refuses a release tree without the archives.
if(NOT ZELM_WIN_SOURCES AND NOT ZELM_TREE STREQUAL release)
    message(STATUS "ZELM_WIN_SOURCES is empty: the zip holds zelm.exe "
                   "and data/, without the DLLs")
    return()
endif()
include(${CMAKE_CURRENT_LIST_DIR}/Sources.cmake)

include(ExternalProject)
find_program(ZELM_PATCH patch REQUIRED)

set(host x86_64-w64-mingw32)
set(deps ${CMAKE_BINARY_DIR}/win-deps)
set(ZELM_ZLIB_DLL /usr/${host}/lib/zlib1.dll)
# The libraries' builds find zlib and each other here only, never in the
# build machine's own folders, and write no path of the build folder into
# the DLLs.
set(c_flags "-O2 -ffile-prefix-map=${deps}=win-deps")
set(build_env ${CMAKE_COMMAND} -E env
    PKG_CONFIG_LIBDIR=${deps}/lib/pkgconfig:/usr/${host}/lib/pkgconfig
    CFLAGS=${c_flags} CPPFLAGS=-I${deps}/include LDFLAGS=-L${deps}/lib)
# A release dates the DLLs by SOURCE_DATE_EPOCH, as it does everything:
# MinGW's ld writes it as their time stamps.  The date is kept in a file
# that every library's build starts from, so that a new date builds them
# afresh.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    list(APPEND build_env SOURCE_DATE_EPOCH=$ENV{SOURCE_DATE_EPOCH})
    set(dated ${deps}/source-date-epoch)
    file(CONFIGURE OUTPUT ${dated} CONTENT "$ENV{SOURCE_DATE_EPOCH}\n")
endif()
# SDL 2 and sdl12-compat build with CMake, for Windows as this tree does,
# and do not ask git what they are: their folder lies in ours.  Their
# sources are unpacked dated as they are unpacked, not as they were
# released, so that a new date, which unpacks them afresh, builds and
# links them afresh in their folders of their own.
set(cmake_args -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=${deps}
    -DCMAKE_C_FLAGS=${c_flags} -DCMAKE_DISABLE_FIND_PACKAGE_Git=ON)

# ld orders a DLL's imports by the paths of the import libraries it reads,
# so SDL_image.dll's imports from SDL.dll would come before or after
# Windows' own depending on where this folder stands beside /usr.  Through
# this link, MinGW-w64's import libraries lie under the same folder as
# SDL's, and the order is the same wherever the build is.
file(MAKE_DIRECTORY ${deps}/lib)
file(CREATE_LINK /usr/${host}/lib ${deps}/lib/mingw SYMBOLIC)
set(image_env ${build_env} "LDFLAGS=-L${deps}/lib/mingw -L${deps}/lib")

ExternalProject_Add(win_libpng
    PREFIX ${deps}
    URL ${ZELM_WIN_SOURCES}/libpng-1.6.39.tar.gz
    URL_HASH SHA256=${sha256_libpng-1.6.39.tar.gz}
    DOWNLOAD_EXTRACT_TIMESTAMP ON
    BUILD_IN_SOURCE ON
    CONFIGURE_COMMAND ${build_env} ./configure --host=${host} --prefix=${deps}
                      --enable-static --disable-shared
    BUILD_COMMAND ${build_env} $(MAKE)
    INSTALL_COMMAND $(MAKE) install)

# Only what sdl12-compat asks of it: video, events and their renderers.
ExternalProject_Add(win_sdl2
    PREFIX ${deps}
    URL ${ZELM_WIN_SOURCES}/SDL2-2.32.10.tar.gz
    URL_HASH SHA256=${sha256_SDL2-2.32.10.tar.gz}
    DOWNLOAD_EXTRACT_TIMESTAMP OFF
    CMAKE_ARGS ${cmake_args} -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF
               -DSDL2_DISABLE_SDL2MAIN=ON -DSDL_AUDIO=OFF -DSDL_JOYSTICK=OFF
               -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF
               -DSDL_POWER=OFF -DSDL_VULKAN=OFF -DSDL_OPENGLES=OFF
    BUILD_COMMAND ${build_env} $(MAKE)
    INSTALL_COMMAND ${CMAKE_COMMAND} --install . --strip)

# SDL.dll, with its headers and sdl-config for SDL_image; with one patch of
# ours, which the patch file explains.
ExternalProject_Add(win_sdl
    DEPENDS win_sdl2
    PREFIX ${deps}
    URL ${ZELM_WIN_SOURCES}/sdl12-compat-1.2.76.tar.gz
    URL_HASH SHA256=${sha256_sdl12-compat-1.2.76.tar.gz}
    DOWNLOAD_EXTRACT_TIMESTAMP OFF
    PATCH_COMMAND ${ZELM_PATCH} -p1 -i
                  ${CMAKE_CURRENT_LIST_DIR}/sdl12-compat-expose.patch
    CMAKE_ARGS ${cmake_args} -DSDL2_DIR=${deps}/lib/cmake/SDL2
               -DSDL12TESTS=OFF -DSDL12DEVEL=ON
    BUILD_COMMAND ${build_env} $(MAKE)
    INSTALL_COMMAND ${CMAKE_COMMAND} --install . --strip)

# PNG is the only format the panel uses, and the only one built in.
ExternalProject_Add(win_sdl_image
    DEPENDS win_sdl win_libpng
    PREFIX ${deps}
    URL ${ZELM_WIN_SOURCES}/SDL_image-1.2.12.tar.gz
    URL_HASH SHA256=${sha256_SDL_image-1.2.12.tar.gz}
    DOWNLOAD_EXTRACT_TIMESTAMP ON
    BUILD_IN_SOURCE ON
    PATCH_COMMAND ${ZELM_PATCH} -p1 -i
                  ${CMAKE_CURRENT_LIST_DIR}/sdl_image-short-read.patch
    CONFIGURE_COMMAND ${image_env} ./configure --host=${host} --prefix=${deps}
                      --with-sdl-prefix=${deps} --disable-static
                      --enable-png --disable-png-shared --disable-bmp
                      --disable-gif --disable-jpg --disable-lbm --disable-pcx
                      --disable-pnm --disable-tga --disable-tif --disable-xcf
                      --disable-xpm --disable-xv --disable-webp
    BUILD_COMMAND ${image_env} $(MAKE)
    INSTALL_COMMAND $(MAKE) install)

add_custom_target(zelm_dlls ALL DEPENDS win_sdl_image)
if(dated)
    foreach(library win_libpng win_sdl2 win_sdl win_sdl_image)
        ExternalProject_Add_StepDependencies(${library} download ${dated})
    endforeach()
endif()

# Into the zip: the DLLs, and each library's licence, all of them the zlib
# licence but libpng's.
set(src ${deps}/src)
install(FILES ${deps}/bin/SDL.dll ${deps}/bin/SDL2.dll
        ${deps}/bin/SDL_image.dll ${ZELM_ZLIB_DLL} DESTINATION .)
install(FILES ${src}/win_sdl/LICENSE.txt DESTINATION licences
        RENAME sdl12-compat.txt)
install(FILES ${src}/win_sdl2/LICENSE.txt DESTINATION licences
        RENAME SDL2.txt)
install(FILES ${src}/win_sdl_image/COPYING DESTINATION licences
        RENAME SDL_image.txt)
install(FILES ${src}/win_libpng/LICENSE DESTINATION licences
        RENAME libpng.txt)
install(FILES /usr/share/doc/libz-mingw-w64/copyright DESTINATION licences
        RENAME zlib.txt)
