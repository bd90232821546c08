# What embed.cmake and the class page's embedding share: the
# Content-Security-Policy hash of a file and its bytes as a C++ array.

# CSP names a script by the base64 of its SHA-256; CMake gives hex.
function(csphash file out)
  file(SHA256 "${file}" hex)
  set(digits "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
  set(b64 "")
  set(bits 0)
  set(nbits 0)
  string(LENGTH "${hex}" n)
  set(i 0)
  while(i LESS n)
    string(SUBSTRING "${hex}" ${i} 2 byte)
    math(EXPR bits "(${bits} << 8) | 0x${byte}")
    math(EXPR nbits "${nbits} + 8")
    while(nbits GREATER_EQUAL 6)
      math(EXPR nbits "${nbits} - 6")
      math(EXPR d "(${bits} >> ${nbits}) & 63")
      string(SUBSTRING "${digits}" ${d} 1 c)
      string(APPEND b64 "${c}")
    endwhile()
    math(EXPR bits "${bits} & ((1 << ${nbits}) - 1)")
    math(EXPR i "${i} + 2")
  endwhile()
  # 32 bytes leave 2 bits: one more digit and one pad.
  if(nbits GREATER 0)
    math(EXPR d "(${bits} << (6 - ${nbits})) & 63")
    string(SUBSTRING "${digits}" ${d} 1 c)
    string(APPEND b64 "${c}=")
  endif()
  set(${out} "sha256-${b64}" PARENT_SCOPE)
endfunction()

# One array element per byte, 24 to a line.
function(bytearray file out)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(REPEAT "0x[0-9a-f][0-9a-f]," 24 line)  # CMake regexes have no {24}
  string(REGEX REPLACE "(${line})" "\\1\n" hex "${hex}")
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()
