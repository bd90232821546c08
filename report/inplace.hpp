// A reader of nlohmann-json's binary formats that builds each document over
// the one before it: a member, an array or a string that is there already
// takes the new value in place.  The workers' messages all have one shape,
// so after the first the parent reads them with hardly an allocation.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace vorlak::report::wire {

class inplace {
public:
    using json = nlohmann::json;

    // Reads one whole document of format from bytes over tree; false, with
    // tree in no useful state, when bytes do not hold one.
    bool read(json& tree, std::string_view bytes, json::input_format_t format) {
        root_ = &tree;
        open_.clear();
        seen_.clear();
        return json::sax_parse(bytes.begin(), bytes.end(), this, format, true);
    }

    // What the parser calls, value by value.
    bool null() { return set(nullptr); }
    bool boolean(bool b) { return set(b); }
    bool number_integer(json::number_integer_t n) { return set(n); }
    bool number_unsigned(json::number_unsigned_t n) { return set(n); }
    bool number_float(json::number_float_t f, const std::string& /*text*/) { return set(f); }
    bool string(std::string& s) {
        json& v = next();
        if (v.is_string())
            v.get_ref<std::string&>().swap(s);
        else
            v = std::move(s);
        return true;
    }
    bool binary(json::binary_t& b) {
        json& v = next();
        if (v.is_binary())
            v.get_binary().swap(b);
        else
            v = json::binary(std::move(static_cast<json::binary_t::container_type&>(b)));
        return true;
    }
    bool start_object(std::size_t /*size*/) {
        json& v = next();
        if (!v.is_object())
            v = json::object();
        open_.push_back({&v, 0, nullptr, seen_.size()});
        return true;
    }
    bool key(std::string& k) {
        level& l = open_.back();
        l.member = &l.value->get_ref<json::object_t&>()[k];
        l.count++;
        seen_.push_back(l.member);
        return true;
    }
    bool end_object() {
        // Members of the document before that this one lacks go.
        const level l = open_.back();
        open_.pop_back();
        auto& members = l.value->get_ref<json::object_t&>();
        if (members.size() != l.count)
            std::erase_if(members, [&](const auto& m) {
                return std::find(seen_.begin() + static_cast<std::ptrdiff_t>(l.seen), seen_.end(), &m.second) ==
                       seen_.end();
            });
        seen_.resize(l.seen);
        return true;
    }
    bool start_array(std::size_t /*size*/) {
        json& v = next();
        if (!v.is_array())
            v = json::array();
        open_.push_back({&v, 0, nullptr, seen_.size()});
        return true;
    }
    bool end_array() {
        const level l = open_.back();
        open_.pop_back();
        l.value->get_ref<json::array_t&>().resize(l.count);
        return true;
    }
    bool parse_error(std::size_t /*at*/, const std::string& /*token*/, const nlohmann::detail::exception& /*e*/) {
        return false;
    }

private:
    // An object or array being read, and how many of its members or
    // elements were read so far.
    struct level {
        json* value;
        std::size_t count;
        json* member;      // in an object, the member whose key came last
        std::size_t seen;  // in an object, where its members start in seen_
    };

    // Where the next value goes.
    json& next() {
        if (open_.empty())
            return *root_;
        level& l = open_.back();
        if (l.value->is_object())
            return *l.member;
        auto& items = l.value->get_ref<json::array_t&>();
        if (l.count == items.size())
            items.emplace_back();
        return items[l.count++];
    }
    template <class T> bool set(T value) {
        next() = value;
        return true;
    }

    json* root_ = nullptr;
    std::vector<level> open_;
    std::vector<const json*> seen_;  // the members of the open objects read so far
};

}  // namespace vorlak::report::wire
