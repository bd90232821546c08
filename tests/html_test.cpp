// The HTML page: nothing a test line holds may end a script element or
// become markup, and the data must read back as the same report.
#include <cstddef>
#include <string>
#include <string_view>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "formats/html.hpp"

namespace {

using vorlak::formats::htmlavailable;
using vorlak::formats::htmlhowto;
using vorlak::formats::htmlscriptdata;
using vorlak::formats::htmltext;
using vorlak::formats::renderhtml;

constexpr std::string_view datastart = "<script type=\"application/json\" id=\"vorlak-report-data\">";

std::size_t count(std::string_view text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The text of the data block, as the HTML parser would end it.
std::string_view datablock(std::string_view page) {
    std::size_t from = page.find(datastart);
    if (from == std::string_view::npos)
        return {};
    from += datastart.size();
    std::size_t to = page.find("</", from);
    return page.substr(from, to - from);
}

// A report whose test names hold what a test line may hold.
nlohmann::json hostilereport() {
    nlohmann::json tests = nlohmann::json::array();
    const char* names[] = {
        "</script><script>window.injected = 1</script>",
        "</SCRIPT >",
        "<!-- <script>",
        "<img src=x onerror=\"window.injected = 2\">",
        "\"double\" 'single' `back` & &amp; \\",
        "line\xE2\x80\xA8separator\xE2\x80\xA9paragraph",
        "]]> --> <![CDATA[",
    };
    int id = 1;
    for (const char* name : names)
        tests.push_back({{"id", std::to_string(id++)}, {"name", name}});
    tests.push_back({{"id", "zero"}, {"name", std::string("zero\0byte", 9)}});
    return {{"schemaVersion", "2"},
            {"thresholds", {{"high", 80}, {"low", 60}}},
            {"files", nlohmann::json::object()},
            {"testFiles", {{"hostile.txt", {{"tests", tests}}}}}};
}

TEST(HtmlScriptData, EscapesWhatCouldEndTheScriptElement) {
    EXPECT_EQ(htmlscriptdata(R"({"a":"</script>"})"), R"({"a":"\u003c/script\u003e"})");
    EXPECT_EQ(htmlscriptdata(R"(["<!--","&amp;"])"), R"(["\u003c!--","\u0026amp;"])");
    EXPECT_EQ(htmlscriptdata("[\"\xE2\x80\xA8\xE2\x80\xA9\"]"), R"(["\u2028\u2029"])");
}

TEST(HtmlScriptData, LeavesEverythingElseAlone) {
    // Other characters of the same first bytes as the line separators.
    std::string text = "[\"caf\xC3\xA9 \xE2\x80\xA7 \xE2\x80\xAA \xF0\x9F\x98\x80 \\u003c \\\"\"]";
    EXPECT_EQ(htmlscriptdata(text), text);
    EXPECT_EQ(htmlscriptdata(""), "");
}

TEST(HtmlScriptData, ReadsBackAsTheSameReport) {
    nlohmann::json report = hostilereport();
    for (int indent : {-1, 2}) {
        std::string escaped = htmlscriptdata(report.dump(indent));
        EXPECT_EQ(nlohmann::json::parse(escaped), report);
        for (std::string_view raw : {"<", ">", "&", "\xE2\x80\xA8", "\xE2\x80\xA9"})
            EXPECT_EQ(escaped.find(raw), std::string::npos) << raw;
    }
}

TEST(HtmlText, EscapesMarkup) {
    EXPECT_EQ(htmltext("a<b>&\"c\"'d'"), "a&lt;b&gt;&amp;&quot;c&quot;&#39;d&#39;");
    EXPECT_EQ(htmltext("starter.txt: 33/65 mutants killed. (51%)"), "starter.txt: 33/65 mutants killed. (51%)");
}

TEST(HtmlText, KeepsUtf8AndReplacesWhatIsNot) {
    EXPECT_EQ(htmltext("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"), "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80");
    const std::string_view fffd = "\xEF\xBF\xBD";
    EXPECT_EQ(htmltext("\xFF"), fffd);
    EXPECT_EQ(htmltext("a\xC3"), std::string("a") + std::string(fffd));      // cut short at the end
    EXPECT_EQ(htmltext("\xC0\x80"), std::string(fffd) + std::string(fffd));  // overlong zero
    EXPECT_EQ(htmltext("\xE0\x80\xBC"), std::string(fffd) + std::string(fffd) + std::string(fffd));  // overlong <
    EXPECT_EQ(htmltext("\xED\xA0\x80").find('\xED'), std::string::npos);                             // surrogate
    EXPECT_EQ(htmltext("\xF4\x90\x80\x80").find('\xF4'), std::string::npos);                         // past U+10FFFF
    EXPECT_EQ(htmltext("\xF4\x8F\xBF\xBF"), "\xF4\x8F\xBF\xBF");                                     // U+10FFFF itself
    // A bad byte must not swallow the markup character after it.
    EXPECT_EQ(htmltext("\xE2<"), std::string(fffd) + "&lt;");
}

TEST(HtmlText, ReplacesControlCharacters) {
    EXPECT_EQ(htmltext(std::string("a\0b\nc\x7F", 6)), "a\xEF\xBF\xBD"
                                                       "b\xEF\xBF\xBD"
                                                       "c\xEF\xBF\xBD");
}

TEST(HtmlPage, NoTestLineEndsAScriptOrAddsMarkup) {
    std::string json = hostilereport().dump();
    std::string page = renderhtml(json, "hostile.txt: 0/65 mutants killed. (0%)");
    std::string plain = renderhtml(R"({"schemaVersion":"2","files":{}})", "plain");
    std::string low = lower(page);
    // The same elements whatever the data holds: three scripts, one viewer.
    EXPECT_EQ(count(low, "</script"), 3u);
    EXPECT_EQ(count(low, "</script"), count(lower(plain), "</script"));
    EXPECT_EQ(count(low, "<script"), count(lower(plain), "<script"));
    EXPECT_EQ(count(low, "<img"), count(lower(plain), "<img"));
    EXPECT_EQ(count(low, "<!--"), count(lower(plain), "<!--"));

    std::string_view data = datablock(page);
    ASSERT_FALSE(data.empty());
    EXPECT_EQ(nlohmann::json::parse(data), hostilereport());
    for (std::string_view raw : {"<", ">", "\xE2\x80\xA8", "\xE2\x80\xA9", "onerror=\""})
        EXPECT_EQ(data.find(raw), std::string_view::npos) << raw;
}

TEST(HtmlPage, TitleIsTextInBothPlaces) {
    std::string page = renderhtml("{}", "a<b>\"c\" & d.txt: 1/65");
    std::string_view shown = "a&lt;b&gt;&quot;c&quot; &amp; d.txt: 1/65";
    EXPECT_NE(page.find("<title>" + std::string(shown) + "</title>"), std::string::npos);
    EXPECT_NE(page.find("title-postfix=\"" + std::string(shown) + "\""), std::string::npos);
    EXPECT_EQ(page.find("a<b>"), std::string::npos);
}

TEST(HtmlPage, LoadsNothingAndRunsOnlyItsOwnScripts) {
    std::string page = renderhtml("{}", "t");
    ASSERT_EQ(page.rfind("<!DOCTYPE html>\n", 0), 0u);
    std::size_t csp = page.find("http-equiv=\"Content-Security-Policy\"");
    ASSERT_NE(csp, std::string::npos);
    EXPECT_LT(csp, page.find("<script"));  // in force before any script
    std::string_view policy = std::string_view(page).substr(csp, page.find('>', csp) - csp);
    EXPECT_NE(policy.find("default-src 'none'"), std::string_view::npos);
    EXPECT_EQ(count(policy, "'unsafe-inline'"), 1u);
    EXPECT_NE(policy.find("style-src 'unsafe-inline'"), std::string_view::npos);
    std::size_t scripts = policy.find("script-src");
    ASSERT_NE(scripts, std::string_view::npos);
    std::string_view sources = policy.substr(scripts, policy.find(';', scripts) - scripts);
    EXPECT_EQ(sources.find("unsafe"), std::string_view::npos);
    EXPECT_EQ(count(sources, "'sha256-"), htmlavailable() ? 2u : 0u);

    // Around the viewer, the page names nothing to load.
    std::size_t viewer = page.find("<script>") + 8;
    std::string frame = page.substr(0, viewer) + page.substr(page.find("</script>", viewer));
    EXPECT_EQ(frame.find("src="), std::string::npos);
    EXPECT_EQ(frame.find("href="), std::string::npos);
    EXPECT_EQ(count(frame, "http"), 1u);  // http-equiv
}

TEST(HtmlPage, CarriesTheViewerWhenBuiltWithIt) {
    std::string page = renderhtml("{}", "t");
    if (!htmlavailable()) {
        EXPECT_NE(htmlhowto().find("npm ci --prefix formats/web"), std::string_view::npos);
        GTEST_SKIP() << "built without the viewer";
    }
    EXPECT_GT(page.size(), 100000u);
    EXPECT_NE(page.find("customElements"), std::string::npos);
    EXPECT_NE(page.find("mutation-test-report-app"), std::string::npos);
    EXPECT_NE(page.find("mutation-testing-elements 3.9."), std::string::npos);
}

}  // namespace
