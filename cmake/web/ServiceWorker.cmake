# ServiceWorker.cmake: writes the page's service worker, SITE/sw.js, from
# its template: the list of the site's other files, and the cache named
# after a hash of their names and contents, so that any change to the site
# changes the worker; stripped by esbuild of what the browser never reads.
# Run as the site's last build step:
#
#   cmake -DSITE=folder -DTEMPLATE=front/web/sw.js.in -DESBUILD=esbuild
#         -P ServiceWorker.cmake
file(GLOB files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(contents "")
set(names "")
foreach(file IN LISTS files)
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND contents "${file} ${hash}\n")
    list(APPEND names "'${file}'")
endforeach()
string(SHA256 site_hash "${contents}")
string(SUBSTRING ${site_hash} 0 16 ZELM_SITE_HASH)
list(JOIN names ", " ZELM_SITE_FILES)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
execute_process(COMMAND ${ESBUILD} ${SITE}/sw.js --minify --allow-overwrite
                        --outfile=${SITE}/sw.js --log-level=warning
                COMMAND_ERROR_IS_FATAL ANY)
