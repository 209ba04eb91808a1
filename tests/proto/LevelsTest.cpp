// The level reply: each level from its three upper float bytes, the flags low byte first.
#include "proto/Levels.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

TEST(LevelReply, LevelsAndFlagsFromTheirBytes)
{
    std::vector<uint8_t> p(proto::kLevelReplySize, 0);
    // 1.0f = 3F 80 00 00 as bytes 2, 3, 1: 80 3F 00; -0.5f = BF 00 00 00: 00 BF 00.
    const uint8_t one[] = {0x80, 0x3F, 0x00}, minusHalf[] = {0x00, 0xBF, 0x00};
    std::copy(std::begin(one), std::end(one), p.begin());                  // slot 0
    std::copy(std::begin(minusHalf), std::end(minusHalf), p.begin() + 33); // slot 11
    p[36] = 0x05;
    p[37] = 0x81;
    const auto r = proto::DecodeLevelReply(p);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->levels[0], 1.0f);
    EXPECT_EQ(r->levels[1], 0.0f);
    EXPECT_EQ(r->levels[11], -0.5f);
    EXPECT_EQ(r->flags, 0x8105);

    p.push_back(0xFF); // bytes past the reply are not read
    EXPECT_EQ(proto::DecodeLevelReply(p)->flags, 0x8105);
    for (size_t n : {size_t(0), size_t(3), proto::kLevelReplySize - 1}) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(proto::DecodeLevelReply(std::span<const uint8_t>(p.data(), n)));
    }
}

} // namespace
