# cpack -G DEB (or scripts/package.sh, which also checks the result) makes quillfray_<version>_amd64.deb from the
# install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillfray)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quillfray maintainers <maintainers@users.noreply.c-seed-2a92c460.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "trace the dots to strike an endless line of opponents")
# Wrapped by hand: the package's long description is shown as it stands, in 80 columns.
set(CPACK_PACKAGE_DESCRIPTION [=[Quillfray is a single-player battle game. You fight an endless line of
computer opponents, one battle after another. On your turn a path of dots
appears in the drawing area: hold the left mouse button and trace it. Every
dot you reach is a hit on the opponent. Holding the stroke costs endurance,
and the stroke ends when you let go or run out. Then the opponent strikes back.

Each victory heals you a little and brings a stronger opponent, whose name
tells which of its strengths dominate: more hit points, harder blows, longer
steps between dots, a more erratic path, or a faster drain on your endurance.]=])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QF_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON) # the executable's libraries, found by dpkg-shlibdeps
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-freefont-ttf)
set(CPACK_STRIP_FILES ON)
# Debian's hardening defaults for the packaged executable: fortified libc calls (they need optimisation) and a
# read-only GOT.
target_compile_definitions(quillfray_game PUBLIC $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
target_link_options(quillfray PRIVATE -Wl,-z,relro,-z,now)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
