# libFuzzer targets (clang only): configure with CXX=clang++ -DVANTREL_FUZZ=ON.
# The whole build then carries coverage feedback and ASan+UBSan; each target
# is also a CTest test (label "fuzz") that runs it for VANTREL_FUZZ_SECONDS
# from its seed corpus, new finds going to the build folder, never the tree.
option(VANTREL_FUZZ "Build the libFuzzer targets (clang only)" OFF)
set(VANTREL_FUZZ_SECONDS 40 CACHE STRING "Length of each bounded fuzz run in the tests")
if(VANTREL_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "VANTREL_FUZZ needs clang (CXX=clang++)")
endif()
if(VANTREL_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# vantrel_fuzz_target(NAME SOURCE SEED_FOLDER LIBRARY...)
function(vantrel_fuzz_target name source seeds)
  if(NOT VANTREL_FUZZ)
    return()
  endif()
  add_executable(${name} ${source})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARGN})
  vantrel_warnings(${name})
  set(finds ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  file(MAKE_DIRECTORY ${finds})
  add_test(NAME ${name} COMMAND ${name} -max_total_time=${VANTREL_FUZZ_SECONDS} -timeout=20
           -print_final_stats=1 ${finds} ${seeds})  # an empty SEED_FOLDER adds no argument
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()
