# LinkLayer.cmake: links the Windows program against SDL.dll and
# SDL_image.dll without their development files, which Debian lacks.
#
# Headers: Debian's own SDL 1.2 headers, copied into the build with
# SDL_config.h replaced by the Windows one beside this file.  (A copy, as
# SDL's headers include "SDL_config.h" from their own folder first.)
# Import libraries: made by dlltool from definition files that list
# exactly the functions the program calls (front/sdl_imports.cmake).
set(ZELM_SDL_HEADERS /usr/include/SDL CACHE PATH
    "Debian's SDL 1.2 headers (libsdl1.2-dev, libsdl-image1.2-dev)")
set(layer ${CMAKE_BINARY_DIR}/sdl-layer)

file(GLOB headers ${ZELM_SDL_HEADERS}/*.h)
list(FILTER headers EXCLUDE REGEX "/SDL_config\\.h$")
if(NOT headers)
    message(FATAL_ERROR "No SDL headers in ${ZELM_SDL_HEADERS}: install \
libsdl1.2-dev and libsdl-image1.2-dev")
endif()
file(COPY ${headers} DESTINATION ${layer}/include)
configure_file(${CMAKE_CURRENT_LIST_DIR}/SDL_config.h
               ${layer}/include/SDL_config.h COPYONLY)

include(${PROJECT_SOURCE_DIR}/front/sdl_imports.cmake)
foreach(dll IN LISTS ZELM_SDL_LIBRARIES)
    set(def ${layer}/${dll}.def)
    list(JOIN ZELM_SDL_IMPORTS_${dll} "\n" exports)
    file(CONFIGURE OUTPUT ${def} CONTENT
         "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    set(lib ${layer}/lib${dll}.dll.a)
    add_custom_command(OUTPUT ${lib}
        COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll}.dll
                --output-lib ${lib}
        DEPENDS ${def}
        COMMENT "Making the import library for ${dll}.dll")
    list(APPEND import_libs ${lib})
endforeach()
add_custom_target(zelm_sdl_imports DEPENDS ${import_libs})

target_include_directories(zelm_sdl SYSTEM INTERFACE ${layer}/include)
target_link_libraries(zelm_sdl INTERFACE ${import_libs})
add_dependencies(zelm_sdl zelm_sdl_imports)
