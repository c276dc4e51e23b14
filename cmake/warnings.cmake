# Warning flags every target of the project gets through checkbill_target_defaults().
function(checkbill_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wold-style-cast -Wcast-align -Woverloaded-virtual
                                           -Wimplicit-fallthrough)
  # GCC 12 reports maybe-uninitialized inside std::variant's storage when a Variant holding a string
  # is built from a temporary; the analysis is known to be wrong there.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
  endif()
  if(CHECKBILL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A library target for one folder under src/: sources listed explicitly, include root src/.
function(checkbill_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  checkbill_target_defaults(${target})
endfunction()

# A GoogleTest program; every case becomes its own CTest entry.
function(checkbill_test target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${target} PRIVATE
    CHECKBILL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  checkbill_target_defaults(${target})
  # Test files share most of their headers; compiling them in batches halves the build of the tests.
  # Each test file keeps its helpers in a namespace of its own so that batches do not collide.
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "CHECKBILL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
