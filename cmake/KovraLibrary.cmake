# One static library per source folder. Sources are globbed so that a new
# file needs no edit here; CONFIGURE_DEPENDS makes the build notice it.
# EXCLUDE names files of the folder that belong to a program, not the library.
# DEPS names only folders on lower floors (tests/check_layering.sh).
function(kovra_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;GLOBS;EXCLUDE" ${ARGN})
  if(NOT ARG_GLOBS)
    set(ARG_GLOBS "*.cpp")
  endif()
  set(patterns)
  foreach(g IN LISTS ARG_GLOBS)
    list(APPEND patterns "${CMAKE_CURRENT_SOURCE_DIR}/${g}")
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${patterns})
  foreach(x IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources "${CMAKE_CURRENT_SOURCE_DIR}/${x}")
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One GoogleTest executable over the test folders named, with the shared
# helpers of tests/support. Each test case is a CTest test of its own.
function(kovra_test name)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB dir_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp")
    list(APPEND sources ${dir_sources})
  endforeach()
  file(GLOB support_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/support/*.cpp")
  add_executable(${name} ${sources} ${support_sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    KOVRA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KOVRA_CORPUS_DIR="${PROJECT_SOURCE_DIR}/../shared/corpus")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
