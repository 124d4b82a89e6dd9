# SPDX-License-Identifier: MIT
# Writes the service worker of a built site: the list of every file (but
# the source maps, which only a developer's tools ask for) and a version
# that changes when any file does.
# Usage: cmake -DSITE=<site folder> -DTEMPLATE=<sw.js.in> -P precache.cmake
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js)
list(FILTER files EXCLUDE REGEX "\\.map$")
list(SORT files)
set(digests "")
set(FILES "  './',\n")
foreach(file ${files})
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
  string(APPEND FILES "  '${file}',\n")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 VERSION)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
