// Runs a fuzz target over the files of its corpus, without libFuzzer, so that
// the corpus is replayed as an ordinary test in every build.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "fuzz/target.hpp"

namespace fs = std::filesystem;

namespace {

// The files to replay: those named, and the regular files of the
// directories named, in name order so that every run goes the same way.
bool collect(const char* arg, std::vector<fs::path>& inputs) {
    std::error_code ec;
    const fs::path path(arg);
    if (fs::is_regular_file(path, ec)) {
        inputs.push_back(path);
        return true;
    }
    if (!fs::is_directory(path, ec)) {
        std::fprintf(stderr, "replay: %s: no such file or directory\n", arg);
        return false;
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(path, ec)) {
        if (entry.is_regular_file(ec))
            files.push_back(entry.path());
    }
    if (ec) {
        std::fprintf(stderr, "replay: %s: %s\n", arg, ec.message().c_str());
        return false;
    }
    std::sort(files.begin(), files.end());
    inputs.insert(inputs.end(), files.begin(), files.end());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: replay corpus...\n", stderr);
        return 1;
    }
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; i++) {
        if (!collect(argv[i], inputs))
            return 1;
    }
    // An empty corpus would pass without testing anything.
    if (inputs.empty()) {
        std::fputs("replay: no inputs\n", stderr);
        return 1;
    }
    for (const auto& input : inputs) {
        std::ifstream file(input, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (file.bad()) {
            std::fprintf(stderr, "replay: %s: read error\n", input.c_str());
            return 1;
        }
        // Named first, so that a failure shows which input it was.
        std::fprintf(stderr, "%s\n", input.c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
