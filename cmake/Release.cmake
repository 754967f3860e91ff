# Release.cmake: what a release tree (ZELM_RELEASE_DIR set) adds to the
# build.  The Linux programs are hardened with the flags Debian builds its
# packages with, and in every build the paths of the source and build
# folders are mapped away, so that the same sources give the same bytes
# wherever they are built.
if(NOT ZELM_RELEASE_DIR)
    return()
endif()
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    message(FATAL_ERROR "A release tree dates what it builds by "
            "SOURCE_DATE_EPOCH, which is not set: build it with make release")
endif()

# The folders an install makes get these modes, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE
    OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The build folder is given last: GCC tries the last mapping first, and
# the build folder may lie inside the source folder.  (A build-id is made
# before the programs are stripped, so their debugging information counts.)
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)

if(WIN32 OR EMSCRIPTEN)
    return()
endif()

# Debian's flags with every hardening feature on, from dpkg-buildflags:
# the stack protector, format checks, PIE (GCC's default on Debian), full
# RELRO and immediate binding.  _FORTIFY_SOURCE lives in CPPFLAGS, which
# CMake does not read, so the preprocessor's flags go to both compilers.
foreach(kind CPPFLAGS CFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env
                    DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    dpkg-buildflags --get ${kind}
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE debian_${kind}
                    OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
string(APPEND CMAKE_C_FLAGS " ${debian_CPPFLAGS} ${debian_CFLAGS}")
string(APPEND CMAKE_CXX_FLAGS " ${debian_CPPFLAGS} ${debian_CXXFLAGS}")
string(APPEND CMAKE_EXE_LINKER_FLAGS " ${debian_LDFLAGS}")
