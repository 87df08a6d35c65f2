# Warnings for our own code (not for generated moc files).
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
elseif(MSVC)
  add_compile_options(/W4 /permissive-)
endif()

# The comma-decimal locale's folder (made by scripts/setup.sh), for tests
# that switch to it.
set(RP770_LOCALE_DIR "${PROJECT_SOURCE_DIR}/build-locale" CACHE PATH "Folder of the compiled de_DE.UTF-8 locale")

include(GoogleTest)

# Each GoogleTest case is a CTest test of its own, named after its program
# ("ui_tests.Navigation.EachNodeShowsItsPanel") and labelled with it, so a
# failure names the failing case and `ctest -L ui_tests` runs one program's.
function(rp770_discover_tests name)
  # The environment every case runs in (and the listing of the cases too).
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
    "${CMAKE_COMMAND};-E;env;QT_QPA_PLATFORM=offscreen;RP770_DATA_DIR=${RP770_BIN_DIR};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
  gtest_discover_tests(${name}
    TEST_PREFIX "${name}."
    WORKING_DIRECTORY ${RP770_BIN_DIR}
    DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS ${name})
endfunction()

# rp770_add_tests(NAME SOURCES... LIBS...) : one GoogleTest executable.
# Every test program runs in the locale its environment names.
function(rp770_add_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/EnvironmentLocale.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE RP770_LOCALE_DIR="${RP770_LOCALE_DIR}")
  rp770_discover_tests(${name})
endfunction()

# rp770_add_widget_tests(NAME SOURCES... LIBS...) : as above, with a QApplication main.
function(rp770_add_widget_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/QtTestMain.cpp
                 ${PROJECT_SOURCE_DIR}/tests/support/EnvironmentLocale.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Widgets Qt6::Test GTest::gtest GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE RP770_LOCALE_DIR="${RP770_LOCALE_DIR}")
  rp770_discover_tests(${name})
endfunction()
