// One value of a grade on the wire: put writes it into a json value, get
// reads it back and says whether it could.  put writes over the value that
// is there, keeping its arrays and strings, so that a worker's message of
// one grade after another allocates little.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/grade.hpp"

namespace vorlak::report::wire {

using json = nlohmann::json;

// Each enumeration's values by name.  No default: a new value without a
// name here fails the build.
std::string_view nameof(engine::state s);
std::string_view nameof(engine::loss l);
std::string_view nameof(engine::measure m);
std::string_view nameof(engine::oracle o);
std::string_view nameof(io::expectation::kind k);

// The value of E named name; false when no value has that name.
template <class E> bool valuenamed(std::string_view name, E& e) {
    // The names of every value that E's type can hold, found once.
    static const std::vector<std::pair<std::string_view, E>> names = [] {
        std::vector<std::pair<std::string_view, E>> all;
        for (unsigned u = 0; u <= std::numeric_limits<std::underlying_type_t<E>>::max(); u++)
            if (const std::string_view n = nameof(static_cast<E>(u)); !n.empty())
                all.emplace_back(n, static_cast<E>(u));
        return all;
    }();
    for (const auto& [n, value] : names)
        if (n == name) {
            e = value;
            return true;
        }
    return false;
}

// The array at v, made one when v is something else, with size elements.
inline json::array_t& arrayof(json& v, std::size_t size) {
    if (!v.is_array())
        v = json::array();
    auto& items = v.get_ref<json::array_t&>();
    items.resize(size);
    return items;
}

template <class E>
requires std::is_enum_v<E>
void put(json& v, E e) {
    if (v.is_string())
        v.get_ref<std::string&>() = nameof(e);
    else
        v = nameof(e);
}
template <class E>
requires std::is_enum_v<E>
bool get(const json& v, E& e) {
    const std::string* name = v.get_ptr<const std::string*>();
    return name != nullptr && valuenamed(*name, e);
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
inline void put(json& v, const std::string& s) {
    if (v.is_binary())
        v.get_binary().assign(s.begin(), s.end());
    else
        v = json::binary(std::vector<std::uint8_t>(s.begin(), s.end()));
}
inline bool get(const json& v, std::string& s) {
    if (!v.is_binary())
        return false;
    const auto& bytes = v.get_binary();
    s.assign(bytes.begin(), bytes.end());
    return true;
}

// A set of mutants as their numbers.
inline void put(json& v, engine::killset k) {
    json::array_t& items = arrayof(v, static_cast<std::size_t>(k.count()));
    std::size_t i = 0;
    engine::foreachmutant(k, [&](int n) { items[i++] = n; });
}
inline bool get(const json& v, engine::killset& k) {
    if (!v.is_array())
        return false;
    k = engine::killset{};
    for (const json& each : v) {
        int n = 0;
        if (!get(each, n) || n < 1 || n > mutants::mutantcount)
            return false;
        k.add(n);
    }
    return true;
}

// A record as the array of its members, in order.
template <class... M> void putall(json& v, const M&... members) {
    json::array_t& items = arrayof(v, sizeof...(M));
    std::size_t i = 0;
    (put(items[i++], members), ...);
}
template <class... M> bool getall(const json& v, M&... members) {
    if (!v.is_array() || v.size() != sizeof...(M))
        return false;
    std::size_t i = 0;
    return (get(v[i++], members) && ...);
}
inline void put(json& v, const engine::ownline& l) { putall(v, l.number, l.text); }
inline bool get(const json& v, engine::ownline& l) { return getall(v, l.number, l.text); }
inline void put(json& v, const engine::suggestion& s) { putall(v, s.mutant, s.line, s.reference, s.result); }
inline bool get(const json& v, engine::suggestion& s) { return getall(v, s.mutant, s.line, s.reference, s.result); }
inline void put(json& v, const std::pair<long, long>& p) { putall(v, p.first, p.second); }
inline bool get(const json& v, std::pair<long, long>& p) { return getall(v, p.first, p.second); }
inline void put(json& v, const engine::wrongline& w) { putall(v, w.line, w.expected, w.reference, w.text); }
inline bool get(const json& v, engine::wrongline& w) { return getall(v, w.line, w.expected, w.reference, w.text); }
inline void put(json& v, const engine::badtail& b) { putall(v, b.line, b.tail.what, b.tail.value, b.tail.text); }
inline bool get(const json& v, engine::badtail& b) { return getall(v, b.line, b.tail.what, b.tail.value, b.tail.text); }
inline void put(json& v, const engine::lineexpectation& l) { putall(v, l.verdict, l.expected, l.reference); }
inline bool get(const json& v, engine::lineexpectation& l) { return getall(v, l.verdict, l.expected, l.reference); }

// A concept of the catalogue by its name.
inline void put(json& v, mutants::idea i) { v = std::string(mutants::ideaof(i).name); }
inline bool get(const json& v, mutants::idea& i) {
    const std::string* name = v.get_ptr<const std::string*>();
    for (std::size_t n = 0; name != nullptr && n < mutants::ideas.size(); n++)
        if (mutants::ideas[n].name == *name) {
            i = static_cast<mutants::idea>(n);
            return true;
        }
    return false;
}

template <class C> void putitems(json& v, const C& items) {
    json::array_t& out = arrayof(v, items.size());
    for (std::size_t i = 0; i < items.size(); i++)
        put(out[i], items[i]);
}
template <class T> void put(json& v, const std::vector<T>& items) { putitems(v, items); }
template <class T, std::size_t N> void put(json& v, const std::array<T, N>& items) { putitems(v, items); }
template <class T> bool get(const json& v, std::vector<T>& items) {
    if (!v.is_array())
        return false;
    items.resize(v.size());
    for (std::size_t i = 0; i < v.size(); i++)
        if (!get(v[i], items[i]))
            return false;
    return true;
}
template <class T, std::size_t N> bool get(const json& v, std::array<T, N>& items) {
    if (!v.is_array() || v.size() != N)
        return false;
    for (std::size_t i = 0; i < N; i++)
        if (!get(v[i], items[i]))
            return false;
    return true;
}

// Whether a value is its type's empty one, which a message leaves out.
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

}  // namespace vorlak::report::wire
