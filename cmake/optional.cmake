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
