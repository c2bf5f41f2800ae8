# Common settings of the Windows deliverables and their tests.

# Sources are UTF-8; the program is an ANSI build whose texts are code page 1252.
add_compile_options(
  $<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8>
  $<$<COMPILE_LANGUAGE:C,CXX>:-fexec-charset=CP1252>
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wall>
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wextra>
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wno-unused-parameter>)
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
# .rc files are UTF-8 too; windres turns them into the UTF-16 resources Windows keeps.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
# No mingw runtime DLL is shipped: the C++, GCC and thread runtimes are linked in.
add_link_options(-static -static-libgcc -static-libstdc++)

set_property(GLOBAL PROPERTY VASK_DELIVERABLES "")

# vask_deliverable(target): marks a target as one of the binaries that is shipped.
function(vask_deliverable target)
  set_property(GLOBAL APPEND PROPERTY VASK_DELIVERABLES ${target})
endfunction()

# The Wine prefix is made once per build, before the first test that needs it.
function(vask_wine_fixture)
  add_test(NAME wine_prefix_setup
           COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-prefix setup ${VASK_WINEPREFIX})
  set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  add_test(NAME wine_prefix_cleanup
           COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-prefix cleanup ${VASK_WINEPREFIX})
  set_tests_properties(wine_prefix_cleanup PROPERTIES FIXTURES_CLEANUP wine)
endfunction()

# Lines of a test's output that fail the test whatever its exit code: Wine's reports of a
# crash, which a program may print at its end after every check has passed (the list is
# cmake/crash-patterns, which scripts/test reads as well).  Every test that runs a Windows
# program sets them as its FAIL_REGULAR_EXPRESSION (vask_add_gtest does).
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/crash-patterns VASK_CRASH_PATTERNS REGEX "^[^#]")
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/crash-patterns)

# vask_add_gtest(name SOURCES ... [LIBS ...] [FIXTURES ...] [BUS] [PRINTER] [FOCUS]
#                [PROGRAM_RESOURCES] [TIMEOUT s] [LIMITS ...])
# A GoogleTest program run as one CTest test under Wine, failed by a crash report of Wine in
# its output (VASK_CRASH_PATTERNS) as well.  A BUS test has a simulated bus of its own while
# it runs: its own simulator, whose line is COM1 of a Wine prefix of its own (see
# vask_bus_of), so that bus tests run side by side.  PRINTER tests print on the
# build's cups-pdf queue (fixture printer), one at a time; they find its PDF files in the
# folder named by VASK_PDF_DIR (a Unix path).  FOCUS tests need the keyboard focus (they
# assert where it is, or move it with keys) on the one display that parallel tests share:
# the window kit runs them in a desktop of their own (VASK_OWN_DESKTOP, a virtual desktop
# whose focus no other test's window takes), and they take the lock "desktop_input", which
# the tests that take the foreground and the mouse hold as well.  PROGRAM_RESOURCES links
# the compiled resources of KorvanGA.exe (strings, menus, icons) into the test program, so
# that code of the program finds them as it does in the program.  LIMITS are prlimit
# options (such as --as=bytes) under which the program runs.
function(vask_add_gtest name)
  cmake_parse_arguments(T "BUS;PRINTER;FOCUS;PROGRAM_RESOURCES" "TIMEOUT"
                        "SOURCES;LIBS;FIXTURES;LIMITS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  if(T_PROGRAM_RESOURCES)
    target_link_libraries(${name} PRIVATE korvanga_resources)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  # How the program runs: under Wine, in the build's prefix; under the process limits; a bus
  # test in the prefix of its own bus, which lives while the test runs.
  set(_run ${CMAKE_CROSSCOMPILING_EMULATOR})
  if(T_BUS)
    set(_bus ${VASK_BUS_DIR}/${name})
    set(_run ${CMAKE_SOURCE_DIR}/cmake/wine-run --prefix ${_bus}/wineprefix)
  endif()
  if(T_LIMITS)
    set(_run prlimit ${T_LIMITS} ${_run})
  endif()
  if(T_BUS)
    set(_run ${CMAKE_SOURCE_DIR}/sim/vaskbus-fixture run ${_bus} ${VASK_TESTKIT_DIR}/bin/vasksim
             --own-prefix ${VASK_BUS_DIR}/template -- ${_run})
    # Starting and stopping the bus with its prefix take their time as well.
    math(EXPR T_TIMEOUT "${T_TIMEOUT} + 90")
  endif()
  if(T_LIMITS OR T_BUS)
    add_test(NAME ${name} COMMAND ${_run} $<TARGET_FILE:${name}> --gtest_color=no)
  else()
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  endif()
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED "wine;${T_FIXTURES}"
    TIMEOUT ${T_TIMEOUT}
    FAIL_REGULAR_EXPRESSION "${VASK_CRASH_PATTERNS}"
    WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set(_locks)
  if(T_FOCUS)
    list(APPEND _locks desktop_input)
    # (appended: a test's own ENVIRONMENT must be appended as well, or this is lost)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "VASK_OWN_DESKTOP=${name}")
  endif()
  if(_locks)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${_locks}")
  endif()
  if(T_BUS)
    # The test finds its simulator's control port through the file named in
    # VASK_SIM_PORTFILE, its gateway side through VASK_SIM_GATEWAY_PORTFILE.
    vask_bus_of(${name} ${_bus})
    set_property(TEST ${name} APPEND PROPERTY FIXTURES_REQUIRED vaskbus_template vaskbus_${name})
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
      "VASK_SIM_PORTFILE=${_bus}/control.port"
      "VASK_SIM_GATEWAY_PORTFILE=${_bus}/gateway.port")
  endif()
  if(T_PRINTER)
    # One print test at a time: a test that hides the queue makes Wine forget the printer.
    set_property(TEST ${name} APPEND PROPERTY FIXTURES_REQUIRED printer)
    set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK printer)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "VASK_PDF_DIR=${VASK_PRINTER_DIR}/pdf")
  endif()
endfunction()

# The native test kit (vasksim) is built in its own tree; scripts/test passes its place.
set(VASK_TESTKIT_DIR ${CMAKE_SOURCE_DIR}/build/native CACHE PATH "Build tree of the native test kit (sim/)")
set(VASK_BUS_DIR ${CMAKE_BINARY_DIR}/vaskbus)

# vask_vaskbus_fixture(): the model of the bus tests' prefixes (fixture vaskbus_template),
# made once from the build's prefix with the gateway server stand-in registered
# (sim/vaskbus-fixture template).
function(vask_vaskbus_fixture)
  add_test(NAME vaskbus_template
           COMMAND ${CMAKE_SOURCE_DIR}/sim/vaskbus-fixture template ${VASK_BUS_DIR}/template
                   ${VASK_WINEPREFIX} $<TARGET_FILE:gatewaysim>)
  set_tests_properties(vaskbus_template PROPERTIES
    FIXTURES_SETUP vaskbus_template FIXTURES_REQUIRED "wine;gatewaycom" TIMEOUT 120
    FAIL_REGULAR_EXPRESSION "${VASK_CRASH_PATTERNS}")
endfunction()

# vask_bus_of(test DIR): the bus of one test in DIR: socat and the analyzer simulator, and a
# Wine prefix of the bus's own (DIR/wineprefix, from the template) whose COM1 is the
# simulator's line, with its own wineserver. The test's command starts it and stops it again
# (sim/vaskbus-fixture run), so that a bus lives only while its test runs; the cleanup of the
# fixture vaskbus_<test> stops what a test ended from outside (its time-out) left running.
function(vask_bus_of test dir)
  add_test(NAME ${test}_bus_cleanup COMMAND ${CMAKE_SOURCE_DIR}/sim/vaskbus-fixture stop ${dir})
  set_tests_properties(${test}_bus_cleanup PROPERTIES FIXTURES_CLEANUP vaskbus_${test} TIMEOUT 120)
endfunction()

# The build's printer: a CUPS scheduler of its own on ${VASK_PRINTER_DIR}/cups.sock with a
# cups-pdf queue as default (tests/support/printer-fixture); cmake/wine-run points every Wine
# process of the build at it.
set(VASK_PRINTER_DIR ${CMAKE_BINARY_DIR}/printer)
function(vask_printer_fixture)
  add_test(NAME printer_setup
           COMMAND ${CMAKE_SOURCE_DIR}/tests/support/printer-fixture start ${VASK_PRINTER_DIR})
  set_tests_properties(printer_setup PROPERTIES FIXTURES_SETUP printer TIMEOUT 60)
  add_test(NAME printer_cleanup
           COMMAND ${CMAKE_SOURCE_DIR}/tests/support/printer-fixture stop ${VASK_PRINTER_DIR})
  set_tests_properties(printer_cleanup PROPERTIES FIXTURES_CLEANUP printer)
endfunction()
