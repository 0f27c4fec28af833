# Writes the site's service worker (sw.js) from sw.js.in, naming its cache
# after the build, a fingerprint of every file the site is made of, and
# giving it each file's own fingerprint to check what it keeps.
#   cmake -DSITE=DIR -DTEMPLATE=sw.js.in -P write_service_worker.cmake
set(files index.html page.js page.css manifest.webmanifest gulpkin.js gulpkin.wasm gulpkin.data
    icons/gulpkin-192.png icons/gulpkin-512.png)
set(prints "")
set(GULPKIN_SITE_FILES "")
foreach(file ${files})
  if(NOT EXISTS ${SITE}/${file})
    message(FATAL_ERROR "the site has no ${file}")
  endif()
  file(SHA256 ${SITE}/${file} print)
  string(APPEND prints "${file} ${print}\n")
  # the folder's own address serves index.html
  if(file STREQUAL "index.html")
    string(APPEND GULPKIN_SITE_FILES "\n  [\"./\", \"${print}\"],")
  endif()
  string(APPEND GULPKIN_SITE_FILES "\n  [\"${file}\", \"${print}\"],")
endforeach()
string(SHA256 build "${prints}")
string(SUBSTRING ${build} 0 16 GULPKIN_SITE_BUILD)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
