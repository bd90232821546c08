# Writes OUTPUT, a C++ file holding the files FILES (paths relative to ROOT,
# separated by semicolons) as byte arrays, for engine/sources.hpp.
#   cmake -DROOT=... -DFILES=... -DOUTPUT=... -P embedsources.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/embed.cmake)
vorlak_require(embedsources.cmake ROOT FILES OUTPUT)

set(body "")
set(table "")
set(i 0)
foreach(path IN LISTS FILES)
  vorlak_bytes("${ROOT}/${path}" bytes "'\\x" "'," 16 "\n    ")
  string(APPEND body "constexpr char file${i}[] = {\n    ${bytes}'\\0'};\n\n")
  string(APPEND table "    {\"${path}\", {file${i}, sizeof file${i} - 1}},\n")
  math(EXPR i "${i} + 1")
endforeach()
vorlak_write("${OUTPUT}" "// Made by engine/embedsources.cmake from the program as a student is handed it.\n"
  "#include \"engine/sources.hpp\"\n\nnamespace vorlak::engine {\n\nnamespace {\n\n${body}"
  "constexpr sourcefile files[] = {\n${table}};\n\n}  // namespace\n\n"
  "std::span<const sourcefile> referencesources() { return files; }\n\n}  // namespace vorlak::engine\n")
