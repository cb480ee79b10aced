# Compile options every Kvem target gets through kvem_options().
add_library(kvem_options INTERFACE)
target_compile_options(kvem_options INTERFACE
  -Wall -Wextra -Wpedantic
  # Exact results: no fused multiply-add changes a value that sits on a limit.
  -ffp-contract=off)
# g++ 12 warns about std::string concatenation that cannot overlap (GCC bug
# 105329, fixed in g++ 13); the warning says nothing about our code.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(kvem_options INTERFACE -Wno-restrict)
endif()
if(KVEM_SANITIZE)
  target_compile_options(kvem_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(kvem_options INTERFACE -fsanitize=address,undefined)
endif()

# kvem_add_library(NAME SOURCES... [LINKS targets...] [PRIVATE_LINKS targets...])
# One static library per subsystem folder; headers are included as <sub/file.h>.
function(kvem_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS;PRIVATE_LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC kvem_options ${ARG_LINKS} PRIVATE ${ARG_PRIVATE_LINKS})
endfunction()

# Every test program gets tests/support/test_environment.cpp: KVEM_TEST_DATA,
# KVEM_EXAMPLES, KVEM_DATA_DIR (the repository's data/), KVEM_CLI (the built
# kvem-cli) and LANG=C.UTF-8 are set before main().
function(kvem_add_test_environment name)
  target_sources(${name} PRIVATE "${CMAKE_SOURCE_DIR}/tests/support/test_environment.cpp")
  target_compile_definitions(${name} PRIVATE KVEM_TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                             KVEM_TEST_BINARY_DIR="${CMAKE_BINARY_DIR}")
endfunction()

# kvem_add_test(NAME SOURCES... LINKS targets...) registers a GoogleTest binary.
function(kvem_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/tests")
  target_link_libraries(${name} PRIVATE kvem_options kvem_test_support ${ARG_LINKS} GTest::gtest GTest::gmock GTest::gtest_main)
  kvem_add_test_environment(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# kvem_add_qt_test(NAME SOURCES... LINKS targets...) registers a Qt Test program
# that runs offscreen.
function(kvem_add_qt_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON)
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/tests" "${CMAKE_SOURCE_DIR}/src")
  target_link_libraries(${name} PRIVATE kvem_options ${ARG_LINKS} Qt6::Test Qt6::Widgets)
  kvem_add_test_environment(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;KVEM_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data;KVEM_EXAMPLES=${CMAKE_SOURCE_DIR}/examples;KVEM_DATA_DIR=${CMAKE_SOURCE_DIR}/data;LC_ALL=;LC_NUMERIC=;LANG=C.UTF-8")
endfunction()
