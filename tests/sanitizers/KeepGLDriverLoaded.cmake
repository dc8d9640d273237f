# Mesa loads its driver with dlopen and unloads it again at exit, before
# LeakSanitizer looks. The driver's allocations are then reported from an
# unknown module, which no suppression can name (and unwinding through the
# JIT-compiled driver code to find another caller deadlocks). Linking the
# software driver into the sanitizer builds keeps it mapped to the end, so
# its leaks are attributed to it and suppressed by lsan.supp.
#
# The driver's file name (swrast_dri.so) differs from its SONAME, which is
# what the dynamic linker looks for, so link it through a symlink that
# carries the SONAME; the loader recognises the later dlopen of the same file.
find_file(GLITTER_GL_DRIVER swrast_dri.so
  PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/dri /usr/lib64/dri /usr/lib/dri NO_DEFAULT_PATH)
if(NOT GLITTER_GL_DRIVER)
  message(WARNING "swrast_dri.so not found: leak reports from the GL driver will not be suppressed")
  return()
endif()
execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${GLITTER_GL_DRIVER} OUTPUT_VARIABLE driver_headers)
string(REGEX MATCH "SONAME +([^\n ]+)" soname_line "${driver_headers}")
set(driver_soname ${CMAKE_MATCH_1})
if(NOT driver_soname)
  get_filename_component(driver_soname ${GLITTER_GL_DRIVER} NAME)
endif()
set(driver_link_dir ${CMAKE_BINARY_DIR}/gl-driver)
file(MAKE_DIRECTORY ${driver_link_dir})
file(CREATE_LINK ${GLITTER_GL_DRIVER} ${driver_link_dir}/${driver_soname} SYMBOLIC)
add_link_options(-L${driver_link_dir} -Wl,--no-as-needed -l:${driver_soname} -Wl,--as-needed
  -Wl,-rpath,${driver_link_dir})
