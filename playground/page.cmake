# Writes the playground's page: page.html with its style, its script (page.js,
# steps.js and graded.js, in that order), the worker's script and the module
# (as base64) inlined, under a policy that lets run only that script, by its
# hash, and the module it compiles.  What belongs to a hint level above LEVEL
# is left out of the page, its script and the worker's script: in page.html
# what stands between <!--level--> and <!--/level-->, in the scripts what
# stands between /*level*/ and /*/level*/, for each of the levels state,
# concept, condition, mutant and answer; of the levels up to LEVEL only the
# marks go.
#   cmake -DSOURCE=playground-dir -DMODULE=file.wasm -DLEVEL=score|...|answer -DOUT=page.html -P page.cmake
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/../cmake/embed.cmake)
vorlak_require(page.cmake SOURCE MODULE LEVEL OUT)

file(READ ${SOURCE}/page.html page)
file(READ ${SOURCE}/page.css style)
# The page's script is page.js, then steps.js and graded.js, joined.
set(script "")
foreach(part page steps graded)
  file(READ ${SOURCE}/${part}.js text)
  string(APPEND script "${text}")
endforeach()
file(READ ${SOURCE}/worker.js workerscript)

# Drops each stretch from open to close, the marks included, or (keep) only
# the marks; a mark without its partner stops the build.
function(marked var open close keep)
  set(text "${${var}}")
  set(out "")
  while(TRUE)
    string(FIND "${text}" "${open}" at)
    if(at EQUAL -1)
      break()
    endif()
    string(SUBSTRING "${text}" 0 ${at} before)
    string(LENGTH "${open}" n)
    math(EXPR inside "${at} + ${n}")
    string(SUBSTRING "${text}" ${inside} -1 text)
    string(FIND "${text}" "${close}" end)
    if(end EQUAL -1)
      message(FATAL_ERROR "page.cmake: ${open} without ${close}")
    endif()
    string(SUBSTRING "${text}" 0 ${end} kept)
    string(LENGTH "${close}" n)
    math(EXPR after "${end} + ${n}")
    string(SUBSTRING "${text}" ${after} -1 text)
    string(APPEND out "${before}")
    if(keep)
      string(APPEND out "${kept}")
    endif()
  endwhile()
  string(FIND "${text}" "${close}" stray)
  if(NOT stray EQUAL -1)
    message(FATAL_ERROR "page.cmake: ${close} without ${open}")
  endif()
  set(${var} "${out}${text}" PARENT_SCOPE)
endfunction()
# From the highest level down, so that a level's stretch may hold a higher one's.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/levels.cmake)
set(levels ${VORLAK_LEVELS})
list(REVERSE levels)
list(LENGTH levels levels_last)
math(EXPR levels_last "${levels_last} - 1")
list(FIND levels ${LEVEL} capat)
if(capat EQUAL -1)
  message(FATAL_ERROR "page.cmake: no hint level ${LEVEL}")
endif()
foreach(level IN LISTS levels)
  list(FIND levels ${level} at)
  if(at EQUAL levels_last)
    break()
  endif()
  if(at LESS capat)
    set(keep OFF)
  else()
    set(keep ON)
  endif()
  marked(page "<!--${level}-->" "<!--/${level}-->" ${keep})
  marked(script "/*${level}*/" "/*/${level}*/" ${keep})
  marked(workerscript "/*${level}*/" "/*/${level}*/" ${keep})
endforeach()

# The texts go verbatim into their elements: none may end one or open a
# nested one.
foreach(part style script workerscript)
  vorlak_inlinable("${${part}}" "page.cmake: the ${part}" "</script" "<script" "</style" "<!--")
endforeach()

# The script's hash is that of its text as it goes into the page.
string(SHA256 hex "${script}")
vorlak_base64hex("${hex}" scripthash)
set(scripthash "sha256-${scripthash}")
vorlak_csphash(${SOURCE}/page.css stylehash)
vorlak_base64(${MODULE} module)

# The worker runs from a blob: address made of its text, with this policy;
# compiling the module needs 'wasm-unsafe-eval' and nothing else of eval.
set(policy "default-src 'none'; script-src '${scripthash}' 'wasm-unsafe-eval'; worker-src blob:; ")
string(APPEND policy "style-src '${stylehash}'; base-uri 'none'; form-action 'none'")

# Each placeholder is replaced once, from the last to the first: the first
# one found is then always the template's own, before everything inlined.
foreach(pair "@SCRIPT@|script" "@MODULE@|module" "@WORKER@|workerscript" "@STYLE@|style" "@POLICY@|policy")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 placeholder)
  list(GET pair 1 var)
  string(FIND "${page}" "${placeholder}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "page.cmake: page.html has no ${placeholder}")
  endif()
  string(SUBSTRING "${page}" 0 ${at} before)
  string(LENGTH "${placeholder}" n)
  math(EXPR after "${at} + ${n}")
  string(SUBSTRING "${page}" ${after} -1 rest)
  set(page "${before}${${var}}${rest}")
endforeach()

vorlak_write(${OUT} "${page}")
