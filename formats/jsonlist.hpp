// A json document whose last member is a long list, written item by item
// into the text rather than held as one tree: a report can hold millions of
// lines, a class thousands of files.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace vorlak::formats {

class jsonlist {
public:
    // The members of document, then head, the raw text that opens the list
    // (its key and "[", and whatever encloses it); indent < 0 for one line.
    jsonlist(const nlohmann::ordered_json& document, int indent, std::string_view head)
        : text_(document.dump(indent)), newline_(indent < 0 ? "" : "\n"),
          margin_(newline_ + std::string(static_cast<std::size_t>(std::max(indent, 0)), ' ')) {
        text_.pop_back();  // the closing brace
        while (!text_.empty() && text_.back() == '\n')
            text_.pop_back();
        text_ += ",";
        text_ += margin_;
        text_ += head;
    }

    void add(const nlohmann::ordered_json& item) {
        if (items_++ > 0)
            text_ += ',';
        text_ += margin_;
        text_.append(margin_.size() - newline_.size(), ' ');
        text_ += item.dump();
    }

    // The whole text: the list ended by tail ("]" and what closes around it).
    std::string close(std::string_view tail) {
        if (items_ > 0)
            text_ += margin_;
        text_ += tail;
        text_ += newline_;
        text_ += "}\n";
        return std::move(text_);
    }

private:
    std::string text_;
    std::string newline_;
    std::string margin_;  // what starts a line at the document's first level
    long items_ = 0;
};

}  // namespace vorlak::formats
