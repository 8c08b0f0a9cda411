# Common settings for the project's own targets.

# Warnings are errors on our own code only; third-party headers come in as
# system includes.
function(cvcalc_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# cvcalc_library(NAME SOURCES ... [DEPS ...])
function(cvcalc_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  cvcalc_target_defaults(${name})
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
endfunction()

# cvcalc_test(NAME SOURCES ... [DEPS ...] [WEB_ENGINE]): one GoogleTest
# executable, its cases discovered when CTest runs.  GUI tests run on Qt's
# offscreen platform.  WEB_ENGINE: its cases start the web engine, which in
# the sanitizer build needs one check of AddressSanitizer left out
# (tests/support/WebEngineSanitizerOptions.cpp says which and why).
function(cvcalc_test name)
  cmake_parse_arguments(ARG "WEB_ENGINE" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_WEB_ENGINE AND CVCALC_SANITIZE)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/WebEngineSanitizerOptions.cpp)
  endif()
  cvcalc_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  # Where tests/support/CommaLocale.h compiles its locale.
  target_compile_definitions(${name} PRIVATE CVCALC_TEST_LOCALES="${CMAKE_BINARY_DIR}/test-locales")
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
               TIMEOUT ${ARG_TIMEOUT})
endfunction()
