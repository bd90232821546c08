# The warning set of every target of the project, native and WebAssembly
# alike: each links vorlak_warnings, which warns as errors when VORLAK_WERROR
# is on (the presets turn it on, and so CI).
option(VORLAK_WERROR "Treat compiler warnings as errors" OFF)

add_library(vorlak_warnings INTERFACE)
target_compile_options(vorlak_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
  $<$<BOOL:${VORLAK_WERROR}>:-Werror>)
