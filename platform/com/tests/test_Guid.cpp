#include <gtest/gtest.h>

#include "com/Guid.h"

using com::Guid;

TEST(Guid, TextRoundTripAndByteImage) {
    const auto g = Guid::parse("{3F53C702-5296-42FF-BD60-3C37A4308F7D}");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->toString(), "{3F53C702-5296-42FF-BD60-3C37A4308F7D}");
    const std::array<std::uint8_t, 16> expected{0x02, 0xC7, 0x53, 0x3F, 0x96, 0x52, 0xFF, 0x42,
                                                0xBD, 0x60, 0x3C, 0x37, 0xA4, 0x30, 0x8F, 0x7D};
    EXPECT_EQ(g->toBytes(), expected);
    EXPECT_EQ(Guid::fromBytes(expected), *g);
}

TEST(Guid, ParseAcceptsLowerCaseAndNoBraces) {
    EXPECT_EQ(Guid::parse("3f53c702-5296-42ff-bd60-3c37a4308f7d"),
              Guid::parse("{3F53C702-5296-42FF-BD60-3C37A4308F7D}"));
}

TEST(Guid, ParseRejectsMalformedText) {
    for (const char* bad :
         {"", "{3F53C702-5296-42FF-BD60-3C37A4308F7D", "{3F53C702-5296-42FF-BD60-3C37A4308F7G}",
          "{3F53C702+5296-42FF-BD60-3C37A4308F7D}", "3F53C702-5296-42FF-BD60-3C37A4308F7D0"}) {
        EXPECT_FALSE(Guid::parse(bad)) << bad;
    }
}

TEST(Guid, OrderingAndHashFollowValue) {
    const Guid a = Guid::fromString("{00000001-0000-0000-0000-000000000000}");
    const Guid b = Guid::fromString("{00000002-0000-0000-0000-000000000000}");
    EXPECT_LT(a, b);
    EXPECT_NE(com::GuidHash{}(a), com::GuidHash{}(b));
    EXPECT_TRUE(Guid{}.isNull());
    EXPECT_FALSE(a.isNull());
}
