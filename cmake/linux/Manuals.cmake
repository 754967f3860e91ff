# Manuals.cmake: the manual pages of one language, as the package and the
# tarball carry them, compressed as Debian wants them, reproducibly:
#
#   cmake -DSOURCES=folder -DOUT=folder -DPROJECT_VERSION=1.0.0
#         -DSHARE_DIR=/usr/share/games/zelm -DTARBALL_SHARE_DIR=zelm-1.0.0-...
#         -DNOTATION=zelm_notation [-DCATALOG=LL.mo] -P Manuals.cmake
#
# SOURCES holds zelm.6.in and zelm-check.6.in, as dist/ holds them in
# English, or as po4a translates them.  Writes OUT/zelm.6.gz, which names
# the images' folder as the package lays it out, OUT/tarball/zelm.6.gz, as
# the tarball does, and OUT/zelm-check.6.gz, whose notation the tool
# writes in from the table, in the language of CATALOG where it is given.
set(ZELM_SHARE_DIR ${SHARE_DIR})
configure_file(${SOURCES}/zelm.6.in ${OUT}/zelm.6 @ONLY)
set(ZELM_SHARE_DIR ${TARBALL_SHARE_DIR})
configure_file(${SOURCES}/zelm.6.in ${OUT}/tarball/zelm.6 @ONLY)
configure_file(${SOURCES}/zelm-check.6.in ${OUT}/zelm-check.6.template @ONLY)
execute_process(COMMAND ${NOTATION} man ${OUT}/zelm-check.6.template
                        ${OUT}/zelm-check.6 ${CATALOG}
                COMMAND_ERROR_IS_FATAL ANY)
foreach(page zelm.6 tarball/zelm.6 zelm-check.6)
    execute_process(COMMAND gzip -9 -n -c ${OUT}/${page}
                    OUTPUT_FILE ${OUT}/${page}.gz COMMAND_ERROR_IS_FATAL ANY)
endforeach()
