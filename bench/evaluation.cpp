// The cost of one evaluation: the reference and a sample of mutants, one
// from each altered stage and the wiring variants, on the kinds of line that
// a test file holds.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <string_view>

#include "dates/dates.hpp"
#include "mutants/mutants.hpp"
#include "mutants/wiring.hpp"

namespace vorlak::bench {
namespace {

struct sampleline {
    const char* name;
    std::string_view text;
};

constexpr sampleline samples[] = {
    {"valid", "03/14/2001 03/27/2001\n"},
    {"reversed", "07/20/1987 07/02/1987\n"},
    {"leapday", "02/29/2000 03/01/2000\n"},
    {"invalidfirst", "14/02/2010 05/05/2010\n"},
    {"invalidsecond", "06/06/1999 06/44/1999\n"},
    {"malformed", "03/l4/2001 O3/27/2001\n"},
    {"short", "03/14/2001\n"},
};

// Puts text in the line buffer as the reader would.
int putline(std::string_view text) {
    std::memcpy(dates::line, text.data(), text.size());
    dates::line[text.size()] = 0;
    dates::len = static_cast<int>(text.size());
    return dates::len;
}

template <auto Entry> void evaluation(benchmark::State& state, std::string_view text) {
    int length = putline(text);
    for (auto _ : state) {
        // Hidden from the optimiser, so every iteration evaluates afresh.
        benchmark::DoNotOptimize(length);
        benchmark::DoNotOptimize(Entry(length));
    }
}

template <auto Entry> void registerall(const char* entryname) {
    for (const auto& s : samples)
        benchmark::RegisterBenchmark((std::string(entryname) + "/" + s.name).c_str(),
                                     [text = s.text](benchmark::State& st) { evaluation<Entry>(st, text); });
}

}  // namespace
}  // namespace vorlak::bench

int main(int argc, char** argv) {
    using namespace vorlak;
    bench::registerall<dates::testline>("testline");
    bench::registerall<mutants::entry<1>>("m1");    // syntax check
    bench::registerall<mutants::entry<17>>("m17");  // date check, through its conversion copy
    bench::registerall<mutants::entry<30>>("m30");  // date check without a leap rule
    bench::registerall<mutants::entry<43>>("m43");  // leap rule in the date check
    bench::registerall<mutants::entry<49>>("m49");  // leap rule in the day difference
    bench::registerall<mutants::entry<53>>("m53");  // day difference without a leap rule
    bench::registerall<mutants::entry<65>>("m65");  // day-difference table
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
