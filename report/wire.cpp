// The workers' messages, in MessagePack through nlohmann-json.  Every field
// of a grade has a row in one table, which both writes it and reads it back,
// so a field cannot travel one way only.
#include "report/wire.hpp"

#include <array>
#include <cstdint>
#include <cstring>

#include <nlohmann/json.hpp>

#include "report/wirevalues.hpp"

namespace vorlak::report {

using engine::grade;
using json = nlohmann::json;
using wire::blank;
using wire::get;
using wire::put;

std::string_view wire::nameof(engine::state s) {
    switch (s) {
    case engine::state::unreached:
        return "unreached";
    case engine::state::reached:
        return "reached";
    case engine::state::infected:
        return "infected";
    case engine::state::killed:
        return "killed";
    }
    return {};
}

std::string_view wire::nameof(engine::loss l) {
    switch (l) {
    case engine::loss::none:
        return "none";
    case engine::loss::masked:
        return "masked";
    case engine::loss::unused:
        return "unused";
    case engine::loss::cancelled:
        return "cancelled";
    case engine::loss::reversed:
        return "reversed";
    }
    return {};
}

std::string_view wire::nameof(engine::measure m) {
    switch (m) {
    case engine::measure::stopcolumn:
        return "stopcolumn";
    case engine::measure::datecode:
        return "datecode";
    case engine::measure::leapanswer:
        return "leapanswer";
    case engine::measure::daynumber:
        return "daynumber";
    }
    return {};
}

std::string_view wire::nameof(engine::oracle o) {
    switch (o) {
    case engine::oracle::right:
        return "right";
    case engine::oracle::wrong:
        return "wrong";
    case engine::oracle::missing:
        return "missing";
    }
    return {};
}

std::string_view wire::nameof(io::expectation::kind k) {
    switch (k) {
    case io::expectation::kind::none:
        return "none";
    case io::expectation::kind::value:
        return "value";
    case io::expectation::kind::malformed:
        return "malformed";
    case io::expectation::kind::outofrange:
        return "outofrange";
    }
    return {};
}

namespace {

constexpr std::size_t lengthsize = sizeof(std::uint32_t);

// --- the fields of a grade

struct field {
    std::string_view name;
    void (*write)(json& message, std::string_view name, const grade& g);
    bool (*read)(const json& value, grade& g);
};

// A member of the grade: *Of{}(g) is it, for a const grade and for one to
// fill.  Of is a lambda without captures, so each row makes its own pair
// of plain functions.
template <class Of> constexpr field member(std::string_view name, Of /*of*/) {
    return {name,
            [](json& message, std::string_view key, const grade& g) {
                if (!blank(*Of{}(g)))
                    put(message[key], *Of{}(g));
                else
                    message.erase(key);
            },
            [](const json& value, grade& g) { return get(value, *Of{}(g)); }};
}

// A member of each mutant's record, as one array in the mutants' order:
// *Of{}(g, i) is mutant i + 1's.
template <class Of> constexpr field permutant(std::string_view name, Of /*of*/) {
    return {name,
            [](json& message, std::string_view key, const grade& g) {
                json::array_t& column = wire::arrayof(message[key], mutants::mutantcount);
                for (std::size_t i = 0; i < mutants::mutantcount; i++)
                    put(column[i], *Of{}(g, i));
            },
            [](const json& value, grade& g) {
                if (!value.is_array() || value.size() != mutants::mutantcount)
                    return false;
                for (std::size_t i = 0; i < mutants::mutantcount; i++)
                    if (!get(value[i], *Of{}(g, i)))
                        return false;
                return true;
            }};
}

// Every field of a grade, by its name on the wire.
constexpr std::array fields = {
    member("name", [](auto& g) { return &g.name; }),
    member("error", [](auto& g) { return &g.error; }),
    member("needed", [](auto& g) { return &g.needed; }),
    member("lines", [](auto& g) { return &g.scan.lines; }),
    member("endsinnewline", [](auto& g) { return &g.scan.endsinnewline; }),
    member("bom", [](auto& g) { return &g.scan.bom; }),
    member("crlf", [](auto& g) { return &g.scan.crlf; }),
    member("tests", [](auto& g) { return &g.scan.tests; }),
    member("testable", [](auto& g) { return &g.scan.testable; }),
    permutant("kill.line", [](auto& g, std::size_t i) { return &g.scan.kills[i].line; }),
    permutant("kill.reference", [](auto& g, std::size_t i) { return &g.scan.kills[i].reference; }),
    permutant("kill.result", [](auto& g, std::size_t i) { return &g.scan.kills[i].result; }),
    permutant("reach.reached", [](auto& g, std::size_t i) { return &g.scan.reach[i].reached; }),
    permutant("reach.infected", [](auto& g, std::size_t i) { return &g.scan.reach[i].infected; }),
    permutant("why.reach", [](auto& g, std::size_t i) { return &g.scan.reach[i].why.reach; }),
    permutant("why.lost", [](auto& g, std::size_t i) { return &g.scan.reach[i].why.lost; }),
    permutant("why.what", [](auto& g, std::size_t i) { return &g.scan.reach[i].why.what; }),
    permutant("why.date", [](auto& g, std::size_t i) { return &g.scan.reach[i].why.date; }),
    permutant("why.reference", [](auto& g, std::size_t i) { return &g.scan.reach[i].why.reference; }),
    permutant("why.mutant", [](auto& g, std::size_t i) { return &g.scan.reach[i].why.mutant; }),
    permutant("why.month", [](auto& g, std::size_t i) { return &g.scan.reach[i].why.at.month; }),
    permutant("why.day", [](auto& g, std::size_t i) { return &g.scan.reach[i].why.at.day; }),
    permutant("why.year", [](auto& g, std::size_t i) { return &g.scan.reach[i].why.at.year; }),
    member("sets", [](auto& g) { return &g.scan.sets; }),
    member("setline", [](auto& g) { return &g.scan.setline; }),
    member("settext", [](auto& g) { return &g.scan.settext; }),
    member("lineset", [](auto& g) { return &g.scan.lineset; }),
    member("reachsets", [](auto& g) { return &g.scan.reachsets; }),
    member("linereach", [](auto& g) { return &g.scan.linereach; }),
    member("source", [](auto& g) { return &g.scan.source; }),
    member("killtext", [](auto& g) { return &g.scan.killtext; }),
    member("ownlines", [](auto& g) { return &g.scan.ownlines; }),
    member("expected.held", [](auto& g) { return &g.scan.expected.held; }),
    member("expected.right", [](auto& g) { return &g.scan.expected.right; }),
    member("expected.wrong", [](auto& g) { return &g.scan.expected.wrong; }),
    member("expected.missing", [](auto& g) { return &g.scan.expected.missing; }),
    member("expected.wrongs", [](auto& g) { return &g.scan.expected.wrongs; }),
    member("expected.bad", [](auto& g) { return &g.scan.expected.bad; }),
    member("expected.none", [](auto& g) { return &g.scan.expected.none; }),
    member("expected.lines", [](auto& g) { return &g.scan.expected.lines; }),
    member("answers", [](auto& g) { return &g.answers; }),
    member("misconceptions", [](auto& g) { return &g.misconceptions; }),
    member("lineshown", [](auto& g) { return &g.lineshown; }),
};

}  // namespace

void gradewriter::write(std::string& out, std::size_t index, const grade& g) {
    message_["index"] = index;
    for (const field& f : fields)
        f.write(message_, f.name, g);
    const std::size_t start = out.size();
    out.append(lengthsize, '\0');
    json::to_msgpack(message_, nlohmann::detail::output_adapter<char>(out));
    const auto length = static_cast<std::uint32_t>(out.size() - start - lengthsize);
    std::memcpy(out.data() + start, &length, lengthsize);
}

std::optional<received> gradereader::read(std::string_view& bytes) {
    std::uint32_t length = 0;
    if (bytes.size() < lengthsize)
        return std::nullopt;
    std::memcpy(&length, bytes.data(), lengthsize);
    if (bytes.size() - lengthsize < length)
        return std::nullopt;
    const std::string_view body = bytes.substr(lengthsize, length);
    bytes.remove_prefix(lengthsize + length);
    received r;
    if (!parser_.read(message_, body, json::input_format_t::msgpack) || !message_.is_object() ||
        !message_.contains("index") || !get(message_["index"], r.index))
        return std::nullopt;
    for (const auto& [key, value] : message_.items()) {
        if (key == "index")
            continue;
        const field* f = nullptr;
        for (const field& each : fields)
            if (each.name == key)
                f = &each;
        if (f == nullptr || !f->read(value, r.grade)) {
            r.grade = grade{};
            r.grade.error = f == nullptr ? "not graded: its grading process sent field " + key +
                                               ", which this vorlak-report does not know"
                                         : "not graded: its grading process sent a value of field " + key +
                                               " that this vorlak-report cannot read";
            return r;
        }
    }
    return r;
}

}  // namespace vorlak::report
