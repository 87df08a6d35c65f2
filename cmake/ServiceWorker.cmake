# Fills in the page's service worker (DIR/sw.js, copied from web/): the
# files it keeps for offline use (those of SOURCE, the page's folder, and
# the EXTRA ones made or copied beside them) and a version made from their
# contents, so that a new build replaces the old one whole.
#   cmake -DDIR=build-web/web -DSOURCE=web "-DEXTRA=rp770.js;rp770.wasm" -P cmake/ServiceWorker.cmake
file(GLOB files RELATIVE ${SOURCE} ${SOURCE}/*)
list(APPEND files ${EXTRA})
list(REMOVE_ITEM files sw.js)
# The type declarations are for the type check, not for the browser.
list(FILTER files EXCLUDE REGEX "\\.d\\.ts$")
list(SORT files)
set(listing "")
set(quoted "")
foreach(f IN LISTS files)
  file(MD5 ${DIR}/${f} digest)
  string(APPEND listing "${f} ${digest}\n")
  list(APPEND quoted "'${f}'")
endforeach()
string(MD5 version "${listing}")
string(SUBSTRING ${version} 0 16 version)
list(JOIN quoted ", " joined)
file(READ ${DIR}/sw.js worker)
string(REPLACE "@VERSION@" "${version}" worker "${worker}")
string(REPLACE "/* @FILES@ */" "${joined}" worker "${worker}")
file(WRITE ${DIR}/sw.js "${worker}")
