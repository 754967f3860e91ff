# Sources.cmake: the Windows DLLs' source archives, in the folder
# ZELM_WIN_SOURCES names, each checked against its SHA-256 in
# third_party/SHA256SUMS.  Included by Dlls.cmake, which builds the DLLs
# from them, and run by make release before it builds anything, so that a
# release without them stops before it has made a file:
#
#   cmake -DZELM_WIN_SOURCES=folder -P Sources.cmake
#
# Sets sha256_<archive> for each archive; stops, saying what is wrong,
# where the folder is not given, or lacks an archive, or holds another.
if(NOT ZELM_WIN_SOURCES)
    message(FATAL_ERROR "ZELM_WIN_SOURCES is empty, and a release's Windows "
            "zip and installer carry the DLLs, built from their source "
            "archives: run make release without it, for the repository's "
            "third_party/, or with ZELM_WIN_SOURCES=/a/folder that holds the "
            "archives third_party/SHA256SUMS lists.")
endif()
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../../third_party/SHA256SUMS pinned)
foreach(line IN LISTS pinned)
    string(REGEX MATCH "^([0-9a-f]+)  (.+)$" sum "${line}")
    set(archive ${ZELM_WIN_SOURCES}/${CMAKE_MATCH_2})
    if(NOT EXISTS ${archive})
        message(FATAL_ERROR "${archive} is missing: ZELM_WIN_SOURCES names "
                "a folder that must hold every archive third_party/SHA256SUMS "
                "lists (the repository's third_party/ does)")
    endif()
    file(SHA256 ${archive} found)
    if(NOT found STREQUAL CMAKE_MATCH_1)
        message(FATAL_ERROR "${archive} is not the archive "
                "third_party/SHA256SUMS lists: its SHA-256 is ${found}")
    endif()
    set(sha256_${CMAKE_MATCH_2} ${CMAKE_MATCH_1})
endforeach()
