#include "formats/html.hpp"

#include <cstddef>

#include "formats/utf8.hpp"
#include "formats/web/viewer.hpp"

namespace vorlak::formats {
namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD

}  // namespace

bool htmlavailable() { return !viewer::bundle.empty(); }

std::string_view htmlhowto() {
    return "vorlak-report: this build has no HTML viewer; to add it, run\n"
           "  npm ci --prefix formats/web\n"
           "in the source tree, then build again\n";
}

std::string htmlscriptdata(std::string_view json) {
    std::string out;
    out.reserve(json.size() + json.size() / 16);
    for (std::size_t i = 0; i < json.size(); ++i) {
        char c = json[i];
        // In valid JSON these characters occur only inside strings, where a
        // \u escape stands for the same character.
        if (c == '<') {
            out += "\\u003c";
        } else if (c == '>') {
            out += "\\u003e";
        } else if (c == '&') {
            out += "\\u0026";
        } else if (json.substr(i, 3) == "\xE2\x80\xA8") {
            out += "\\u2028";
            i += 2;
        } else if (json.substr(i, 3) == "\xE2\x80\xA9") {
            out += "\\u2029";
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

std::string capitalized(std::string_view words) {
    std::string out(words);
    if (!out.empty() && out[0] >= 'a' && out[0] <= 'z')
        out[0] = static_cast<char>(out[0] - 'a' + 'A');
    return out;
}

std::string editorparagraphs(const std::vector<std::string>& notes) {
    std::string out;
    for (const std::string& note : notes)
        out += "<p class=\"editor\">" + htmltext(capitalized(note)) + ".</p>\n";
    return out;
}

std::string htmltext(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        std::size_t n = wellformed(text);
        if (n == 0) {
            out += replacement;
            n = 1;
        } else if (n == 1) {
            char c = text[0];
            // clang-format off
            switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                    out += replacement;
                else
                    out += c;
            }
            // clang-format on
        } else {
            out += text.substr(0, n);
        }
        text.remove_prefix(n);
    }
    return out;
}

std::string renderhtml(std::string_view reportjson, std::string_view title, const std::vector<std::string>& notes) {
    std::string safetitle = htmltext(title);
    std::string page;
    page.reserve(viewer::bundle.size() + reportjson.size() + reportjson.size() / 8 + 2048);
    // The policy lets run only the two scripts written here, by their hashes,
    // and loads nothing: no markup that slipped into the data could act.
    page += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
            "script-src ";
    page += viewer::scripthashes;
    page += "; style-src 'unsafe-inline'; img-src data:; base-uri 'none'; form-action 'none'\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
            "<title>";
    page += safetitle;
    page += "</title>\n<!-- Viewer: mutation-testing-elements ";
    page += viewer::version;
    page += ", Apache License 2.0. -->\n<script>";
    page += viewer::bundle;
    page += "</script>\n</head>\n<body>\n";
    page += editorparagraphs(notes);
    page += "<mutation-test-report-app title-postfix=\"";
    page += safetitle;
    page += "\"></mutation-test-report-app>\n"
            "<script type=\"application/json\" id=\"vorlak-report-data\">";
    page += htmlscriptdata(reportjson);
    page += "</script>\n<script>";
    page += viewer::loader;
    page += "</script>\n</body>\n</html>\n";
    return page;
}

}  // namespace vorlak::formats
