# Release.cmake: what a release tree adds to the build on every platform:
# its dates come from SOURCE_DATE_EPOCH, and the paths of the source and
# build folders are mapped away, so that the same sources give the same
# bytes wherever they are built.  (Each platform's own additions are in
# its file beside this one.)

# What the release's files are named after, which every tree's documents
# may name.
set(ZELM_RELEASE_NAME zelm-${PROJECT_VERSION})
if(NOT ZELM_TREE STREQUAL release)
    return()
endif()
if(NOT ZELM_RELEASE_DIR)
    message(FATAL_ERROR "A release tree packs into ZELM_RELEASE_DIR, which "
            "is not set: build it with make release")
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

# pack.py packs each platform's staged files into the release's.
find_program(ZELM_PYTHON3 python3 NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(ZELM_PACK ${ZELM_PYTHON3} ${PROJECT_SOURCE_DIR}/dist/pack.py)
set(ZELM_STAGE ${CMAKE_BINARY_DIR}/stage)
set(ZELM_INSTALL_TO ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --strip
    --prefix)
