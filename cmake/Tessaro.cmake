# moc's up-to-date check does not notice a Q_OBJECT file newly added to an existing build
# tree (the class then lacks its vtable at link time): when the globbed list changes, make
# the target's automoc step run again.
function(tessaro_rerun_moc_on_new_files target)
  string(SHA1 hash "${ARGN}")
  if(NOT "${hash}" STREQUAL "${TESSARO_MOC_LIST_${target}}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
    set(TESSARO_MOC_LIST_${target} "${hash}" CACHE INTERNAL "")
  endif()
endfunction()

# tessaro_library(NAME DEPS ...): one static library from every .cpp of the calling folder
# (and its x11/ and sim/ subfolders, where present). Headers are included by their path
# from the top of the tree: #include "foundation/settings.h".
function(tessaro_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;SUBDIRS" ${ARGN})
  set(globs ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(sub ${ARG_SUBDIRS})
    list(APPEND globs ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/*.cpp)
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)  # header-only so far
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${sources} ${headers})
  tessaro_rerun_moc_on_new_files(${name} ${sources} ${headers})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# The test suites of `sources` that start an X server: every suite of a file that uses Xvfb,
# as a GoogleTest filter ("Suite.*:*/Suite.*:..."; empty when none does).
function(tessaro_desktop_suites out)
  set(patterns "")
  foreach(f ${ARGN})
    file(READ ${f} text)
    if(NOT text MATCHES "tests/support/xvfb\\.h|\"Xvfb\"")
      continue()
    endif()
    string(REGEX MATCHALL "\nTEST(_F|_P)?\\([A-Za-z0-9_]+" heads "${text}")
    foreach(head ${heads})
      string(REGEX REPLACE ".*\\(" "" suite "${head}")
      list(APPEND patterns "${suite}.*" "*/${suite}.*")
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES patterns)
  list(JOIN patterns ":" filter)
  set(${out} "${filter}" PARENT_SCOPE)
endfunction()

# tessaro_tests(NAME DIR DEPS ...): one GoogleTest program from every .cpp in tests/DIR,
# linked with the core of the tests' support code; a program that uses its Qt or X11 part
# names test_support_qt or test_support_x11 among its DEPS.
# Tests that need an X server carry the ctest label "desktop": every program under tests/e2e
# (left out altogether without TESSARO_DESKTOP_TESTS) and the suites of other programs whose
# files start Xvfb. All others carry "unit", and their programs are what the target
# unit_tests builds. A unit test that hangs fails within a minute and names itself; the desktop
# tests, which start servers and programs, have longer.
# Seconds a unit test may take before it counts as hung; the sanitizers make code several
# times slower.
if(TESSARO_ASAN)
  set(TESSARO_UNIT_TIMEOUT 120)
else()
  set(TESSARO_UNIT_TIMEOUT 60)
endif()

function(tessaro_tests name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  file(RELATIVE_PATH where ${CMAKE_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
  set(desktop_program OFF)
  if(where MATCHES "^e2e(/|$)")
    set(desktop_program ON)
    if(NOT TESSARO_DESKTOP_TESTS)
      return()
    endif()
  endif()
  add_executable(${name} ${sources} ${CMAKE_SOURCE_DIR}/tests/support/test_environment.cpp)
  target_compile_definitions(${name} PRIVATE TESSARO_TEST_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  tessaro_rerun_moc_on_new_files(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_support_core platform_sim GTest::gtest GTest::gtest_main GTest::gmock)
  set(env "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan-suppressions.txt")
  if(desktop_program)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "${env}" LABELS desktop
      TIMEOUT 240 DISCOVERY_TIMEOUT 60)
    return()
  endif()
  add_dependencies(unit_tests ${name})
  tessaro_desktop_suites(desktop ${sources})
  if(desktop)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_FILTER "${desktop}"
      PROPERTIES ENVIRONMENT "${env}" LABELS desktop TIMEOUT 240 DISCOVERY_TIMEOUT 60)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_FILTER "-${desktop}"
      PROPERTIES ENVIRONMENT "${env}" LABELS unit TIMEOUT ${TESSARO_UNIT_TIMEOUT} DISCOVERY_TIMEOUT 60)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "${env}" LABELS unit
      TIMEOUT ${TESSARO_UNIT_TIMEOUT} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
