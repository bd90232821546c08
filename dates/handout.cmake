# Writes OUTPUT, the date program as a student is handed it, from PROGRAM,
# dates/program.hpp: ordinary code with the reference's values in place.
#   cmake -DPROGRAM=.../dates/program.hpp -DOUTPUT=.../program.cpp -P handout.cmake
#
# program.hpp writes each stage that a mutant alters as a template over the
# values that mutants change, with the reference's values as the defaults of
# three records.  Handed to a student, those records would list what the
# mutants alter; so the records go, each use of a value becomes the value,
# each template its one reference instance, and the comments that speak of
# mutants or of vorlak go or are said again for the program alone.  Every
# rewrite below must find what it rewrites, and the output must hold none of
# the template machinery, so a change to program.hpp that these rules do not
# cover stops the build here instead of handing out a wrong program.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/embed.cmake)
vorlak_require(handout.cmake PROGRAM OUTPUT)

file(READ "${PROGRAM}" text)

# handout_replace(FROM TO): every FROM in the text becomes TO; there must be one.
function(handout_replace from to)
  string(FIND "${text}" "${from}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "handout.cmake: program.hpp no longer holds '${from}'")
  endif()
  string(REPLACE "${from}" "${to}" text "${text}")
  set(text "${text}" PARENT_SCOPE)
endfunction()

# handout_regex(REGEX TO): as handout_replace, for a regular expression.
function(handout_regex regex to)
  if(NOT text MATCHES "${regex}")
    message(FATAL_ERROR "handout.cmake: program.hpp no longer matches '${regex}'")
  endif()
  string(REGEX REPLACE "${regex}" "${to}" text "${text}")
  set(text "${text}" PARENT_SCOPE)
endfunction()

# handout_block(BEGIN END OUT): the first text from BEGIN up to and with the
# first END after it.
function(handout_block begin end out)
  string(FIND "${text}" "${begin}" from)
  if(from EQUAL -1)
    message(FATAL_ERROR "handout.cmake: program.hpp no longer holds '${begin}'")
  endif()
  string(SUBSTRING "${text}" ${from} -1 rest)
  string(FIND "${rest}" "${end}" to)
  if(to EQUAL -1)
    message(FATAL_ERROR "handout.cmake: no '${end}' after '${begin}' in program.hpp")
  endif()
  string(LENGTH "${end}" length)
  math(EXPR to "${to} + ${length}")
  string(SUBSTRING "${rest}" 0 ${to} block)
  set(${out} "${block}" PARENT_SCOPE)
endfunction()

# handout_values(RECORD PREFIX): the values of one record, as the program's
# defaults give them, in place of their uses PREFIX.name, and each table a
# constant of its own where the record stood, named tablename_NAME where the
# table needs another name than the record gives it.
function(handout_values record prefix)
  handout_block("struct ${record} {" "\n};" body)
  set(tables "")
  set(values "")
  # A list item ends at a semicolon, a line of code with one.
  string(REPLACE ";" "<semicolon>" lines "${body}")
  string(REGEX MATCHALL "[^\n]*\n" lines "${lines}")
  set(comment "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^ +// (.*)\n$")
      string(REPLACE "<semicolon>" ";" said "${CMAKE_MATCH_1}")
      string(APPEND comment "// ${said}\n")
    elseif(line MATCHES "^ +(int|bool) ([a-z]+) = ([-0-9a-z]+)<semicolon>")
      set(values "${values}${CMAKE_MATCH_2}=${CMAKE_MATCH_3}|")
      set(comment "")
    elseif(line MATCHES "^ +(std::array<int, 12>) ([a-z]+) = (\\{[0-9, ]+\\})<semicolon>")
      set(name ${CMAKE_MATCH_2})
      if(DEFINED tablename_${name})
        set(name ${tablename_${name}})
      endif()
      string(APPEND tables "${comment}constexpr ${CMAKE_MATCH_1} ${name} = ${CMAKE_MATCH_3};\n")
      set(values "${values}${CMAKE_MATCH_2}=${name}|")
      set(comment "")
    endif()
  endforeach()
  # Each value in place of its use.
  set(result "${text}")
  string(REGEX MATCHALL "[^|]+" pairs "${values}")
  foreach(pair IN LISTS pairs)
    string(REGEX MATCH "^([a-z]+)=(.*)$" _ "${pair}")
    string(REGEX REPLACE "${prefix}\\.${CMAKE_MATCH_1}([^a-z])" "${CMAKE_MATCH_2}\\1" result "${result}")
  endforeach()
  string(REPLACE "${body}" "${tables}" result "${result}")
  set(text "${result}" PARENT_SCOPE)
endfunction()

# --- the head of the file ------------------------------------------------------

# The file's comment speaks of templates and mutants; the program's own
# comment says what it is and does.
handout_block("// The date program under test" "#pragma once\n" head)
handout_replace("${head}" "// The date program.  It evaluates a test line that holds two dates: it
// answers with the days from the first date to the second, or with a
// negative code that says what is wrong with the line.  The parts stand in
// the order in which an evaluation runs them: the length test, the syntax
// check, the conversion of the two dates, the date check with its five
// tests and the leap-year rule, and the day count.  The caller puts the
// line in line and calls evaluate with its length.
")
handout_replace("#include <type_traits>\n" "")
handout_replace("namespace vorlak::dates {\n\n" "")
handout_replace("\n}  // namespace vorlak::dates\n" "")

# The line buffer and the two dates are the program's own, one set of them:
# the program runs on one thread.
handout_regex("\nextern thread_local constinit ([^\n]+)" "\n\\1")

# The evaluation calls the stages, which stand after it.
handout_block("// The stages, as the evaluation is handed them." "using resultrule = int (*)(int days);\n" stages)
handout_replace("${stages}" "// The stages, each defined below.
int checksyntax();
int convert();
int checkdate(int month, int day, int year);
int countdays(date first, date second);
")

# --- the values that mutants change ----------------------------------------------

# No column is skipped in the program: the test of one goes with the value.
handout_replace(" || column == S.skipped" "")
set(tablename_daysbefore daysbeforemonth)
handout_values(syntaxscan S)
handout_values(datebounds B)
handout_values(dayterms T)
# The records' comments went with them; what is left of each is its tables.
handout_replace("// The date check: the first of its five tests that holds names the error.\n" "")
handout_replace("the count is their difference.\n// The days of a common year"
  "the count is their difference.\n\n// The days of a common year")
# A term that the program always adds is no longer a choice.
handout_regex("if \\(true\\)\n +" "")

# --- the templates ---------------------------------------------------------------

# The stages each template is handed, by the names of its parameters.
handout_replace("Syntax()" "checksyntax()")
handout_replace("Convert()" "convert()")
handout_replace("Result(Count(" "dayresult(countdays(")
handout_replace("Check(" "checkdate(")
handout_replace("Field(" "strtoint(")
handout_replace("Years(" "yearterms(")
handout_regex("([^a-z])Leap\\(" "\\1leap(")
# The templates' heads, and their arguments where they are called.
handout_regex("template <[^\n]*>\n(int evaluate)" "\\1")
handout_regex("template <[^\n]*> (int|constexpr int|date) " "\\1 ")
handout_regex("template <dayterms[^\n]*>\nint countdays" "int countdays")
handout_regex("([a-z]+)<[A-Z][A-Za-z, ]*>\\(" "\\1(")

# Every stage has its leap-year rule in the program.
handout_block("// Whether a stage has a leap-year rule" ";\n\n" hasrule)
handout_replace("${hasrule}" "")
set(indent "    ")
foreach(each 1 2)
  handout_block("${indent}if constexpr (hasleaprule<Leap>) {\n" "\n${indent}}\n" rule)
  string(REPLACE "\n${indent}    " "\n${indent}" inner "${rule}")
  string(REPLACE "${indent}if constexpr (hasleaprule<Leap>) {\n" "" inner "${inner}")
  string(REPLACE "\n${indent}}\n" "\n" inner "${inner}")
  handout_replace("${rule}" "${inner}")
endforeach()

# Nobody watches the program's count.
handout_block("// Whoever watches an evaluation" "};\n\n" watch)
handout_replace("${watch}" "")
handout_replace("    Watch::daynumbers(from, to);\n" "")

# --- the words ---------------------------------------------------------------------

handout_replace("inline " "")
handout_replace(".  Only\n// a mutant of the syntax check lets a non-digit get here." ".")
handout_replace("// Test 4's entry for a month.  Test 1 lets only months with an entry through,
// unless a mutant widens it to month 0 or 13; such a month gets 31." "// Test 4's entry for a month, and 31 for a month that has none.")
handout_replace("// Only a mutant of the date check lets month 0 or 13 get here; no days come
// before such a month, and no table is read for it." "// The days before a month, and none before a month that has no entry.")
handout_replace("int leap(int year);\n\nint checkdate" "int leap(int year);

// The date check: the first of its five tests that holds names the error.
int checkdate")

# The records leave blank lines behind.
string(REGEX REPLACE "\n\n\n+" "\n\n" text "${text}")

# Nothing of the records, the templates or the mutants is left.
foreach(word "template" "struct syntaxscan" "struct datebounds" "struct dayterms" "S\\." "B\\." "T\\."
    "[^a-z]Leap" "hasleaprule" "mutant" "vorlak" "Watch" "if constexpr")
  if(text MATCHES "${word}")
    message(FATAL_ERROR "handout.cmake: the handed program still holds '${word}'")
  endif()
endforeach()

vorlak_write("${OUTPUT}" "${text}")
