# One static library per source folder. Sources are globbed so that a new
# file needs no edit here; CONFIGURE_DEPENDS makes the build notice it.
function(kovra_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;GLOBS" ${ARGN})
  if(NOT ARG_GLOBS)
    set(ARG_GLOBS "*.cpp")
  endif()
  set(patterns)
  foreach(g IN LISTS ARG_GLOBS)
    list(APPEND patterns "${CMAKE_CURRENT_SOURCE_DIR}/${g}")
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${patterns})
  if(sources)
    add_library(${name} STATIC ${sources})
  else()
    add_library(${name} INTERFACE)
  endif()
  get_target_property(kind ${name} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  else()
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    # The drawing-side libraries call each other where records, entities and
    # the display meet; repeating the cycle on the link line resolves it.
    set_property(TARGET ${name} PROPERTY LINK_INTERFACE_MULTIPLICITY 3)
  endif()
endfunction()

# One GoogleTest executable per test folder.
function(kovra_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    KOVRA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KOVRA_CORPUS_DIR="${PROJECT_SOURCE_DIR}/../shared/corpus")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
