# Writes OUTPUT, the date program as a student is handed it, from PROGRAM,
# dates/program.hpp: the program without what vorlak alone needs, and with
# the reference's values in place.
#   cmake -DPROGRAM=.../dates/program.hpp -DOUTPUT=.../program.cpp -P handout.cmake
#
# program.hpp marks what vorlak alone needs, and what only the handed program
# says (its head comment tells how); each stage that a mutant alters is a
# template over records of values whose defaults are the reference's.  So one
# rule writes the handed program: the marked lines go, each record gives its
# values in place of their uses, and each template is its one instance.  The
# output must hold none of the template machinery, so a change to program.hpp
# that the rule does not cover stops the build here instead of handing out a
# wrong program.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/embed.cmake)
vorlak_require(handout.cmake PROGRAM OUTPUT)

file(READ "${PROGRAM}" text)

# Lines as a list: a list item ends at a semicolon, and square brackets
# would hold items together, so they stand in words until the end.
string(REPLACE ";" "<semicolon>" text "${text}")
string(REPLACE "[" "<open>" text "${text}")
string(REPLACE "]" "<close>" text "${text}")

# handout_values(RECORD PREFIX): the values of one record, as the program's
# defaults give them, in place of their uses PREFIX.name, and each table a
# constant of its own where the record stood, with the comment above it in the
# record, named tablename_NAME where the table needs another name than the
# record gives it.
function(handout_values record prefix)
  string(FIND "${text}" "struct ${record} {\n" from)
  if(from EQUAL -1)
    message(FATAL_ERROR "handout.cmake: program.hpp holds no record ${record}")
  endif()
  string(SUBSTRING "${text}" ${from} -1 rest)
  string(FIND "${rest}" "\n}<semicolon>\n" to)
  math(EXPR to "${to} + 14")
  string(SUBSTRING "${rest}" 0 ${to} body)
  string(REGEX MATCHALL "[^\n]*\n" lines "${body}")
  set(tables "")
  set(comment "")
  set(result "${text}")
  foreach(line IN LISTS lines)
    if(line MATCHES "^ +(// .*\n)$")
      string(APPEND comment "${CMAKE_MATCH_1}")
      continue()
    endif()
    if(line MATCHES "^ +(int|bool) ([a-z]+) = ([-0-9a-z]+)<semicolon>")
      set(name ${CMAKE_MATCH_2})
      set(value ${CMAKE_MATCH_3})
    elseif(line MATCHES "^ +(std::array<int, 12>) ([a-z]+) = (\\{[0-9, ]+\\})<semicolon>")
      set(name ${CMAKE_MATCH_2})
      set(value ${CMAKE_MATCH_2})
      if(DEFINED tablename_${name})
        set(value ${tablename_${name}})
      endif()
      string(APPEND tables "${comment}constexpr ${CMAKE_MATCH_1} ${value} = ${CMAKE_MATCH_3}<semicolon>\n")
    else()
      continue()
    endif()
    string(REGEX REPLACE "${prefix}\\.${name}([^a-z])" "${value}\\1" result "${result}")
    set(comment "")
  endforeach()
  string(REPLACE "${body}" "${tables}" result "${result}")
  set(text "${result}" PARENT_SCOPE)
endfunction()

# --- what vorlak alone needs -----------------------------------------------------

# A constant of vorlak's own stands for its value in the program.
string(REGEX MATCHALL "\ninline constexpr int [a-z]+ = [0-9]+<semicolon>  //!\n" constants "${text}")
foreach(constant IN LISTS constants)
  string(REGEX MATCH "int ([a-z]+) = ([0-9]+)" _ "${constant}")
  string(REGEX REPLACE "([^a-z])${CMAKE_MATCH_1}([^a-z])" "\\1${CMAKE_MATCH_2}\\2" text "${text}")
endforeach()

# The marked lines, line by line: "//!" anywhere in a line marks it vorlak's,
# "//!{" to "//!}" a run of such lines, and "//>" at a line's start the
# handed program's.  The lines within a block that a marked line opens lose
# one indent.
string(REGEX MATCHALL "[^\n]*\n" lines "${text}")
set(text "")
set(inblock FALSE)
set(opened "")
foreach(line IN LISTS lines)
  if(inblock)
    if(line MATCHES "^ *//!}")
      set(inblock FALSE)
    endif()
  elseif(line MATCHES "^ *//!{")
    set(inblock TRUE)
  elseif(line MATCHES "^( *)[^ /][^\n]*{  //!")
    set(opened "${CMAKE_MATCH_1}")
  elseif(NOT opened STREQUAL "" AND line MATCHES "^${opened}}  //!")
    set(opened "")
  elseif(line MATCHES "//!")
  elseif(line MATCHES "^( *)//> ?(.*)$")
    string(APPEND text "${CMAKE_MATCH_1}${CMAKE_MATCH_2}")
  elseif(NOT opened STREQUAL "" AND line MATCHES "^${opened}    (.*)$")
    string(APPEND text "${opened}${CMAKE_MATCH_1}")
  else()
    string(APPEND text "${line}")
  endif()
endforeach()
if(inblock)
  message(FATAL_ERROR "handout.cmake: a block of program.hpp that opens with //!{ does not close")
endif()

# The line buffer and the two dates are the program's own, one set of them:
# the program runs on one thread.
string(REGEX REPLACE "\nextern thread_local constinit " "\n" text "${text}")

# --- the values and the templates ------------------------------------------------

set(tablename_daysbefore daysbeforemonth)
handout_values(syntaxscan S)
handout_values(datebounds B)
handout_values(dayterms T)
handout_values(leapyears L)
# A term that the program always adds is no longer a choice.
string(REGEX REPLACE "if \\(true\\)\n +" "" text "${text}")
# Each template is called with its one instance.
string(REGEX REPLACE "([a-z]+)<[A-Z][A-Za-z, ]*>\\(" "\\1(" text "${text}")
# The handed program is one file, which defines what it declares.
string(REPLACE "inline " "" text "${text}")
string(REGEX REPLACE "(^|\n)extern " "\\1" text "${text}")
# What went leaves blank lines behind.
string(REGEX REPLACE "\n\n\n+" "\n\n" text "${text}")
string(REGEX REPLACE "\n\n$" "\n" text "${text}")

string(REPLACE "<semicolon>" ";" text "${text}")
string(REPLACE "<open>" "[" text "${text}")
string(REPLACE "<close>" "]" text "${text}")

# Nothing of the records, the templates or the mutants is left.
foreach(word "template" "struct syntaxscan" "struct datebounds" "struct dayterms" "struct leapyears" "S\\." "B\\." "T\\." "L\\."
    "Leap" "hasleaprule" "mutant" "vorlak" "Watch" "if constexpr" "//!" "//>" "<open>" "<close>")
  if(text MATCHES "${word}")
    message(FATAL_ERROR "handout.cmake: the handed program still holds '${word}'")
  endif()
endforeach()

vorlak_write("${OUTPUT}" "${text}")
