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
  DEPENDS ${glitter_page_scripts} ${CMAKE_SOURCE_DIR}/package-lock.json
  COMMENT "Bundling the page's script")

# Copies file (a path in the source tree) to the site as name.
set(site_files)
function(glitter_site_file file name)
  add_custom_command(OUTPUT ${GLITTER_SITE_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${file} ${GLITTER_SITE_DIR}/${name}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${file})
  set(site_files ${site_files} ${GLITTER_SITE_DIR}/${name} PARENT_SCOPE)
endfunction()

# live.json says that the site has no live folder: scripts/serve_web.py --live
# answers it with the folder it serves as live/ instead.
foreach(file IN ITEMS web/index.html web/page.css web/live.json packaging/glitter.svg assets/confetti.vert
                      assets/fire.vert assets/fire.frag assets/particle.bmp)
  get_filename_component(name ${file} NAME)
  glitter_site_file(${file} ${name})
endforeach()

# The gallery: every example's own files in examples/NAME/, and
# examples/index.json listing them with the caption their README.md opens
# with (its first line of text after the title), for the page's picker.
file(GLOB example_readmes CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/examples/*/README.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${example_readmes})
set(example_index "[]")
foreach(readme IN LISTS example_readmes)
  get_filename_component(folder ${readme} DIRECTORY)
  get_filename_component(name ${folder} NAME)
  file(READ ${readme} text)
  string(REGEX MATCH "^# *([^\n]*)\n[ \t\n]*([^\n]*)" heading "${text}")
  set(title "${CMAKE_MATCH_1}")
  set(caption "${CMAKE_MATCH_2}")
  set(files "[]")
  foreach(slot IN ITEMS confetti.vert fire.vert fire.frag particle.bmp)
    if(EXISTS ${folder}/${slot})
      string(JSON files_length LENGTH "${files}")
      string(JSON files SET "${files}" ${files_length} "\"${slot}\"")
      glitter_site_file(examples/${name}/${slot} examples/${name}/${slot})
    endif()
  endforeach()
  string(REPLACE "\\" "\\\\" title "${title}")
  string(REPLACE "\"" "\\\"" title "${title}")
  string(REPLACE "\\" "\\\\" caption "${caption}")
  string(REPLACE "\"" "\\\"" caption "${caption}")
  string(JSON example_length LENGTH "${example_index}")
  string(JSON example_index SET "${example_index}" ${example_length}
    "{\"name\": \"${name}\", \"title\": \"${title}\", \"caption\": \"${caption}\", \"files\": ${files}}")
endforeach()
# Written only when it changes, so an unchanged gallery rebuilds nothing.
file(CONFIGURE OUTPUT ${GLITTER_SITE_DIR}/examples/index.json CONTENT "${example_index}\n" @ONLY)

add_custom_target(site ALL DEPENDS ${GLITTER_SITE_DIR}/page.js ${GLITTER_SITE_DIR}/editor.js ${site_files})
