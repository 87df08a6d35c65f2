# Warnings for our own code (not for generated moc files).
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
elseif(MSVC)
  add_compile_options(/W4 /permissive-)
endif()

# The comma-decimal locale's folder (made by scripts/setup.sh), for tests
# that switch to it.
set(RP770_LOCALE_DIR "${PROJECT_SOURCE_DIR}/build-locale" CACHE PATH "Folder of the compiled de_DE.UTF-8 locale")

# rp770_add_tests(NAME SOURCES... LIBS...) : one GoogleTest executable, one CTest entry.
# Every test program runs in the locale its environment names.
function(rp770_add_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/EnvironmentLocale.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE RP770_LOCALE_DIR="${RP770_LOCALE_DIR}")
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${RP770_BIN_DIR})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;RP770_DATA_DIR=${RP770_BIN_DIR};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
endfunction()

# rp770_add_widget_tests(NAME SOURCES... LIBS...) : as above, with a QApplication main.
function(rp770_add_widget_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/QtTestMain.cpp
                 ${PROJECT_SOURCE_DIR}/tests/support/EnvironmentLocale.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Widgets Qt6::Test GTest::gtest GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE RP770_LOCALE_DIR="${RP770_LOCALE_DIR}")
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${RP770_BIN_DIR})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;RP770_DATA_DIR=${RP770_BIN_DIR};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
endfunction()
