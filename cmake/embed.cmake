# What the scripts that write a file into a source or a page share: their
# arguments, a file's bytes as array elements or base64, the
# Content-Security-Policy hash of a file, the test that a text can go
# verbatim into an element, and writing the result whole.  Each script that
# includes this is a template of its own output:
#   engine/embedsources.cmake   the reference program's sources
#   formats/embedclass.cmake    the class page's style sheet and script
#   formats/web/embed.cmake     the HTML viewer and its loader
#   playground/page.cmake       the playground's page

# vorlak_require(SCRIPT VAR...): stops when one of the variables that
# SCRIPT is run with (cmake -DVAR=... -P SCRIPT) is not set.
function(vorlak_require script)
  foreach(var IN LISTS ARGN)
    if(NOT DEFINED ${var})
      message(FATAL_ERROR "${script}: ${var} is not set")
    endif()
  endforeach()
endfunction()

# vorlak_bytes(FILE OUT BEFORE AFTER PERLINE NEWLINE): the bytes of FILE as
# array elements, each its two hex digits between BEFORE and AFTER, with
# NEWLINE after every full line of PERLINE elements.
function(vorlak_bytes file out before after perline newline)
  file(READ "${file}" hex HEX)
  # CMake's regular expressions have no {n}: a line's digits, spelt out.
  # The lines are marked with | first, which is no hex digit.
  string(REPEAT "[0-9a-f][0-9a-f]" ${perline} line)
  string(REGEX REPLACE "(${line})" "\\1|" hex "${hex}")
  # A backslash in a replacement would escape what follows it.
  string(REPLACE "\\" "\\\\" before "${before}")
  string(REPLACE "\\" "\\\\" after "${after}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "${before}\\1${after}" hex "${hex}")
  string(REPLACE "|" "${newline}" hex "${hex}")
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()

# vorlak_base64hex(HEX OUT): the bytes written in HEX, in base64, padded,
# on one line.  A loop per byte would take minutes for a file of some
# hundred KB, so the whole text is rewritten a few times instead: the hex
# digits become bits (written as . and :, which are neither hex nor base64
# digits), the bits are cut into groups of six, each ended by a ';', and
# each of the 64 groups becomes its digit.  A group and its ';' are matched
# together, so no digit already written can take part in a match.
function(vorlak_base64hex hex out)
  set(digits "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
  string(LENGTH "${hex}" hexlength)
  math(EXPR size "${hexlength} / 2")
  set(quads 0000 0001 0010 0011 0100 0101 0110 0111 1000 1001 1010 1011 1100 1101 1110 1111)
  set(value 0)
  foreach(digit 0 1 2 3 4 5 6 7 8 9 a b c d e f)
    list(GET quads ${value} quad)
    string(REPLACE "0" "." quad "${quad}")
    string(REPLACE "1" ":" quad "${quad}")
    string(REPLACE "${digit}" "${quad}" hex "${hex}")
    math(EXPR value "${value} + 1")
  endforeach()
  # The last group is filled up with zero bits; the padding says how many
  # bytes it lacks.
  math(EXPR rest "${size} % 3")
  set(pad "")
  if(rest EQUAL 1)
    string(APPEND hex "....")
    set(pad "==")
  elseif(rest EQUAL 2)
    string(APPEND hex "..")
    set(pad "=")
  endif()
  string(REGEX REPLACE "([.:][.:][.:][.:][.:][.:])" "\\1;" hex "${hex}")
  foreach(d RANGE 63)
    set(group "")
    foreach(bit 5 4 3 2 1 0)
      math(EXPR bitvalue "(${d} >> ${bit}) & 1")
      if(bitvalue EQUAL 1)
        string(APPEND group ":")
      else()
        string(APPEND group ".")
      endif()
    endforeach()
    string(SUBSTRING "${digits}" ${d} 1 c)
    string(REPLACE "${group};" "${c}" hex "${hex}")
  endforeach()
  set(${out} "${hex}${pad}" PARENT_SCOPE)
endfunction()

# vorlak_base64(FILE OUT): the bytes of FILE in base64, for a page that
# holds them inline.
function(vorlak_base64 file out)
  file(READ "${file}" hex HEX)
  vorlak_base64hex("${hex}" b64)
  set(${out} "${b64}" PARENT_SCOPE)
endfunction()

# vorlak_csphash(FILE OUT): how a Content-Security-Policy names FILE as a
# script or style: the base64 of its SHA-256 (CMake gives hex).
function(vorlak_csphash file out)
  file(SHA256 "${file}" hex)
  vorlak_base64hex("${hex}" b64)
  set(${out} "sha256-${b64}" PARENT_SCOPE)
endfunction()

# vorlak_inlinable(TEXT WHAT BAD...): stops when TEXT, which goes verbatim
# into an element, holds one of the strings BAD (in any case) that would end
# that element or open a nested one.  WHAT names it in the message.
function(vorlak_inlinable text what)
  string(TOLOWER "${text}" lower)
  foreach(bad IN LISTS ARGN)
    string(FIND "${lower}" "${bad}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "${what} holds \"${bad}\" and cannot be inlined")
    endif()
  endforeach()
endfunction()

# vorlak_write(FILE TEXT...): FILE holds the TEXTs one after the other,
# replaced whole through a temporary file beside it, and only when it held
# something else, so that an unchanged source compiles nothing again.
function(vorlak_write file)
  # One by one: a text's own semicolons would split ARGN.
  set(text "")
  math(EXPR last "${ARGC} - 1")
  foreach(i RANGE 1 ${last})
    string(APPEND text "${ARGV${i}}")
  endforeach()
  if(EXISTS "${file}")
    file(READ "${file}" old)
    string(COMPARE EQUAL "${old}" "${text}" same)
    if(same)
      return()
    endif()
  endif()
  file(WRITE "${file}.tmp" "${text}")
  file(RENAME "${file}.tmp" "${file}")
endfunction()
