#include <gtest/gtest.h>

#include "dates/dates.hpp"
#include "testlines.hpp"

namespace {

using vorlak::tests::reference;

TEST(WorkedExamples, LinesGiveTheirResults) {
    struct example { const char* line; int result; };
    const example examples[] = {
        {"02/29/2000 03/01/2000", 1},     {"01/01/2000 01/01/2000", 0},   {"12/31/1999 01/01/2000", 1},
        {"01/01/2000 12/31/2000", 365},   {"02/29/2000 02/29/2004", 1461}, {"01/01/2000 01/01/1999", -3},
        {"13/01/2000 01/01/2000", -11},   {"13/01/2000 13/01/2000", -11}, {"01/01/2000 13/01/2000", -21},
        {"01/01/1899 01/01/1900", -13},   {"02/29/1900 03/01/1900", -15}, {"01/01/2000 02/30/2000", -24},
        {"01/01/1900 12/31/9999", 2958463},
    };
    for (const auto& e : examples)
        EXPECT_EQ(reference(e.line), e.result) << e.line;
}

}  // namespace
