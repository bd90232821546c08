#include "engine/fastjudge.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/steps.hpp"

namespace vorlak::engine::fast {

namespace {

using dates::date;
using namespace altered;

// The mutants whose steps are of one group lie in one run of numbers, so a
// group's verdicts fit in one word, bit i for mutant first + i.
struct run {
    int first = 0;
    int size = 0;
    constexpr int number(int bit) const { return first + bit; }
};

constexpr bool insyntax(kind k) { return k == kind::syntaxcolumn; }
constexpr bool indates(kind k) { return k == kind::datetest || k == kind::checkrule; }
constexpr bool incount(kind k) { return k == kind::countrule || k == kind::daynumber; }

template <class Member> constexpr run runof(Member member) {
    run r;
    for (int n = 1; n <= mutants::mutantcount; n++)
        if (member(steps[static_cast<std::size_t>(n - 1)].what)) {
            if (r.size == 0)
                r.first = n;
            r.size++;
        }
    for (int n = r.first; n < r.first + r.size; n++)
        if (!member(steps[static_cast<std::size_t>(n - 1)].what))
            return {};
    return r;
}

constexpr run syntaxrun = runof(insyntax);
constexpr run daterun = runof(indates);
constexpr run countrun = runof(incount);
static_assert(syntaxrun.size + daterun.size + countrun.size == mutants::mutantcount,
              "each group of mutants must be one run of numbers");
static_assert(daterun.size <= 31 && countrun.size <= 32 && syntaxrun.size <= 32);

constexpr std::uint32_t allbits(const run& r) { return r.size == 32 ? ~0u : (1u << r.size) - 1; }

// --- the date check --------------------------------------------------------
//
// A date check reads the year only where it compares it with a last bad year
// and where it asks a leap-year rule, so years that every such comparison
// and rule answer alike are judged alike.  Those answers make a year's class,
// and the verdicts of a month, a day and a class are worked out once, from
// the class's first year, when a date first needs them.

// The last bad years of the reference and the mutants.
constexpr auto lastbadyears = [] {
    std::array<int, mutants::mutantcount + 1> years{};
    years[0] = dates::datebounds{}.lastbadyear;
    for (std::size_t i = 0; i < mutants::mutantcount; i++)
        years[i + 1] = mutants::mutantset[i].change.bounds.lastbadyear;
    return years;
}();
template <std::size_t... R> constexpr auto rulesof(std::index_sequence<R...>) {
    return std::array<dates::leaprule, sizeof...(R)>{mutants::ruleof<static_cast<mutants::rule>(R)>()...};
}
// Every leap-year rule there is; rule::none comes last and is none.
constexpr auto leaprules = rulesof(std::make_index_sequence<static_cast<std::size_t>(mutants::rule::none)>{});

constexpr int yearsbelow = 10000;  // the years that four digit columns hold

struct yearclasses {
    std::array<std::uint8_t, yearsbelow> of{};
    std::vector<int> first;  // each class's first year
};

const yearclasses& classes() {
    static const yearclasses c = [] {
        yearclasses out;
        std::vector<std::uint64_t> answers;
        for (int y = 0; y < yearsbelow; y++) {
            // How many last bad years are not below y says which they are.
            std::uint64_t a = static_cast<std::uint64_t>(
                std::count_if(lastbadyears.begin(), lastbadyears.end(), [&](int last) { return y <= last; }));
            for (const dates::leaprule r : leaprules)
                a = a << 1 | std::uint64_t{r(y) != 0};
            auto at = std::find(answers.begin(), answers.end(), a);
            if (at == answers.end()) {
                answers.push_back(a);
                out.first.push_back(y);
                at = answers.end() - 1;
            }
            out.of[static_cast<std::size_t>(y)] = static_cast<std::uint8_t>(at - answers.begin());
        }
        return out;
    }();
    return c;
}

// A date's verdicts, bit i for mutant daterun.first + i; differs: the
// mutant's code for the date is not the reference's.
struct datebits {
    std::uint32_t reached = 0;
    std::uint32_t infected = 0;
    std::uint32_t differs = 0;
};
constexpr std::uint32_t worked = 1u << 31;  // in reached: the entry is worked out

datebits workout(const date& d) {
    datebits b;
    const int code = dates::checkdate(d.month, d.day, d.year);
    for (int i = 0; i < daterun.size; i++) {
        const checkstep c = judgecheck(daterun.number(i), d, code);
        b.reached |= std::uint32_t{c.reached} << i;
        b.infected |= std::uint32_t{c.infected} << i;
        b.differs |= std::uint32_t{c.reached && c.mutantcode != code} << i;
    }
    b.reached |= worked;
    return b;
}

// Months and days of two digits each, of a date on a line of digits.
datebits datebitsof(const date& d) {
    const yearclasses& c = classes();
    static std::vector<datebits> table(100 * 100 * c.first.size());
    const std::size_t k = c.of[static_cast<std::size_t>(d.year)];
    datebits& b =
        table[(static_cast<std::size_t>(d.month) * 100 + static_cast<std::size_t>(d.day)) * c.first.size() + k];
    if ((b.reached & worked) == 0)
        b = workout({d.month, d.day, c.first[k]});
    return b;
}

// --- the day count ---------------------------------------------------------
//
// A mutant's day number differs from the reference's by an amount that the
// day of the month does not change, so the verdicts of a count on a date are
// kept by month and year, in a small cache of the pairs seen last.

struct countbits {
    std::uint32_t key = 0;  // year * 16 + month; 0 for none yet
    std::uint32_t reached = 0;
    std::uint32_t infected = 0;
    std::array<std::int32_t, countrun.size> offset{};  // the mutant's day number minus the reference's
};

countbits workout(int month, int year) {
    countbits b;
    const date d{month, 1, year};
    const int referenceday = referencedaynumber(d);
    for (int i = 0; i < countrun.size; i++) {
        const countstep c = judgecount(countrun.number(i), d, referenceday);
        b.reached |= std::uint32_t{c.reached} << i;
        b.infected |= std::uint32_t{c.infected} << i;
        b.offset[static_cast<std::size_t>(i)] = c.offset;
    }
    b.key = static_cast<std::uint32_t>(year) * 16 + static_cast<std::uint32_t>(month);
    return b;
}

const countbits& countbitsof(const date& d) {
    static std::vector<countbits> cache(4096);
    const std::uint32_t key = static_cast<std::uint32_t>(d.year) * 16 + static_cast<std::uint32_t>(d.month);
    countbits& b = cache[(key * 0x9e3779b1u >> 20) & 4095];
    if (b.key != key)
        b = workout(d.month, d.year);
    return b;
}

}  // namespace

linestates judgesets(const trace& t) {
    linestates s;
    if (t.length <= 21)
        return s;
    if (t.nondigits != 0) {
        // Only the syntax check runs; its mutants are judged one by one.
        foreachmutant(killset::frombits(syntaxrun.first, allbits(syntaxrun)), [&](int n) { s.note(n, judge(t, n)); });
        return s;
    }
    // Every column holds a digit: each syntax mutant reads its column and
    // finds a digit, as the reference does.
    std::uint32_t reached = 0;
    std::uint32_t infected = 0;
    std::uint32_t killed = 0;
    const datebits first = datebitsof(t.date[0]);
    reached = first.reached & ~worked;
    infected = first.infected;
    killed = first.differs;
    if (t.checked == 2) {
        // A mutant checks the second date when its code for the first was 0.
        const datebits second = datebitsof(t.date[1]);
        const std::uint32_t passed = ~first.differs & ~worked;
        reached |= second.reached & passed;
        infected |= second.infected & passed;
        killed |= second.differs & passed;
    }
    s.reached = killset::frombits(syntaxrun.first, allbits(syntaxrun)) | killset::frombits(daterun.first, reached);
    s.infected = killset::frombits(daterun.first, infected);
    s.killed = killset::frombits(daterun.first, killed);
    if (!t.counted)
        return s;
    // The count is the reference's plus the second date's offset minus the first's.
    // The second date's pair may take the first's place in the cache.
    const countbits* a = &countbitsof(t.date[0]);
    const std::uint32_t firstkey = a->key;
    const countbits& b = countbitsof(t.date[1]);
    countbits moved;
    if (a->key != firstkey) {
        moved = workout(t.date[0].month, t.date[0].year);
        a = &moved;
    }
    std::uint32_t changed = 0;
    if (a->key != b.key) {
        const int count = t.daynumber[1] - t.daynumber[0];
        for (int i = 0; i < countrun.size; i++) {
            const int shift = b.offset[static_cast<std::size_t>(i)] - a->offset[static_cast<std::size_t>(i)];
            const bool bothreversed = count < 0 && count + shift < 0;
            changed |= std::uint32_t{shift != 0 && !bothreversed} << i;
        }
    }
    s.reached |= killset::frombits(countrun.first, a->reached | b.reached);
    s.infected |= killset::frombits(countrun.first, a->infected | b.infected);
    s.killed |= killset::frombits(countrun.first, changed);
    return s;
}

}  // namespace vorlak::engine::fast
