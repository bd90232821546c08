# The warning set of every target of the project, native and WebAssembly
# alike: each links vorlak_warnings, which warns as errors when VORLAK_WERROR
# is on (the presets turn it on, and so CI).
option(VORLAK_WERROR "Treat compiler warnings as errors" OFF)

add_library(vorlak_warnings INTERFACE)
target_compile_options(vorlak_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
  $<$<BOOL:${VORLAK_WERROR}>:-Werror>)

# GCC 12 at -O2 and above (and in the link-time optimiser) reports
# std::string's own inlined copies as overlapping or overflowing when a
# string is built by prepending to a temporary ("x" + std::to_string(n)):
# GCC bugs 105329 and 105651, gone in GCC 13.  Those two reports are left
# out for GCC 12 alone, in optimised builds only, at compile and link
# time, so that the release preset builds silently; every other compiler and
# the debug builds keep them (and clang-tidy, which reads the dev build's
# flags, never meets options it does not know).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  set(gcc12falsepositives $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-Wno-restrict$<SEMICOLON>-Wno-stringop-overflow>)
  target_compile_options(vorlak_warnings INTERFACE ${gcc12falsepositives})
  target_link_options(vorlak_warnings INTERFACE ${gcc12falsepositives})
endif()
