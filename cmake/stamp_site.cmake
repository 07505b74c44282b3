# Stamps the web page with its version: a hash of every file of the site, written into the page
# (which names each file with it) and into the manifest, so that a browser, and the service worker
# that keeps the site, never take one version's file for another's.
# Usage: cmake -DSOURCE=<the page's sources> -DSITE=<the site folder> -P stamp_site.cmake
set(files ${SITE}/drelm-wheel.js ${SITE}/drelm-wheel.svg ${SITE}/drelm-wheel-192.png
  ${SITE}/drelm-wheel-512.png ${SITE}/service-worker.js ${SOURCE}/index.html
  ${SOURCE}/manifest.webmanifest)
set(hashes "")
foreach(file ${files})
  file(SHA256 ${file} hash)
  string(APPEND hashes "${hash}\n")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 SITE_VERSION)
foreach(name index.html manifest.webmanifest)
  configure_file(${SOURCE}/${name} ${SITE}/${name} @ONLY)
endforeach()
