# One place registers every test with CTest. Widget tests run on the
# offscreen platform so they need no display. No test fixes its locale:
# scripts/test.sh runs the whole suite under C and under the users' fr_BE
# and nl_BE, so that a number written or read through the locale shows.
find_package(GTest REQUIRED)
include(GoogleTest)

# Under the sanitizers every finding fails its test: leaks included, with a
# stack trace for undefined behaviour. Qt keeps a few process-lifetime
# allocations that LeakSanitizer reports; only those are suppressed, by name.
set(KELVARA_TEST_SANITIZER_ENV)
if(KELVARA_SANITIZE)
  set(KELVARA_TEST_SANITIZER_ENV
    "ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan-qt.supp:print_suppressions=0")
endif()
set(KELVARA_TEST_SANITIZER_ENV_SUFFIX)
if(KELVARA_TEST_SANITIZER_ENV)
  set(KELVARA_TEST_SANITIZER_ENV_SUFFIX ";${KELVARA_TEST_SANITIZER_ENV}")
endif()

# The tests' main takes the locale from the environment, as Qt does for the
# desktop program.
add_library(kelvara_gtest_main STATIC ${PROJECT_SOURCE_DIR}/tests/GtestMain.cpp)
target_link_libraries(kelvara_gtest_main PUBLIC GTest::gtest)

# kelvara_add_gtest(NAME SOURCES ... LIBS ...)
function(kelvara_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest kelvara_gtest_main kelvara_warnings)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(KELVARA_TEST_SANITIZER_ENV)
    # gtest_discover_tests splits a list-valued property apart, so the
    # sanitizer settings are added once the discovered tests are known.
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}_sanitizer_env.cmake)
    file(WRITE ${script} "set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT \"${KELVARA_TEST_SANITIZER_ENV}\")\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
  endif()
endfunction()

# kelvara_add_qtest(NAME SOURCES ... LIBS ...)
function(kelvara_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test kelvara_warnings)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen${KELVARA_TEST_SANITIZER_ENV_SUFFIX}")
endfunction()

# kelvara_add_script_test(NAME SCRIPT file ARGS ... [TIMEOUT seconds])
# A test that drives a built program from outside, on its own display.
function(kelvara_add_script_test name)
  cmake_parse_arguments(ARG "" "SCRIPT;TIMEOUT" "ARGS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_test(NAME ${name} COMMAND bash ${ARG_SCRIPT} ${ARG_ARGS})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  if(KELVARA_TEST_SANITIZER_ENV)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${KELVARA_TEST_SANITIZER_ENV}")
  endif()
endfunction()
