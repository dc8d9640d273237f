# The files the program reads, from their one list, app/asset_files.json
# (the page's script and the web server read it too). Sets GLITTER_ASSETS,
# their names in the order start-up reads them, for the run folder, the site
# and the packages; and writes asset_files.inc into GLITTER_GENERATED_DIR,
# the same list as the C++ tables app/assets.h offers.
set(GLITTER_ASSET_LIST ${CMAKE_CURRENT_SOURCE_DIR}/app/asset_files.json)
set(GLITTER_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${GLITTER_ASSET_LIST})
file(READ ${GLITTER_ASSET_LIST} asset_list)

function(asset_list_error message)
  message(FATAL_ERROR "${GLITTER_ASSET_LIST}: ${message}")
endfunction()

string(JSON mode_count LENGTH "${asset_list}" modes)
set(modes)
math(EXPR last_mode "${mode_count} - 1")
foreach(mode RANGE ${last_mode})
  string(JSON mode_name GET "${asset_list}" modes ${mode})
  list(APPEND modes "${mode_name}")
  set(vertex_${mode} "")
  set(fragment_${mode} nullptr)
endforeach()

# Each file as C++ names it: an entry of AssetFiles, which the program's and
# the sprite's entries point at.
set(GLITTER_ASSETS)
set(names)
set(sprite "")
string(JSON file_count LENGTH "${asset_list}" files)
math(EXPR last_file "${file_count} - 1")
foreach(index RANGE ${last_file})
  string(JSON name GET "${asset_list}" files ${index} name)
  string(JSON mode_name GET "${asset_list}" files ${index} mode)
  string(JSON role GET "${asset_list}" files ${index} role)
  # Opened by bare name, and served at live/NAME: nothing that needs quoting.
  if(NOT name MATCHES "^[A-Za-z0-9_][A-Za-z0-9_.-]*$")
    asset_list_error("\"${name}\" is not a plain file name")
  endif()
  list(FIND modes "${mode_name}" mode)
  if(mode EQUAL -1)
    asset_list_error("${name} changes a mode not in \"modes\": ${mode_name}")
  endif()
  list(APPEND GLITTER_ASSETS ${name})
  list(APPEND names "\"${name}\"")
  if(role STREQUAL "vertex" AND NOT vertex_${mode})
    set(vertex_${mode} "AssetFiles[${index}]")
  elseif(role STREQUAL "fragment" AND fragment_${mode} STREQUAL "nullptr")
    set(fragment_${mode} "AssetFiles[${index}]")
  elseif(role STREQUAL "sprite" AND NOT sprite)
    set(sprite "AssetFiles[${index}]")
  else()
    asset_list_error("${name}: a second ${role} of ${mode_name}, or a role that is not vertex, fragment or sprite")
  endif()
endforeach()

set(programs)
foreach(mode RANGE ${last_mode})
  if(NOT vertex_${mode})
    list(GET modes ${mode} mode_name)
    asset_list_error("no vertex shader for ${mode_name}")
  endif()
  list(APPEND programs "{${vertex_${mode}}, ${fragment_${mode}}}")
endforeach()
if(NOT sprite)
  asset_list_error("no sprite")
endif()

list(JOIN names ", " names)
list(JOIN programs ", " programs)
# Written only when it changes, so an unchanged list rebuilds nothing.
file(CONFIGURE OUTPUT ${GLITTER_GENERATED_DIR}/asset_files.inc @ONLY CONTENT
"// Written by cmake/AssetFiles.cmake from app/asset_files.json: change that list instead.
inline constexpr const char* AssetFiles[${file_count}] = {${names}};
inline constexpr ProgramFiles ShaderFiles[${mode_count}] = {${programs}};
inline constexpr const char* SpriteFile = ${sprite};
")
