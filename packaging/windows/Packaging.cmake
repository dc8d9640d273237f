# Installation and the zip for Windows: glitter.exe with its four assets
# beside it (it opens them by bare name from its working folder, which is
# the program's folder when started from Explorer), a README.txt, and the
# licences of the libraries linked into it.
#
#   cpack (in the build folder)  ->  glitter-<version>-windows-x64.zip

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(glitter_windows_arch x64)
else()
  set(glitter_windows_arch x86)
endif()

install(TARGETS glitter RUNTIME DESTINATION .)
list(TRANSFORM GLITTER_ASSETS PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/assets/ OUTPUT_VARIABLE asset_sources)
install(FILES ${asset_sources} DESTINATION .)

# Read in Notepad, so with Windows line ends.
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt ${CMAKE_BINARY_DIR}/packaging/README.txt
  @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/packaging/README.txt DESTINATION .)

# freeglut, GLEW and giflib are linked into glitter.exe; their licences ask
# for their notices to come along.
if(glitter_static_windows)
  install(FILES ${GLITTER_WINDOWS_DEPS}/share/licenses/freeglut/COPYING
    DESTINATION licenses RENAME freeglut-COPYING.txt)
  install(FILES ${GLITTER_WINDOWS_DEPS}/share/licenses/glew/LICENSE.txt
    DESTINATION licenses RENAME glew-LICENSE.txt)
  install(FILES ${GLITTER_WINDOWS_DEPS}/share/licenses/giflib/COPYING
    DESTINATION licenses RENAME giflib-COPYING.txt)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME glitter)
set(CPACK_PACKAGE_VENDOR "Glitter developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "OpenGL particle demo: glittering points and additive fire sprites")
set(CPACK_PACKAGE_FILE_NAME glitter-${PROJECT_VERSION}-windows-${glitter_windows_arch})
# Files at the top of the zip: Explorer's "Extract All" already makes a
# folder named after the zip.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
