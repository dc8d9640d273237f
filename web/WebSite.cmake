# The site the web build makes, in build-web/site: the page, its script and
# style, the program (glitter.js and glitter.wasm), the four files it reads,
# and the gallery's examples, as plain files a server hands out as they are.
set(GLITTER_SITE_DIR ${CMAKE_BINARY_DIR}/site)
set_target_properties(glitter PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${GLITTER_SITE_DIR} SUFFIX .js)
# The program as an ES module whose default export starts it (createGlitter),
# so the page imports it and hands it what it needs, instead of a global.
target_link_options(glitter PRIVATE -sMODULARIZE=1 -sEXPORT_ES6=1 -sEXPORT_NAME=createGlitter)
# In the program itself, not the library: nothing calls it but the page.
target_sources(glitter PRIVATE web/page_bridge.cpp)

find_program(GLITTER_ESBUILD esbuild PATHS ${CMAKE_SOURCE_DIR}/node_modules/.bin NO_DEFAULT_PATH REQUIRED)
file(GLOB glitter_page_scripts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/web/page/*.js)
# The page's modules and the editor they take from npm (package-lock.json
# pins it) as two ES modules: page.js, which starts the program, and
# editor.js, the editor, which page.js loads once the program runs, so the
# picture never waits for it. The page loads nothing from anywhere else.
add_custom_command(OUTPUT ${GLITTER_SITE_DIR}/page.js ${GLITTER_SITE_DIR}/editor.js
  COMMAND ${GLITTER_ESBUILD} ${CMAKE_CURRENT_SOURCE_DIR}/web/page/main.js --bundle --format=esm --splitting
    --chunk-names=[name] --target=es2020 --minify --sourcemap --log-level=warning --outdir=${GLITTER_SITE_DIR}
    --entry-names=page
  DEPENDS ${glitter_page_scripts} ${GLITTER_ASSET_LIST} ${CMAKE_SOURCE_DIR}/package-lock.json
  COMMENT "Bundling the page's script")

# Copies file (a path in the source tree) to the site as name.
set(site_files)
function(glitter_site_file file name)
  add_custom_command(OUTPUT ${GLITTER_SITE_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${file} ${GLITTER_SITE_DIR}/${name}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${file})
  set(site_files ${site_files} ${GLITTER_SITE_DIR}/${name} PARENT_SCOPE)
endfunction()

# The files the program reads, as the program's run folder has them; their
# list, from which the server learns what to serve from a live folder; and
# live.json, which says that the site has no live folder:
# scripts/serve_web.py --live answers it with the folder it serves as live/.
foreach(file IN ITEMS web/index.html web/page.css web/live.json packaging/glitter.svg app/asset_files.json)
  get_filename_component(name ${file} NAME)
  glitter_site_file(${file} ${name})
endforeach()
foreach(name IN LISTS GLITTER_ASSETS)
  glitter_site_file(assets/${name} ${name})
endforeach()

# The gallery: every example's own files in examples/NAME/, and
# examples/index.json listing them with the caption their README.md opens
# with, for the page's picker.
file(GLOB example_readmes CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/examples/*/README.md)
set(example_files ${example_readmes})
foreach(readme IN LISTS example_readmes)
  get_filename_component(folder ${readme} DIRECTORY)
  get_filename_component(name ${folder} NAME)
  foreach(file IN LISTS GLITTER_ASSETS)
    if(EXISTS ${folder}/${file})
      glitter_site_file(examples/${name}/${file} examples/${name}/${file})
      list(APPEND example_files ${folder}/${file})
    endif()
  endforeach()
endforeach()
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(example_index ${GLITTER_SITE_DIR}/examples/index.json)
add_custom_command(OUTPUT ${example_index}
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/web/gallery_index.py ${example_index}
    ${CMAKE_CURRENT_SOURCE_DIR}/examples ${GLITTER_ASSETS}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/web/gallery_index.py ${example_files}
  COMMENT "Writing the gallery's index")

add_custom_target(site ALL DEPENDS ${GLITTER_SITE_DIR}/page.js ${GLITTER_SITE_DIR}/editor.js ${site_files} ${example_index})
