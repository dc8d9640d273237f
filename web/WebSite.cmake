# The site the web build makes, in build-web/site: the page, its script and
# style, the program (glitter.js and glitter.wasm), and the four files it
# reads, as plain files a server hands out as they are.
set(GLITTER_SITE_DIR ${CMAKE_BINARY_DIR}/site)
set_target_properties(glitter PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${GLITTER_SITE_DIR} SUFFIX .js)
# In the program itself, not the library: nothing calls it but the page.
target_sources(glitter PRIVATE web/page_bridge.cpp)

find_program(GLITTER_ESBUILD esbuild PATHS ${CMAKE_SOURCE_DIR}/node_modules/.bin NO_DEFAULT_PATH REQUIRED)
file(GLOB glitter_page_scripts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/web/page/*.js)
# The page's modules as one script, for every browser and for file:// too.
add_custom_command(OUTPUT ${GLITTER_SITE_DIR}/page.js
  COMMAND ${GLITTER_ESBUILD} ${CMAKE_CURRENT_SOURCE_DIR}/web/page/main.js --bundle --format=iife
    --target=es2020 --minify --sourcemap --log-level=warning --outfile=${GLITTER_SITE_DIR}/page.js
  DEPENDS ${glitter_page_scripts}
  COMMENT "Bundling the page's script")

set(site_files)
foreach(file IN ITEMS web/index.html web/page.css assets/confetti.vert assets/fire.vert assets/fire.frag
                      assets/particle.bmp)
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${GLITTER_SITE_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${file} ${GLITTER_SITE_DIR}/${name}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${file})
  list(APPEND site_files ${GLITTER_SITE_DIR}/${name})
endforeach()
add_custom_target(site ALL DEPENDS ${GLITTER_SITE_DIR}/page.js ${site_files})
