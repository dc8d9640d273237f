# Installation and the Debian package. The real program goes to
# libexec/glitter/, its four assets to share/glitter/, and a launcher to
# bin/glitter that starts the program from the user's own copy of the assets
# (made on first run), with a desktop entry and icon for application menus.

include(GNUInstallDirs)

set(GLITTER_LIBEXEC_DIR ${CMAKE_INSTALL_LIBEXECDIR}/glitter)
set(GLITTER_DATA_DIR ${CMAKE_INSTALL_DATADIR}/glitter)

# The launcher finds both folders relative to its own, so one script works for
# any prefix, including one chosen only at install time (cmake --install
# --prefix, DESTDIR, CPack's staging folder).
file(RELATIVE_PATH GLITTER_DATA_FROM_BINDIR
  /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${GLITTER_DATA_DIR})
file(RELATIVE_PATH GLITTER_LIBEXEC_FROM_BINDIR
  /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${GLITTER_LIBEXEC_DIR})
list(JOIN GLITTER_ASSETS " " GLITTER_ASSET_LIST)
configure_file(${CMAKE_CURRENT_LIST_DIR}/glitter.sh.in ${CMAKE_BINARY_DIR}/packaging/glitter @ONLY)

install(TARGETS glitter RUNTIME DESTINATION ${GLITTER_LIBEXEC_DIR})
list(TRANSFORM GLITTER_ASSETS PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/assets/ OUTPUT_VARIABLE asset_sources)
install(FILES ${asset_sources} DESTINATION ${GLITTER_DATA_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/glitter DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/glitter.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/glitter.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glitter)
set(CPACK_PACKAGE_VENDOR "Glitter developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "OpenGL particle demo: glittering points and additive fire sprites")
set(CPACK_PACKAGE_DESCRIPTION
  "Animates 10,000 glitter points or 225 additive fire sprites, each placed every frame by a vertex shader. Needs OpenGL 2.0.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Glitter developers <glitter@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# dpkg-shlibdeps (dpkg-dev) names the runtime packages of the libraries the
# binary links (giflib's libgif7 among them, for --record); without it, the
# names on Debian 12.
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libglut3.12, libglew2.2, libglu1-mesa, libopengl0, libgif7, libc6, libstdc++6")
endif()
include(CPack)
