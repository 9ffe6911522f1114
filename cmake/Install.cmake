# cmake --install puts the executable beside its data, a launcher on the PATH that enters that folder,
# and a desktop entry with its icon. The font stays the system's: the data folder links to it.
include(GNUInstallDirs)
set(QF_DATA_DIR ${CMAKE_INSTALL_LIBDIR}/quillfray)

install(TARGETS quillfray RUNTIME DESTINATION ${QF_DATA_DIR})
install(DIRECTORY ${QF_RUN_DIR}/media DESTINATION ${QF_DATA_DIR})
install(CODE "
  set(text \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QF_DATA_DIR}/text\")
  file(MAKE_DIRECTORY \"\${text}\")
  file(CREATE_LINK ${QF_FONT} \"\${text}/FreeSans.ttf\" SYMBOLIC)")

configure_file(${CMAKE_SOURCE_DIR}/dist/quillfray.in ${CMAKE_BINARY_DIR}/quillfray-launcher @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/quillfray-launcher DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME quillfray)
install(FILES ${CMAKE_SOURCE_DIR}/dist/quillfray.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/quillfray.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
