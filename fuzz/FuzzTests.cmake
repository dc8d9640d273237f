# Included by the top-level CMakeLists when tests are built: builds the fuzz
# project with clang in <build>/fuzz and adds two tests, a run over the seed
# corpus and a short fuzzing run. Without a clang that links libFuzzer the
# tests are reported as skipped.
include(ExternalProject)

find_program(GLITTER_CLANGXX NAMES clang++ clang++-14)
set(fuzz_probe_ok FALSE)
if(GLITTER_CLANGXX)
  # clang alone is not enough: libFuzzer and the sanitizer runtimes come from
  # libclang-rt-dev.
  set(probe_dir ${CMAKE_BINARY_DIR}/fuzz-probe)
  file(WRITE ${probe_dir}/probe.cpp
    "#include <cstddef>\n#include <cstdint>\n"
    "extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
  execute_process(
    COMMAND ${GLITTER_CLANGXX} -fsanitize=fuzzer,address,undefined probe.cpp -o probe
    WORKING_DIRECTORY ${probe_dir} RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(probe_result EQUAL 0)
    set(fuzz_probe_ok TRUE)
  endif()
endif()

if(NOT fuzz_probe_ok)
  set(skip_text "bmp fuzz tests skipped: no clang++ with libFuzzer (install clang and libclang-rt-dev)")
  message(WARNING "${skip_text}")
  add_test(NAME bmp_fuzz_skipped COMMAND sh -c "echo '${skip_text}'; exit 77")
  set_tests_properties(bmp_fuzz_skipped PROPERTIES SKIP_RETURN_CODE 77)
  return()
endif()

set(fuzz_dir ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(bmp_fuzz
  SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}
  BINARY_DIR ${fuzz_dir}
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=${GLITTER_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
             -DGLITTER_WERROR=${GLITTER_WERROR}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON)   # its sources live outside ExternalProject's view

# libFuzzer adds what it finds to the first folder; keep that apart from the
# seeds, which every build writes afresh.
file(MAKE_DIRECTORY ${fuzz_dir}/found)
add_test(NAME bmp_fuzz_seed_corpus
  COMMAND ${fuzz_dir}/bmp_image_fuzz -runs=0 ${fuzz_dir}/seeds)
add_test(NAME bmp_fuzz_short_run
  COMMAND ${fuzz_dir}/bmp_image_fuzz -max_total_time=20 -timeout=10 -print_final_stats=1
          -artifact_prefix=${fuzz_dir}/ ${fuzz_dir}/found ${fuzz_dir}/seeds)
