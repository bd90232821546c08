# Writes OUTPUT, a C++ file holding FILE (a path relative to ROOT, the
# handed program) as a byte array, for engine/sources.hpp.
#   cmake -DROOT=... -DFILE=... -DOUTPUT=... -P embedsources.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/embed.cmake)
vorlak_require(embedsources.cmake ROOT FILE OUTPUT)

vorlak_bytes("${ROOT}/${FILE}" bytes "'\\x" "'," 16 "\n    ")
vorlak_write("${OUTPUT}" "// Made by engine/embedsources.cmake from the program as a student is handed it.\n"
  "#include \"engine/sources.hpp\"\n\nnamespace vorlak::engine {\n\nnamespace {\n\n"
  "constexpr char handed[] = {\n    ${bytes}'\\0'};\n\n}  // namespace\n\n"
  "std::string_view handedsource() { return {handed, sizeof handed - 1}; }\n\n}  // namespace vorlak::engine\n")
