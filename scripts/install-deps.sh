#!/usr/bin/env bash
# Installs what vorlak's build and tests need and this machine lacks: the
# project's one list of Debian packages, then the npm packages of the HTML
# viewer and of the tests.
# vorlak itself needs only a C++20 compiler, CMake and Ninja; everything else
# here is for vorlak-report, the tests, the benchmarks, the package and the
# checks that CI runs.  Installs only what is missing, and says what.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each package with what shows that it is there: a command on the PATH, a
# file, or by default the Debian package itself.  Commands are asked for
# where they may come from elsewhere (node and npm often do).
packages=(
    # the build
    "cmake command cmake"
    "ninja-build command ninja"
    "g++ command g++"
    "clang command clang++"
    "libclang-rt-14-dev"              # libFuzzer and the sanitizers for clang
    # the tests and the benchmarks
    "libgtest-dev file /usr/include/gtest/gtest.h"
    "libbenchmark-dev file /usr/include/benchmark/benchmark.h"
    "python3 command python3"         # reads vorlak-report's csv back
    "python3-yaml"                    # reads the GitHub Classroom workflow
    # vorlak-report
    "nlohmann-json3-dev file /usr/include/nlohmann/json.hpp"
    # the json validator, the HTML viewer and the pages in a browser
    "nodejs command node"
    "npm command npm"
    "chromium command chromium"
    # the playground: clang 14 for wasm32-wasi, its linker, C and C++ libraries
    "clang-14 command clang++-14"
    "lld-14 command wasm-ld-14"
    "wasi-libc file /usr/lib/wasm32-wasi/libc.a"
    "libc++-14-dev-wasm32"
    "libc++abi-14-dev-wasm32"
    "libclang-rt-14-dev-wasm32"
    # the checks of the code
    "clang-format command clang-format"
    "clang-tidy command clang-tidy"
    # the package: CPack finds the programs with file and their dependencies
    # with dpkg-shlibdeps; lintian judges it, man -w finds its pages
    "dpkg-dev command dpkg-shlibdeps"
    "file command file"
    "lintian command lintian"
    "man-db command man"
)

# The npm packages, each folder with its package-lock.json: the viewer that
# -f html embeds, the browser tests' playwright-core and the schema check.
npmfolders=(formats/web tests/browser tests/validate)

present() {
    local name=$1 kind=${2:-package} what=${3:-}
    case $kind in
    command) command -v "$what" >/dev/null 2>&1 ;;
    file) [ -e "$what" ] ;;
    *) [ "$(dpkg-query -W -f='${db:Status-Status}' "$name" 2>/dev/null)" = installed ] ;;
    esac
}

missing=()
for entry in "${packages[@]}"; do
    # shellcheck disable=SC2086  # the entry is split into its words on purpose
    set -- $entry
    present "$@" || missing+=("$1")
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: every Debian package is installed"
else
    if ! command -v apt-get >/dev/null 2>&1; then
        echo "install-deps: this system has no apt-get; install these Debian packages or their" >&2
        echo "equivalents by hand, then run this script again: ${missing[*]}" >&2
        exit 1
    fi
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "install-deps: not root and no sudo; as root, run: apt-get install ${missing[*]}" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    echo "install-deps: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" apt-get install -y -q "${missing[@]}"
fi

# npm ci replaces node_modules whole, so it runs only where npm finds the
# installed tree out of step with package.json.
for folder in "${npmfolders[@]}"; do
    if npm ls --prefix "$folder" --all >/dev/null 2>&1; then
        echo "install-deps: $folder/node_modules is up to date"
    else
        echo "install-deps: npm ci --prefix $folder"
        npm ci --prefix "$folder" --no-audit --no-fund
    fi
done
