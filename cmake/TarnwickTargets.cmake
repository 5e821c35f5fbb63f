# Common settings for every target of our own.
function(tarnwick_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  # GCC 12 with -O3 (a Release build) reports overlapping copies inside std::string's own
  # code for ordinary string concatenation and assignment; the warning is false there and
  # says nothing about ours.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(TARNWICK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# tarnwick_library(NAME SOURCES ... [DEPENDS ...])
function(tarnwick_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  tarnwick_warnings(${name})
endfunction()

# tarnwick_gtest(NAME SOURCES ... [DEPENDS ...]): one GoogleTest program, each test a CTest case.
function(tarnwick_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests" "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gmock tarnwick_test_main)
  tarnwick_warnings(${name})
  gtest_discover_tests(${name} PROPERTIES TIMEOUT 120 DISCOVERY_TIMEOUT 60)
endfunction()

# tarnwick_qtest(NAME SOURCES ... [DEPENDS ...]): one QtTest program (window tests), run
# on Qt's offscreen platform so that it needs no display.
function(tarnwick_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests" "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} Qt6::Test Qt6::Widgets)
  tarnwick_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${PROJECT_BINARY_DIR}/xdg-runtime;TZ=UTC;LC_ALL=C")
endfunction()

# tarnwick_browser_engine(NAME SOURCES ... [DEPENDS ...]): the library of one browser
# engine (a folder under src/kiosk/browser); the kiosk links every one made so.
function(tarnwick_browser_engine name)
  tarnwick_library(${name} ${ARGN})
  set_property(GLOBAL APPEND PROPERTY TARNWICK_BROWSER_ENGINES ${name})
endfunction()
