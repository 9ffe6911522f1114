# cmake --install (and the Debian package, which is made from these rules) lays the game out as Debian places
# games: the launcher in games/, the executable in lib/games/quillfray/, its arch-independent data (media/, and
# text/ with a link to the system's font) in share/games/quillfray/. The launcher enters the data folder and
# finds both from its own place, so an unpacked copy runs from anywhere.
include(GNUInstallDirs)
set(QF_BIN_DIR games)
set(QF_LIB_DIR lib/games/quillfray)
set(QF_DATA_DIR ${CMAKE_INSTALL_DATADIR}/games/quillfray)
set(QF_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quillfray)
# Folders the install creates on the way; without this they would take the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS quillfray RUNTIME DESTINATION ${QF_LIB_DIR})
# A stripped install (cpack, cmake --install --strip) also drops the sections strip alone keeps, as dh_strip does.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QF_LIB_DIR}/quillfray\")
  endif()")
install(DIRECTORY ${QF_RUN_DIR}/media DESTINATION ${QF_DATA_DIR})
# A relative link resolves inside whatever root the package is unpacked into, and from any install prefix.
install(CODE "
  set(text \"\${CMAKE_INSTALL_PREFIX}/${QF_DATA_DIR}/text\")
  file(RELATIVE_PATH font \"\${text}\" ${QF_FONT})
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${text}\")
  file(CREATE_LINK \"\${font}\" \"\$ENV{DESTDIR}\${text}/FreeSans.ttf\" SYMBOLIC)")

file(RELATIVE_PATH QF_BIN_TO_LIB /root/${QF_BIN_DIR} /root/${QF_LIB_DIR})
file(RELATIVE_PATH QF_BIN_TO_DATA /root/${QF_BIN_DIR} /root/${QF_DATA_DIR})
configure_file(${CMAKE_SOURCE_DIR}/dist/quillfray.in ${CMAKE_BINARY_DIR}/quillfray-launcher @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/quillfray-launcher DESTINATION ${QF_BIN_DIR} RENAME quillfray)

install(FILES ${CMAKE_SOURCE_DIR}/dist/quillfray.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
set(QF_HOMEPAGE https://github.com/quillfray/quillfray
  CACHE STRING "Home page; the metainfo's screenshots live under it")
configure_file(${CMAKE_SOURCE_DIR}/dist/quillfray.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/dist/io.github.quillfray.Quillfray.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/dist/io.github.quillfray.Quillfray.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The man page and the changelog are installed compressed, as Debian wants them (gzip -9n: no name, no time).
configure_file(${CMAKE_SOURCE_DIR}/dist/quillfray.6.in ${CMAKE_BINARY_DIR}/dist/quillfray.6 @ONLY)
set(QF_DIST_GZ)
foreach(file IN ITEMS ${CMAKE_BINARY_DIR}/dist/quillfray.6 ${CMAKE_SOURCE_DIR}/dist/changelog)
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/dist/${name}.gz
    COMMAND sh -c "gzip -9n <\"$0\" >\"$1\"" ${file} ${CMAKE_BINARY_DIR}/dist/${name}.gz
    DEPENDS ${file} VERBATIM)
  list(APPEND QF_DIST_GZ ${CMAKE_BINARY_DIR}/dist/${name}.gz)
endforeach()
add_custom_target(distfiles ALL DEPENDS ${QF_DIST_GZ})
install(FILES ${CMAKE_BINARY_DIR}/dist/quillfray.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# The opponent "Teh Ancient One!" is spelt so on purpose.
install(FILES ${CMAKE_SOURCE_DIR}/dist/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME quillfray)
install(FILES ${CMAKE_BINARY_DIR}/dist/changelog.gz ${CMAKE_SOURCE_DIR}/dist/copyright DESTINATION ${QF_DOC_DIR})
