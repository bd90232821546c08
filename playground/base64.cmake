# A binary file as base64 text, for a page that holds it inline.

set(vorlak_base64digits "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")

# vorlak_base64(FILE OUT): the bytes of FILE in base64, padded, on one line.
# A loop per byte would take minutes for a file of some hundred KB, so the
# whole text is rewritten a few times instead: the hex digits become bits
# (written as . and :, which are neither hex nor base64 digits), the bits
# are cut into groups of six, each ended by a ';', and each of the 64 groups
# becomes its digit.  A group and its ';' are matched together, so no digit
# already written can take part in a match.
function(vorlak_base64 file out)
  file(READ "${file}" hex HEX)
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
    string(SUBSTRING "${vorlak_base64digits}" ${d} 1 c)
    string(REPLACE "${group};" "${c}" hex "${hex}")
  endforeach()
  set(${out} "${hex}${pad}" PARENT_SCOPE)
endfunction()
