// The head of a page in the class style, with the policy that lets in its
// embedded style sheet and script.
#include "formats/classassets.hpp"

#include <string>
#include <string_view>

#include "formats/html.hpp"

namespace vorlak::formats {

std::string classassets::head(std::string_view title, bool withscript) {
    std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; ";
    if (withscript) {
        page += "script-src ";
        page += classassets::scripthash;
        page += "; ";
    }
    page += "style-src ";
    page += classassets::stylehash;
    page += "; base-uri 'none'; form-action 'none'\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    page += htmltext(title);
    page += "</title>\n<style>";
    page += classassets::style;
    page += "</style>\n</head>\n<body>\n";
    return page;
}

}  // namespace vorlak::formats
