#include <gtest/gtest.h>

#include "mutants/mutants.hpp"
#include "testlines.hpp"

namespace {

using namespace vorlak;

TEST(OrderedSet, HoldsSixtyFiveMutantsInNumberOrder) {
    for (int i = 0; i < mutants::mutantcount; i++)
        EXPECT_EQ(mutants::mutantset[static_cast<std::size_t>(i)].number, i + 1);
}

}  // namespace
