// The workers' messages, in MessagePack through nlohmann-json.  Every field
// of a grade has a row in one table, which both writes it and reads it back,
// so a field cannot travel one way only.
#include "report/wire.hpp"

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace vorlak::report {

using engine::grade;
using engine::killset;
using json = nlohmann::json;

namespace {

constexpr std::size_t lengthsize = sizeof(std::uint32_t);

// Each enumeration's values by name on the wire.  No default: a new value
// without a name here fails the build.
std::string_view wirename(engine::state s) {
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
std::string_view wirename(engine::loss l) {
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
std::string_view wirename(engine::measure m) {
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

// --- one value: put writes it, get reads it back and says whether it could

template <class E>
requires std::is_enum_v<E>
void put(json& v, E e) { v = wirename(e); }
template <class E>
requires std::is_enum_v<E>
bool get(const json& v, E& e) {
    // The names of every value the enumeration's type can hold, found once.
    static const std::vector<std::pair<std::string_view, E>> names = [] {
        std::vector<std::pair<std::string_view, E>> all;
        for (unsigned u = 0; u <= std::numeric_limits<std::underlying_type_t<E>>::max(); u++)
            if (const std::string_view name = wirename(static_cast<E>(u)); !name.empty())
                all.emplace_back(name, static_cast<E>(u));
        return all;
    }();
    const std::string* text = v.get_ptr<const std::string*>();
    if (text == nullptr)
        return false;
    for (const auto& [name, value] : names)
        if (name == *text) {
            e = value;
            return true;
        }
    return false;
}

template <class N>
requires std::is_integral_v<N>
void put(json& v, N n) { v = n; }
template <class N>
requires std::is_integral_v<N>
bool get(const json& v, N& n) {
    if constexpr (std::is_same_v<N, bool>) {
        if (!v.is_boolean())
            return false;
        n = v.get<bool>();
        return true;
    } else {
        if (v.is_number_unsigned()) {
            const auto u = v.get<std::uint64_t>();
            if (u > static_cast<std::uint64_t>(std::numeric_limits<N>::max()))
                return false;
            n = static_cast<N>(u);
            return true;
        }
        if (!v.is_number_integer())
            return false;
        const auto i = v.get<std::int64_t>();
        if (i < static_cast<std::int64_t>(std::numeric_limits<N>::min()) ||
            (i > 0 && static_cast<std::uint64_t>(i) > static_cast<std::uint64_t>(std::numeric_limits<N>::max())))
            return false;
        n = static_cast<N>(i);
        return true;
    }
}

// Texts are test lines, which may hold any byte: binary, not strings.
void put(json& v, const std::string& s) { v = json::binary(std::vector<std::uint8_t>(s.begin(), s.end())); }
bool get(const json& v, std::string& s) {
    if (!v.is_binary())
        return false;
    const auto& bytes = v.get_binary();
    s.assign(bytes.begin(), bytes.end());
    return true;
}

// A set of mutants as their numbers.
void put(json& v, killset k) {
    v = json::array();
    engine::foreachmutant(k, [&](int n) { v.push_back(n); });
}
bool get(const json& v, killset& k) {
    if (!v.is_array())
        return false;
    k = killset{};
    for (const json& each : v) {
        int n = 0;
        if (!get(each, n) || n < 1 || n > mutants::mutantcount)
            return false;
        k.add(n);
    }
    return true;
}

// A structure as the array of its members, in order.
template <class... M> void putall(json& v, const M&... members) {
    v = json::array();
    (put(v.emplace_back(), members), ...);
}
template <class... M> bool getall(const json& v, M&... members) {
    if (!v.is_array() || v.size() != sizeof...(M))
        return false;
    std::size_t i = 0;
    return (get(v[i++], members) && ...);
}
void put(json& v, const engine::ownline& l) { putall(v, l.number, l.text); }
bool get(const json& v, engine::ownline& l) { return getall(v, l.number, l.text); }
void put(json& v, const engine::suggestion& s) { putall(v, s.mutant, s.line, s.reference, s.result); }
bool get(const json& v, engine::suggestion& s) { return getall(v, s.mutant, s.line, s.reference, s.result); }

template <class T> void put(json& v, const std::vector<T>& items) {
    v = json::array();
    for (const T& item : items)
        put(v.emplace_back(), item);
}
template <class T> bool get(const json& v, std::vector<T>& items) {
    if (!v.is_array())
        return false;
    items.resize(v.size());
    for (std::size_t i = 0; i < v.size(); i++)
        if (!get(v[i], items[i]))
            return false;
    return true;
}
template <class T, std::size_t N> void put(json& v, const std::array<T, N>& items) {
    v = json::array();
    for (const T& item : items)
        put(v.emplace_back(), item);
}
template <class T, std::size_t N> bool get(const json& v, std::array<T, N>& items) {
    if (!v.is_array() || v.size() != N)
        return false;
    for (std::size_t i = 0; i < N; i++)
        if (!get(v[i], items[i]))
            return false;
    return true;
}

// Whether a value is its type's empty one, which is left out of a message.
template <class T> bool blank(const T& value) {
    if constexpr (requires { value.empty(); })
        return value.empty();
    else
        return false;
}
template <std::size_t N> bool blank(const std::array<std::string, N>& texts) {
    for (const std::string& t : texts)
        if (!t.empty())
            return false;
    return true;
}

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
            },
            [](const json& value, grade& g) { return get(value, *Of{}(g)); }};
}

// A member of each mutant's record, as one array in the mutants' order:
// *Of{}(g, i) is mutant i + 1's.
template <class Of> constexpr field permutant(std::string_view name, Of /*of*/) {
    return {name,
            [](json& message, std::string_view key, const grade& g) {
                json& column = message[key] = json::array();
                for (std::size_t i = 0; i < mutants::mutantcount; i++)
                    put(column.emplace_back(), *Of{}(g, i));
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
    member("answers", [](auto& g) { return &g.answers; }),
};

}  // namespace

void sendgrade(std::string& out, std::size_t index, const grade& g) {
    json message = {{"index", index}};
    for (const field& f : fields)
        f.write(message, f.name, g);
    std::vector<std::uint8_t> bytes;
    json::to_msgpack(message, bytes);
    const auto length = static_cast<std::uint32_t>(bytes.size());
    out.append(reinterpret_cast<const char*>(&length), lengthsize);
    out.append(bytes.begin(), bytes.end());
}

std::optional<received> receivegrade(std::string_view& bytes) {
    std::uint32_t length = 0;
    if (bytes.size() < lengthsize)
        return std::nullopt;
    std::memcpy(&length, bytes.data(), lengthsize);
    if (bytes.size() - lengthsize < length)
        return std::nullopt;
    const std::string_view body = bytes.substr(lengthsize, length);
    bytes.remove_prefix(lengthsize + length);
    const json message = json::from_msgpack(body.begin(), body.end(), true, false);
    received r;
    if (!message.is_object() || !message.contains("index") || !get(message["index"], r.index))
        return std::nullopt;
    for (const auto& [key, value] : message.items()) {
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
