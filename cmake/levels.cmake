# The hint levels, from the score to a line that kills: read from the one
# list of them, engine::hintnames in engine/explain.hpp, so that the build,
# the playground's modules and its page name the levels as the command line
# does, in the same order.  Included by the build and by scripts (-P).
set(vorlak_levels_source ${CMAKE_CURRENT_LIST_DIR}/../engine/explain.hpp)
file(READ ${vorlak_levels_source} vorlak_levels_text)
string(REGEX MATCH "hintnames = {([^}]*)}" vorlak_levels_found "${vorlak_levels_text}")
if(NOT vorlak_levels_found)
  message(FATAL_ERROR "levels.cmake: no hintnames in ${vorlak_levels_source}")
endif()
string(REGEX MATCHALL "\"[a-z]+\"" VORLAK_LEVELS "${CMAKE_MATCH_1}")
string(REPLACE "\"" "" VORLAK_LEVELS "${VORLAK_LEVELS}")
list(LENGTH VORLAK_LEVELS vorlak_levels_count)
if(vorlak_levels_count LESS 2)
  message(FATAL_ERROR "levels.cmake: hintnames in ${vorlak_levels_source} lists ${VORLAK_LEVELS}")
endif()
if(NOT CMAKE_SCRIPT_MODE_FILE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${vorlak_levels_source})
endif()
