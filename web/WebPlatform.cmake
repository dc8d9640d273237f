# The web build (Emscripten): WebGL and the page stand in for OpenGL, GLU,
# GLUT and GLEW. The web/ folder supplies what WebGL lacks; the targets the
# rest of the build links (OpenGL::GL, GLUT::GLUT, ...) all name it.
add_library(glitter_web STATIC
  web/bitmap_fonts.cpp
  web/error_checks_web.cpp
  web/fixed_function.cpp
  web/glew_web.cpp
  web/glsl_es.cpp
  web/glu_web.cpp
  web/matrices.cpp
  web/overlay.cpp
  web/raster.cpp
  web/shader_hooks.cpp
  web/vertex_arrays.cpp
)
# Before the system's headers: the program's own sources include GL/glew.h,
# GL/glu.h and GL/freeglut.h, and get the web's.
target_include_directories(glitter_web BEFORE PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/web/include)
target_include_directories(glitter_web PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(glitter_web PRIVATE glitter_warnings)
target_link_options(glitter_web PUBLIC
  "SHELL:--js-library ${CMAKE_CURRENT_SOURCE_DIR}/web/glut.js"
  # WebGL 1. The client arrays are this layer's to keep in buffers
  # (vertex_arrays.cpp), so Emscripten's copying of them at every draw is
  # left out.
  -sMAX_WEBGL_VERSION=1
  # Memory grows as it is needed, and a failed allocation returns null, as
  # the program expects, instead of ending it.
  -sALLOW_MEMORY_GROWTH=1 -sABORTING_MALLOC=0
  # exit() ends the program, as Escape does on the desktop; the page is told.
  -sEXIT_RUNTIME=1
  # The page writes the four files into the program's file system.
  -sFORCE_FILESYSTEM=1 "-sEXPORTED_RUNTIME_METHODS=['FS','UTF8ToString','HEAPU8']"
  -sENVIRONMENT=web)
set_property(TARGET glitter_web APPEND PROPERTY INTERFACE_LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/web/glut.js)
foreach(library IN ITEMS OpenGL::GL OpenGL::GLU GLUT::GLUT GLEW::GLEW)
  add_library(${library} INTERFACE IMPORTED)
  set_property(TARGET ${library} PROPERTY INTERFACE_LINK_LIBRARIES glitter_web)
endforeach()
