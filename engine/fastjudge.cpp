#include "engine/fastjudge.hpp"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "engine/steps.hpp"

namespace vorlak::engine::fast {

namespace {

using dates::date;
using namespace altered;

// --- the groups ------------------------------------------------------------
//
// The mutants whose steps are of one kind are judged together, each group's
// verdicts in one word: bit i stands for the group's member i.  The groups
// are read off the catalogue's rows, whatever their numbers.

struct group {
    std::array<int, 32> members{};
    int size = 0;
};

constexpr bool insyntax(kind k) { return k == kind::syntaxcolumn; }
constexpr bool indates(kind k) { return k == kind::datetest || k == kind::checkrule; }
constexpr bool incount(kind k) { return k == kind::countrule || k == kind::daynumber; }

// Counts every member, and keeps those that its word has bits for.
template <class Member> constexpr group groupof(Member member) {
    group g;
    for (int n = 1; n <= mutants::mutantcount; n++)
        if (member(steps[static_cast<std::size_t>(n - 1)].what) && g.size++ < 32)
            g.members[static_cast<std::size_t>(g.size - 1)] = n;
    return g;
}

constexpr group syntaxgroup = groupof(insyntax);
constexpr group dategroup = groupof(indates);
constexpr group countgroup = groupof(incount);
// A date's word keeps its top bit for a mark of its own.
static_assert(syntaxgroup.size <= 32 && dategroup.size <= 31 && countgroup.size <= 32,
              "a group of the fast judging has more members than its word has bits");
static_assert(syntaxgroup.size + dategroup.size + countgroup.size == mutants::mutantcount,
              "every mutant belongs to one group of the fast judging");

// A group's word as a set, a byte at a time: entry [b][v] holds the members
// whose bits are set in byte value v at byte b of the word.
using bytesets = std::array<std::array<killset, 256>, 4>;

bytesets bytesetsof(const group& g) {
    bytesets sets{};
    for (std::size_t b = 0; b < 4; b++)
        for (std::size_t v = 0; v < 256; v++)
            for (std::size_t bit = 0; bit < 8; bit++) {
                const std::size_t i = b * 8 + bit;
                if ((v >> bit & 1) != 0 && i < static_cast<std::size_t>(g.size))
                    sets[b][v].add(g.members[i]);
            }
    return sets;
}

const bytesets datebytes = bytesetsof(dategroup);
const bytesets countbytes = bytesetsof(countgroup);
const killset syntaxall = [] {
    killset s;
    for (int i = 0; i < syntaxgroup.size; i++)
        s.add(syntaxgroup.members[static_cast<std::size_t>(i)]);
    return s;
}();

killset setof(const bytesets& sets, std::uint32_t bits) {
    if (bits == 0)
        return {};
    return sets[0][bits & 0xff] | sets[1][bits >> 8 & 0xff] | sets[2][bits >> 16 & 0xff] | sets[3][bits >> 24];
}

// --- the year classes ------------------------------------------------------

// The last bad years of the reference and the mutants.
constexpr auto lastbadyears = [] {
    std::array<int, mutants::mutantcount + 1> years{};
    years[0] = dates::datebounds{}.lastbadyear;
    for (std::size_t i = 0; i < mutants::mutantcount; i++)
        years[i + 1] = mutants::mutantset[i].change.bounds.lastbadyear;
    return years;
}();

constexpr int yearsbelow = 10000;  // the years that four digit columns hold

struct yearclasstable {
    std::array<std::uint8_t, yearsbelow> of{};
    std::vector<int> first;  // each class's first year
};

// Worked out once: a table of the catalogue's answers, the same for every caller.
const yearclasstable& classes() {
    static const yearclasstable c = [] {
        yearclasstable out;
        std::vector<std::uint64_t> answers;
        for (int y = 0; y < yearsbelow; y++) {
            // How many last bad years are not below y says which they are.
            std::uint64_t a = static_cast<std::uint64_t>(
                std::count_if(lastbadyears.begin(), lastbadyears.end(), [&](int last) { return y <= last; }));
            for (const dates::leaprule r : mutants::leaprules)
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

// --- what a judging keeps --------------------------------------------------

// A date's verdicts for the date group; differs: the member's code for the
// date is not the reference's.
struct datebits {
    std::uint32_t reached = 0;
    std::uint32_t infected = 0;
    std::uint32_t differs = 0;
};
constexpr std::uint32_t worked = 1u << 31;  // in reached: the entry is worked out

datebits workout(const date& d) {
    datebits b;
    const int code = dates::checkdate(d.month, d.day, d.year);
    for (int i = 0; i < dategroup.size; i++) {
        const checkstep c = judgecheck(dategroup.members[static_cast<std::size_t>(i)], d, code);
        b.reached |= std::uint32_t{c.reached} << i;
        b.infected |= std::uint32_t{c.infected} << i;
        b.differs |= std::uint32_t{c.reached && c.mutantcode != code} << i;
    }
    b.reached |= worked;
    return b;
}

// A mutant's day number differs from the reference's by an amount that the
// day of the month does not change, so the verdicts of a count on a date
// are kept by month and year, in a cache of the pairs seen last.
struct countbits {
    std::uint32_t key = 0;  // year * 16 + month; 0 for none yet
    std::uint32_t reached = 0;
    std::uint32_t infected = 0;
    // Each member's day number minus the reference's.
    std::array<std::int32_t, static_cast<std::size_t>(countgroup.size)> offset{};
};

std::uint32_t countkey(const date& d) {
    return static_cast<std::uint32_t>(d.year) * 16 + static_cast<std::uint32_t>(d.month);
}

countbits workout(int month, int year) {
    countbits b;
    const date d{month, 1, year};
    const int referenceday = dates::daynumber<>(d);
    for (int i = 0; i < countgroup.size; i++) {
        const countstep c = judgecount(countgroup.members[static_cast<std::size_t>(i)], d, referenceday);
        b.reached |= std::uint32_t{c.reached} << i;
        b.infected |= std::uint32_t{c.infected} << i;
        b.offset[static_cast<std::size_t>(i)] = c.offset;
    }
    b.key = countkey(d);
    return b;
}

constexpr std::size_t countslots = 4096;

// Memory whose every byte is zero, which is what an entry not yet worked
// out holds; the pages are taken from the system only where an entry is.
// Without memory the process ends, as new ends it without exceptions.
template <class T> struct zeroed {
    std::unique_ptr<T, decltype(&std::free)> at;
    explicit zeroed(std::size_t n) : at(static_cast<T*>(std::calloc(n, sizeof(T))), &std::free) {
        if (!at)
            std::abort();
    }
    T& operator[](std::size_t i) const { return at.get()[i]; }
};

}  // namespace

int yearclassof(int year) { return classes().of[static_cast<std::size_t>(year)]; }

int firstyearof(int yearclass) { return classes().first[static_cast<std::size_t>(yearclass)]; }

struct judging::tables {
    const yearclasstable& years = classes();
    zeroed<datebits> dates{100 * 100 * years.first.size()};  // by month, day and year class
    zeroed<countbits> counts{countslots};                    // by a hash of month and year

    // Months and days of two digits each, of a date on a line of digits.
    datebits dateentry(const date& d) {
        const std::size_t k = years.of[static_cast<std::size_t>(d.year)];
        const std::size_t monthday = static_cast<std::size_t>(d.month) * 100 + static_cast<std::size_t>(d.day);
        datebits& b = dates[monthday * years.first.size() + k];
        if ((b.reached & worked) == 0)
            b = workout({d.month, d.day, years.first[k]});
        return b;
    }

    countbits& countentry(const date& d) {
        const std::uint32_t key = countkey(d);
        countbits& b = counts[(key * 0x9e3779b1u >> 20) & (countslots - 1)];
        if (b.key != key)
            b = workout(d.month, d.year);
        return b;
    }
};

judging::judging() : tables_(std::make_unique<tables>()) {}

judging::~judging() = default;

linestates judging::operator()(const trace& t) {
    linestates s;
    if (t.length <= dates::lastcolumn)
        return s;
    if (t.nondigits != 0) {
        // Only the syntax check runs; its mutants are judged one by one.
        foreachmutant(syntaxall, [&](int n) { s.note(n, judge(t, n)); });
        return s;
    }
    // Every column holds a digit: each syntax mutant reads its column and
    // finds a digit, as the reference does.
    const datebits first = tables_->dateentry(t.date[0]);
    std::uint32_t reached = first.reached & ~worked;
    std::uint32_t infected = first.infected;
    std::uint32_t killed = first.differs;
    if (t.checked == 2) {
        // A mutant checks the second date when its code for the first was 0.
        const datebits second = tables_->dateentry(t.date[1]);
        const std::uint32_t passed = ~first.differs & ~worked;
        reached |= second.reached & passed;
        infected |= second.infected & passed;
        killed |= second.differs & passed;
    }
    s.reached = syntaxall | setof(datebytes, reached);
    s.infected = setof(datebytes, infected);
    s.killed = setof(datebytes, killed);
    if (!t.counted)
        return s;
    // The count is the reference's plus the second date's offset minus the first's.
    // The second date's pair may take the first's place in the cache.
    const countbits* a = &tables_->countentry(t.date[0]);
    const std::uint32_t firstkey = a->key;
    const countbits& b = tables_->countentry(t.date[1]);
    countbits moved;
    if (a->key != firstkey) {
        moved = workout(t.date[0].month, t.date[0].year);
        a = &moved;
    }
    std::uint32_t changed = 0;
    if (a->key != b.key) {
        const int count = t.daynumber[1] - t.daynumber[0];
        for (int i = 0; i < countgroup.size; i++) {
            const int shift = b.offset[static_cast<std::size_t>(i)] - a->offset[static_cast<std::size_t>(i)];
            const bool bothreversed = count < 0 && count + shift < 0;
            changed |= std::uint32_t{shift != 0 && !bothreversed} << i;
        }
    }
    s.reached |= setof(countbytes, a->reached | b.reached);
    s.infected |= setof(countbytes, a->infected | b.infected);
    s.killed |= setof(countbytes, changed);
    return s;
}

}  // namespace vorlak::engine::fast
