// The parts that the beliefs' rows build their changes from.
#include "mutants/beliefs.hpp"

#include <climits>
#include <utility>

namespace vorlak::mutants {

namespace believed {

namespace {

// The date check with the tests before test number test opened so that they
// never hold, and the others' bounds too where they have any: it answers
// test when that test holds.  No month that the syntax check lets through
// is -1.
constexpr dates::datebounds alone(int test) {
    dates::datebounds b;
    if (test != 1) {
        b.lowmonth = INT_MIN;
        b.highmonth = INT_MAX;
    }
    if (test != 2) {
        b.lowday = INT_MIN;
        b.highday = INT_MAX;
    }
    if (test != 3)
        b.lastbadyear = INT_MIN;
    if (test != 4)
        b.monthdays.fill(INT_MAX);
    if (test != 5)
        b.leapmonth = -1;
    return b;
}

template <std::size_t... I> constexpr auto testsalone(std::index_sequence<I...>) {
    return std::array<dates::datechecker, sizeof...(I)>{dates::checkdate<alone(static_cast<int>(I) + 1)>...};
}
constexpr auto eachtest = testsalone(std::make_index_sequence<dates::datetests>{});

dates::date dateat(int date) { return dates::readdate<dates::strtoint>(date == 1 ? 0 : 11); }

}  // namespace

answerset one(int value) {
    answerset a;
    a.add(value);
    return a;
}

int noleap(int /*year*/) { return 0; }

int leapyearterms(int year) { return 366 * year; }

int dayfirst(int length) {
    const auto swap = [](int at) {
        for (int i = 0; i < 2; i++)
            std::swap(dates::line[at + i], dates::line[at + 3 + i]);
    };
    swap(0);
    swap(11);
    const int result = dates::testline(length);
    swap(0);
    swap(11);
    return result;
}

int backwards() { return dates::countdays<>(dateat(1), dateat(2)); }

answerset othertests(int reference) {
    const dates::dateerror e = dates::dateerrorof(reference);
    answerset a;
    if (e.date == 0)
        return a;
    const dates::date d = dateat(e.date);
    for (int test = 1; test <= dates::datetests; test++)
        if (test != e.code && eachtest[static_cast<std::size_t>(test - 1)](d.month, d.day, d.year) == test)
            a.add(-(10 * e.date + test));
    return a;
}

answerset secondcode(int reference) {
    if (dates::dateerrorof(reference).date != 1)
        return {};
    const dates::date d = dateat(2);
    if (const int k = dates::checkdate<>(d.month, d.day, d.year); k != 0)
        return one(-(20 + k));
    return {};
}

}  // namespace believed

answerset believes(const belief& b, int length) {
    const int reference = dates::testline(length);
    if (reference == dates::badsyntax)
        return {};
    return b.change(length, reference);
}

}  // namespace vorlak::mutants
