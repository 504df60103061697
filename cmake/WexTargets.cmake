# Helpers that give every test, benchmark, fuzzer and plug-in the same shape.

# Adds every subdirectory of the current source directory that has a CMakeLists.txt,
# so that each area registers its own tests without editing a shared list.
function(wex_add_child_directories)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

find_package(GTest QUIET)
include(GoogleTest OPTIONAL)

# wex_test(<name> KIND unit|gui|e2e [WAYLAND] [TIMEOUT s] [COST s] SOURCES ... [LIBS ...])
# unit: no display. gui: Qt offscreen. e2e: run under xvfb-run with openbox.
# WAYLAND: beside a headless weston of the test's own (tests/wayland/with-weston);
# a gui test then runs on it (its main must not choose another platform), an e2e
# test has both the X server and the compositor.
# COST: about how many seconds the test runs, for the few that run far longer
# than the rest: a parallel run starts them first instead of ending on one.
# Each test binary gets a directory of its own, so that a program directory
# (settings file, data files) is never shared between test binaries.
function(wex_test name)
  cmake_parse_arguments(T "WAYLAND" "KIND;TIMEOUT;COST" "SOURCES;LIBS" ${ARGN})
  if(NOT T_KIND)
    set(T_KIND unit)
  endif()
  if(T_KIND STREQUAL "e2e" AND NOT WEX_E2E)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  if(T_KIND STREQUAL "unit")
    target_link_libraries(${name} PRIVATE ${T_LIBS} wex_test_support GTest::gtest GTest::gmock
                          GTest::gtest_main)
  else()
    # GUI and end-to-end tests need a QApplication around the test run.
    target_link_libraries(${name} PRIVATE ${T_LIBS} wex_gui_test_main)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  # The shared test headers, compiled once (tests/support). The toolkit compiles
  # its users position-independent, which a header compiled for a plain test
  # program cannot serve: a plain test that links Qt compiles them itself.
  if(NOT T_KIND STREQUAL "unit")
    target_precompile_headers(${name} REUSE_FROM wex_gui_test_headers)
  elseif(NOT T_LIBS MATCHES "Qt6::")
    target_precompile_headers(${name} REUSE_FROM wex_unit_test_headers)
  endif()
  # g++ 12 loses the system-header mark of what comes from a compiled header and
  # then reports its known false warnings about bounds inside std::string's inlined copies.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${name} PRIVATE -Wno-array-bounds -Wno-stringop-overread
                           -Wno-stringop-overflow -Wno-restrict)
  endif()
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/${name})
  target_compile_definitions(${name} PRIVATE
    WEX_BIN_DIR="${WEX_BIN_DIR}" WEX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(props LABELS ${T_KIND} TIMEOUT ${T_TIMEOUT})
  if(T_COST)
    list(APPEND props COST ${T_COST})
  endif()
  set(weston)
  if(T_WAYLAND)
    set(weston ${CMAKE_SOURCE_DIR}/tests/wayland/with-weston)
    list(APPEND props SKIP_RETURN_CODE 77)
  endif()
  if(T_KIND STREQUAL "gui" AND T_WAYLAND)
    add_test(NAME ${name} COMMAND ${weston} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ${props} ENVIRONMENT QT_QPA_PLATFORM=wayland)
  elseif(T_KIND STREQUAL "gui")
    # The tests of one binary share its directory (its settings file), so they
    # run in one process, one after the other.
    add_test(NAME ${name} COMMAND ${name})
    # The toolkit's runtime directory inside the test's own, not a shared one in /tmp.
    set_tests_properties(${name} PROPERTIES ${props} ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/tests/${name}/runtime")
  elseif(T_KIND STREQUAL "e2e")
    # One X server per test binary, on a display it picks itself, with a home of
    # its own; the wrapper starts openbox inside it. So end-to-end tests run side
    # by side like the others.
    add_test(NAME ${name}
             COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/with-xserver ${weston} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ${props} SKIP_RETURN_CODE 77)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
  endif()
  if(T_WAYLAND)
    set_property(TEST ${name} APPEND PROPERTY LABELS wayland)
  endif()
endfunction()

# wex_benchmark(<name> SOURCES ... [LIBS ...]): a Google Benchmark program in bench/.
function(wex_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_compile_definitions(${name} PRIVATE WEX_BIN_DIR="${WEX_BIN_DIR}")
endfunction()

# wex_fuzzer(<name> SOURCES ... [LIBS ...] [SECONDS n]): a libFuzzer target, also
# registered as a bounded CTest run (label "fuzz").
function(wex_fuzzer name)
  cmake_parse_arguments(F "" "SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT WEX_FUZZ)
    return()
  endif()
  if(NOT F_SECONDS)
    set(F_SECONDS 30)
  endif()
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  set(corpus ${CMAKE_BINARY_DIR}/fuzz/${name}-corpus)
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${F_SECONDS} -rss_limit_mb=4096 -print_final_stats=1 ${corpus})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 900 COST ${F_SECONDS})
endfunction()

# wex_plugin(<name> SOURCES ... [LIBS ...]): a text-filter plug-in "<name>.wpi"
# beside the program.
function(wex_plugin name)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} MODULE ${P_SOURCES})
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".wpi" OUTPUT_NAME ${name}
    CXX_VISIBILITY_PRESET hidden C_VISIBILITY_PRESET hidden)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${P_LIBS})
  # g++ marks some inline and template statics STB_GNU_UNIQUE, and glibc never
  # unloads a library that has such a symbol: the plug-in's state would outlive
  # the host's dlclose.
  include(CheckCXXCompilerFlag)
  check_cxx_compiler_flag(-fno-gnu-unique WEX_HAVE_FNO_GNU_UNIQUE)
  if(WEX_HAVE_FNO_GNU_UNIQUE)
    target_compile_options(${name} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fno-gnu-unique>)
  endif()
  add_dependencies(deliverables ${name})
endfunction()

# wex_qt_library(<name> SOURCES ... LIBS ...): the Qt side of one folder, a static
# library linking the libraries it names (of the folders below it).
function(wex_qt_library name)
  cmake_parse_arguments(Q "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${Q_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${Q_LIBS} Qt6::Widgets)
  # Nearly every source of the program includes these through its own headers:
  # parsed once per library instead of once per source.
  target_precompile_headers(${name} PRIVATE
    <QApplication> <QDialog> <QFileDialog> <QMainWindow> <QMessageBox> <QObject>
    <QString> <QTimer> <QWidget>)
endfunction()
