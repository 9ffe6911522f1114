# cmake -DSITE=DIR -DTEMPLATE=sw.js -P sw.cmake writes the site's service worker into DIR: @QF_FILES@ becomes every
# other file of the site with its SHA-256, @QF_BUILD@ a name drawn from that list, so that each build has its own.
file(GLOB names LIST_DIRECTORIES false RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM names sw.js)
list(SORT names)
set(QF_FILES "")
foreach(name IN LISTS names)
  file(SHA256 ${SITE}/${name} hash)
  string(APPEND QF_FILES "\n    '${name}': '${hash}',")
endforeach()
string(SHA256 build "${QF_FILES}")
string(SUBSTRING ${build} 0 16 QF_BUILD)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
