# Writes the playground's page: page.html with its style, its script, the
# worker's script and the module (as base64) inlined, under a policy that
# lets run only that script, by its hash, and the module it compiles.
#   cmake -DSOURCE=playground-dir -DMODULE=file.wasm -DOUT=page.html -P page.cmake
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/../cmake/embed.cmake)
vorlak_require(page.cmake SOURCE MODULE OUT)

file(READ ${SOURCE}/page.html page)
file(READ ${SOURCE}/page.css style)
file(READ ${SOURCE}/page.js script)
file(READ ${SOURCE}/worker.js workerscript)

# The texts go verbatim into their elements: none may end one or open a
# nested one.
foreach(part style script workerscript)
  vorlak_inlinable("${${part}}" "page.cmake: the ${part}" "</script" "<script" "</style" "<!--")
endforeach()

vorlak_csphash(${SOURCE}/page.js scripthash)
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
