# One static library per subsystem folder (the tests of a role link its library alone); sources are picked up from the folder so that
# adding a file needs no build edit. A folder with no sources yet is an interface target.
function(vexa_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    # The library hosts link is made of the objects of every role.
    set_property(GLOBAL APPEND PROPERTY VEXA_ROLE_LIBRARIES ${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One GoogleTest executable per test folder; a folder without tests yet builds nothing.
# RESOURCE_LOCK names something the suite's tests share with each other (ctest then runs
# them one at a time, alongside other suites).
function(vexa_test_suite name dir)
  cmake_parse_arguments(ARG "" "RESOURCE_LOCK" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  # Every suite shares the leak checker's list of process-long library caches.
  add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/common/LeakSuppressions.cpp)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  set(properties ENVIRONMENT "VEXA_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  if(ARG_RESOURCE_LOCK)
    # A test waiting on the X server that never answers fails after a minute instead of
    # holding the server for the others.
    list(APPEND properties RESOURCE_LOCK ${ARG_RESOURCE_LOCK} TIMEOUT 60)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()

# One Google Benchmark executable per bench folder.
function(vexa_bench name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/bench/common/AnchorMain.cpp)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
endfunction()
