#include "platform/text/cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, EveryByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
}

TEST(Cp1252, SoftHyphenAndEuro) {
    EXPECT_EQ(cp1252::toUtf8("\xAD"), "\u00AD");
    EXPECT_EQ(cp1252::toUtf8("\x80"), "\u20AC");
    EXPECT_EQ(cp1252::fromUtf8("\u20AC\u00E9"), "\x80\xE9");
}

TEST(Cp1252, MissingCharactersAreReplaced) {
    EXPECT_EQ(cp1252::fromUtf8("a\u4E2Db"), "a?b");
    EXPECT_FALSE(cp1252::representable("\u4E2D"));
    EXPECT_TRUE(cp1252::representable("caf\u00E9"));
    EXPECT_EQ(cp1252::fromUtf8("\xFF"
                               "a"),
              "?a"); // malformed UTF-8
}

TEST(Cp1252, LengthCountsCharacters) {
    EXPECT_EQ(cp1252::length("caf\u00E9"), 4u);
    EXPECT_EQ(cp1252::length(""), 0u);
}
