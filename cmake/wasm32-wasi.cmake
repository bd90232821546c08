# Compiles for WebAssembly with the WASI system interface (wasm32-wasi), with
# clang 14 and Debian's wasi-libc and wasm32 libc++: their headers and
# libraries lie under /usr/include/wasm32-wasi and /usr/lib/wasm32-wasi,
# which clang finds with /usr as its sysroot.  The playground's module is
# built with this file; nothing else is.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)

if(NOT CMAKE_CXX_COMPILER)
  find_program(CMAKE_CXX_COMPILER NAMES clang++-14 clang++ REQUIRED)
endif()
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(VORLAK_WASI_SYSROOT /usr CACHE PATH "The root under which include/wasm32-wasi and lib/wasm32-wasi lie")
set(CMAKE_SYSROOT ${VORLAK_WASI_SYSROOT})

# wasm32 in clang 14 has no exceptions; libc++ is linked by name, as the
# driver would otherwise ask for a C++ library it does not know here.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-nostdlib++")
set(CMAKE_EXECUTABLE_SUFFIX_CXX .wasm)
# The compiler check links no program: a module has no main.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
