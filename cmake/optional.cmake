# Parts of the build that need more than a C++ compiler, CMake and Ninja.
# A part whose dependency is missing is left out with one line that says
# how to get it; with VORLAK_REQUIRE_ALL (on by default when CI is set in
# the environment) a missing part stops configure instead, so that CI
# cannot pass with a part silently left out.

if(DEFINED ENV{CI} AND NOT "$ENV{CI}" STREQUAL "" AND NOT "$ENV{CI}" STREQUAL "false")
  set(vorlak_ci ON)
else()
  set(vorlak_ci OFF)
endif()
option(VORLAK_REQUIRE_ALL "Fail at configure time when an optional part cannot be built" ${vorlak_ci})

# vorlak_leave_out(PART PACKAGE COMMAND): report that PART is left out
# because PACKAGE (a Debian package, or what else provides it) is missing,
# and that COMMAND installs it.
function(vorlak_leave_out part package command)
  set(text "leaving out ${part} (missing: ${package}); install with: ${command}")
  if(VORLAK_REQUIRE_ALL)
    message(FATAL_ERROR "${text} (VORLAK_REQUIRE_ALL is on)")
  endif()
  message(STATUS "vorlak: ${text}")
endfunction()

# vorlak_browser_test(NAME PART [WORKING_DIRECTORY DIR] COMMAND SCRIPT ARGS...):
# the CTest case NAME, which runs SCRIPT with node against Chromium, where
# node, chromium and tests/browser's playwright-core and axe-core are
# installed; else PART is left out.  With VORLAK_BROWSER_TEST set in the
# environment a browser test cannot be left out, whatever VORLAK_REQUIRE_ALL
# says.
function(vorlak_browser_test name part)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "WORKING_DIRECTORY" "COMMAND")
  if(NOT arg_WORKING_DIRECTORY)
    set(arg_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  find_program(VORLAK_NODE node)
  find_program(VORLAK_CHROMIUM chromium)
  if(VORLAK_NODE AND VORLAK_CHROMIUM AND TARGET vorlak
     AND EXISTS ${PROJECT_SOURCE_DIR}/tests/browser/node_modules/playwright-core/package.json
     AND EXISTS ${PROJECT_SOURCE_DIR}/tests/browser/node_modules/axe-core/package.json)
    add_test(NAME ${name} COMMAND ${VORLAK_NODE} ${arg_COMMAND} WORKING_DIRECTORY ${arg_WORKING_DIRECTORY})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600 ENVIRONMENT CHROMIUM=${VORLAK_CHROMIUM})
  elseif(DEFINED ENV{VORLAK_BROWSER_TEST})
    message(FATAL_ERROR "VORLAK_BROWSER_TEST is set, but ${part} lacks node, chromium or "
      "tests/browser/node_modules's playwright-core and axe-core (npm ci --prefix tests/browser)")
  else()
    vorlak_leave_out("${part}" "chromium, playwright-core and axe-core"
      "sudo apt-get install chromium && npm ci --prefix tests/browser")
  endif()
endfunction()
