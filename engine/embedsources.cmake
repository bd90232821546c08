# Writes OUTPUT, a C++ file holding the files FILES (paths relative to ROOT,
# separated by semicolons) as byte arrays, for engine/sources.hpp.
set(body "")
set(table "")
set(i 0)
foreach(path IN LISTS FILES)
  file(READ "${ROOT}/${path}" bytes HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
  # CMake's regular expressions have no {n}: sixteen bytes a line, spelt out.
  string(REPEAT "'[^']*'," 16 sixteen)
  string(REGEX REPLACE "(${sixteen})" "\\1\n    " bytes "${bytes}")
  string(APPEND body "constexpr char file${i}[] = {\n    ${bytes}'\\0'};\n\n")
  string(APPEND table "    {\"${path}\", {file${i}, sizeof file${i} - 1}},\n")
  math(EXPR i "${i} + 1")
endforeach()
file(WRITE "${OUTPUT}.new" "// Made by engine/embedsources.cmake from the reference program's sources.\n"
  "#include \"engine/sources.hpp\"\n\nnamespace vorlak::engine {\n\nnamespace {\n\n${body}"
  "constexpr sourcefile files[] = {\n${table}};\n\n}  // namespace\n\n"
  "std::span<const sourcefile> referencesources() { return files; }\n\n}  // namespace vorlak::engine\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
