# StablePackageUuid.cmake: gives the page's loader a package UUID made from
# its data, where emscripten 3.1.6 writes a random one, so that the same
# sources make the same zelm.js.  Only emscripten's IndexedDB cache of
# preloaded files reads the UUID, which the page does not use; later
# emscripten makes it from the data the same way.
#
#   cmake -DLOADER=zelm.js -DDATA=zelm.data -P StablePackageUuid.cmake
file(READ ${LOADER} loader)
file(SHA256 ${DATA} hash)
string(REGEX REPLACE "\"package_uuid\":\"[-0-9a-f]+\""
       "\"package_uuid\":\"sha256-${hash}\"" loader "${loader}")
file(WRITE ${LOADER} "${loader}")
