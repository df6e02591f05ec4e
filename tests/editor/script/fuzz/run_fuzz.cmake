# Builds the parser's fuzz target with clang (ASan, UBSan, libFuzzer) in a build folder of its
# own and runs it a bounded number of times over a copy of the seed corpus.
#   cmake -DSOURCE=<tree> -DBUILD=<folder> -DCXX=clang++ -DCC=clang -DCORPUS=<seeds> -DRUNS=n -P run_fuzz.cmake
foreach(var SOURCE BUILD CXX CC CORPUS RUNS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_fuzz.cmake needs -D${var}=...")
  endif()
endforeach()

# The fuzz build compiles the folders below the parser too; a warning that only clang gives
# there must not stop the fuzzing, so the compiler is wrapped to keep warnings warnings.
foreach(lang CXX CC)
  set(wrapper ${BUILD}-${lang}.sh)
  file(WRITE ${wrapper} "#!/bin/sh\nexec ${${lang}} \"$@\" -Wno-error\n")
  file(CHMOD ${wrapper} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
  set(${lang}_WRAPPED ${wrapper})
endforeach()

# The sanitizer runtime is linked as a shared library: the hook library and the plugins are
# shared objects that must resolve every symbol when they are linked.
execute_process(COMMAND ${CXX} -print-runtime-dir OUTPUT_VARIABLE runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
set(link_flags "-shared-libsan -Wl,-rpath,${runtime}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -G Ninja
          -DCMAKE_CXX_COMPILER=${CXX_WRAPPED} -DCMAKE_C_COMPILER=${CC_WRAPPED} -DCMAKE_BUILD_TYPE=RelWithDebInfo
          -DTESSARO_FUZZ=ON -DTESSARO_ASAN=ON -DTESSARO_BUILD_BENCH=OFF
          -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link
          -DCMAKE_EXE_LINKER_FLAGS=${link_flags} -DCMAKE_SHARED_LINKER_FLAGS=${link_flags}
          -DCMAKE_MODULE_LINKER_FLAGS=${link_flags}
  RESULT_VARIABLE configured OUTPUT_QUIET)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "configuring the clang fuzz build failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target parse_fuzz -j 4 RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "building the fuzz target failed")
endif()

# libFuzzer adds what it finds to its first folder: keep the seeds in the tree untouched.
set(work ${BUILD}/parse_fuzz_corpus)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=verify_asan_link_order=0
          ${BUILD}/bin/parse_fuzz -runs=${RUNS} -seed=1 -max_len=6000 -timeout=10 -artifact_prefix=${work}/ ${work} ${CORPUS}
  RESULT_VARIABLE fuzzed)
if(NOT fuzzed EQUAL 0)
  message(FATAL_ERROR "the fuzz target found a fault (exit ${fuzzed}); the input is in the working folder")
endif()
