#include <gtest/gtest.h>

#include "link/LFramer.h"
#include "link/LSendQueue.h"
#include "link/LTrafficLog.h"
#include "proto/Commands.h"

namespace
{

std::vector<BSTM> FeedAll(LFramer& f, const BSTM& bytes)
{
    std::vector<BSTM> out;
    for (uint8_t b : bytes) {
        if (f.OnByte(b))
            out.push_back(f.Take());
    }
    return out;
}

BSTM Reply(uint8_t id, uint8_t code, BSTM payload = {})
{
    CM_MCS_CMD c(id, code);
    c.GetPayload() = std::move(payload);
    return BuildFrame(c);
}

BSTM Cat(std::initializer_list<BSTM> parts)
{
    BSTM out;
    for (const BSTM& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(LFramer, AssemblesFramesFromByteStreams)
{
    const BSTM gain = BuildFrame(CM_MCS_GAIN(1, 3, 280));
    const BSTM ack = Reply(1, 1, {0});
    struct Case {
        const char* name;
        LFramer::Kind kind;
        BSTM bytes;
        std::vector<BSTM> want;
    } cases[] = {
        {"doubled 0x10 before the start",
         LFramer::Kind::Stream,
         {0x10, 0x10, 0x02, 0x00, 0x01, 0x01, 0x10, 0x10, 0x03, 0x11},
         {{0x10, 0x02, 0x00, 0x01, 0x01, 0x10, 0x10, 0x03, 0x11}}},
        {"two replies back to back", LFramer::Kind::Stream, Cat({gain, ack}), {gain, ack}},
        {"garbage before a frame", LFramer::Kind::Stream, Cat({{0x55, 0x02, 0x10, 0x99, 0x03}, ack}), {ack}},
        {"len 0 never completes on TCP and USB; the next frame is found",
         LFramer::Kind::Stream,
         Cat({{0x10, 0x02, 0x00, 0x01, 0x00, 0x10, 0x03, 0x00}, ack}),
         {ack}},
        {"len 0 completes at 8 bytes on RS-232",
         LFramer::Kind::Serial,
         {0x10, 0x02, 0x00, 0x01, 0x00, 0x10, 0x03, 0x00},
         {{0x10, 0x02, 0x00, 0x01, 0x00, 0x10, 0x03, 0x00}}},
        {"impossible length byte resynchronises",
         LFramer::Kind::Stream,
         Cat({{0x10, 0x02, 0x00, 0x01, 0xF0}, gain}),
         {gain}},
        {"wrong end markers are still handed over",
         LFramer::Kind::Stream,
         {0x10, 0x02, 0x00, 0x01, 0x01, 0x10, 0xAA, 0xBB, 0xCC},
         {{0x10, 0x02, 0x00, 0x01, 0x01, 0x10, 0xAA, 0xBB, 0xCC}}},
        {"a frame starting inside a rejected header is found",
         LFramer::Kind::Stream,
         Cat({{0x10, 0x02, 0x10, 0x02}, BSTM(ack.begin() + 2, ack.end())}),
         {ack}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LFramer f(c.kind);
        EXPECT_EQ(FeedAll(f, c.bytes), c.want);
    }
}

TEST(LFramer, AnySplitOfTheStreamGivesTheSameFrames)
{
    const BSTM stream = Cat({{0x33, 0x10},
                             Reply(1, 19, {'M', 'O', 'R', 'V', 'E', 'X'}),
                             Reply(1, 1, {0x10, 0x10}),
                             {0x10, 0x02, 0x00, 0x01, 0x00},
                             Reply(2, 64, BSTM(38, 0x10))});
    LFramer whole;
    const std::vector<BSTM> want = FeedAll(whole, stream);
    ASSERT_EQ(want.size(), 3u);
    // Splitting never matters to a byte framer; the pieces model Receive calls of every size.
    for (size_t piece = 1; piece <= stream.size(); ++piece) {
        SCOPED_TRACE(piece);
        LFramer f;
        std::vector<BSTM> got;
        for (size_t at = 0; at < stream.size(); at += piece) {
            BSTM part(stream.begin() + at, stream.begin() + std::min(stream.size(), at + piece));
            for (BSTM& fr : FeedAll(f, part))
                got.push_back(std::move(fr));
        }
        EXPECT_EQ(got, want);
    }
}

struct Q {
    const char* cmd;
    BSTM frame;
    bool noCoalesce;
};

BSTM Gain(int ch, int v)
{
    return BuildFrame(CM_MCS_GAIN(1, ch, v));
}
BSTM Mute(int ch, int v)
{
    return BuildFrame(CM_MCS_MUTE(1, ch, v));
}
BSTM Peq(int ch, int band, int gain)
{
    PeqBand b{};
    b.gain = static_cast<int16_t>(gain);
    return BuildFrame(CM_MCS_PEQ(1, ch, band, b, 0));
}

BSTM Op(int code, int arg)
{
    return BuildFrame(CM_MCS_CMD(1, static_cast<uint8_t>(code), static_cast<uint8_t>(arg)));
}
BSTM Levels()
{
    return BuildFrame(CM_MCS_CMD(1, proto::kLevels));
}

TEST(LSendQueue, AnEditReplacesTheQueuedEditOfItsTargetInPlace)
{
    struct Case {
        const char* name;
        std::vector<Q> after; // handed in while a request is outstanding
        std::vector<BSTM> want;
    } cases[] = {
        {"ten gains of one channel leave the newest",
         [] {
             std::vector<Q> v;
             for (int i = 1; i <= 10; ++i)
                 v.push_back({"gain", Gain(3, i), false});
             return v;
         }(),
         {Gain(3, 10)}},
        {"gain, mute, gain: the newer gain takes the first one's place",
         {{"g", Gain(3, 1), false}, {"m", Mute(3, 1), false}, {"g", Gain(3, 2), false}},
         {Gain(3, 2), Mute(3, 1)}},
        {"gain of another channel is kept",
         {{"g3", Gain(3, 1), false}, {"g4", Gain(4, 2), false}},
         {Gain(3, 1), Gain(4, 2)}},
        {"gain of another device id is kept",
         {{"id1", Gain(3, 1), false}, {"id2", BuildFrame(CM_MCS_GAIN(2, 3, 2)), false}},
         {Gain(3, 1), BuildFrame(CM_MCS_GAIN(2, 3, 2))}},
        {"peq of another band is kept, a band's newer value stays in its place",
         {{"b0", Peq(0, 0, 5), false},
          {"b1", Peq(0, 1, 6), false},
          {"b0", Peq(0, 0, 7), false},
          {"b1", Peq(0, 1, 8), false}},
         {Peq(0, 0, 7), Peq(0, 1, 8)}},
        {"peq band of another channel is kept",
         {{"c0", Peq(0, 2, 5), false}, {"c1", Peq(1, 2, 6), false}},
         {Peq(0, 2, 5), Peq(1, 2, 6)}},
        {"a queued gain is never replaced by a peq",
         {{"g", Gain(3, 1), false}, {"p", Peq(0, 0, 1), true}, {"p", Peq(0, 0, 2), false}},
         {Gain(3, 1), Peq(0, 0, 1), Peq(0, 0, 2)}},
        {"an edit never moves across an operation",
         {{"g", Gain(3, 1), false},
          {"store", Op(proto::kStore, 4), true},
          {"g", Gain(3, 2), false},
          {"g", Gain(3, 3), false}},
         {Gain(3, 1), Op(proto::kStore, 4), Gain(3, 3)}},
        {"an edit appended as an operation is neither replaced nor replaces",
         {{"g", Gain(3, 1), false},
          {"m", Mute(3, 1), true},
          {"g", Gain(3, 2), false},
          {"m", Mute(3, 2), true}},
         {Gain(3, 1), Mute(3, 1), Gain(3, 2), Mute(3, 2)}},
        {"operations are never merged",
         {{"recall", Op(proto::kRecall, 2), true},
          {"recall", Op(proto::kRecall, 2), true},
          {"block", Op(proto::kReadBlock, 1), true},
          {"block", Op(proto::kReadBlock, 1), true},
          {"bye", Op(proto::kDisconnect, 0), true}},
         {Op(proto::kRecall, 2), Op(proto::kRecall, 2), Op(proto::kReadBlock, 1), Op(proto::kReadBlock, 1),
          Op(proto::kDisconnect, 0)}},
        {"a level request between two gains does not stop the replacement",
         {{"g", Gain(3, 1), false}, {"l", Levels(), false}, {"g", Gain(3, 2), false}},
         {Gain(3, 2), Levels()}},
        {"level requests merge only back to back",
         {{"l", Levels(), false}, {"l", Levels(), false}, {"g", Gain(3, 1), false}, {"l", Levels(), false}},
         {Levels(), Gain(3, 1), Levels()}},
        {"a burst to many targets keeps one frame each, in first order, with the last values",
         [] {
             std::vector<Q> v;
             for (int round = 0; round < 5; ++round)
                 for (int ch = 0; ch < 9; ++ch)
                     v.push_back({"gain", Gain(ch, round * 10 + ch), false});
             return v;
         }(),
         [] {
             std::vector<BSTM> v;
             for (int ch = 0; ch < 9; ++ch)
                 v.push_back(Gain(ch, 40 + ch));
             return v;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LSendQueue q;
        ASSERT_TRUE(q.Queue(Gain(0, 0), true).has_value()); // outstanding
        for (const Q& e : c.after)
            EXPECT_FALSE(q.Queue(e.frame, e.noCoalesce).has_value());
        EXPECT_EQ(std::vector<BSTM>(q.Frames().begin(), q.Frames().end()), c.want);
    }
}

TEST(LSendQueue, NextHandsFramesInOrderAndEndsBusy)
{
    LSendQueue q;
    EXPECT_TRUE(q.Queue(Gain(3, 1), false).has_value());
    EXPECT_TRUE(q.Busy());
    q.Queue(Gain(3, 2), false);
    EXPECT_EQ(q.Next(), Gain(3, 2));
    // The sent frame is no longer replaceable: the next edit queues behind the outstanding one.
    q.Queue(Gain(3, 3), false);
    EXPECT_EQ(q.Size(), 1u);
    EXPECT_EQ(q.Next(), Gain(3, 3));
    EXPECT_FALSE(q.Next().has_value());
    EXPECT_FALSE(q.Busy());
    EXPECT_TRUE(q.Queue(Gain(3, 4), false).has_value());
}

TEST(LTrafficLog, LinesHaveThePrefixAndTwoDigitsAndABlankPerByte)
{
    const uint8_t bytes[] = {0x10, 0x02, 0x00, 0x01, 0x01, 0x10, 0x10, 0x03, 0x11, 0xEE};
    EXPECT_EQ(BuildLogLine("NET W ", bytes, 3), "NET W 10 02 00 ");
    EXPECT_EQ(UsbLogPrefix(true, 0), "USB W 00  ");
    EXPECT_EQ(UsbLogPrefix(false, 0x0A), "USB R 0A  ");
    EXPECT_EQ(FrameExtent(bytes, sizeof bytes), 9u); // len 1: 9 bytes, the trailing byte left out
    EXPECT_EQ(FrameExtent(bytes, 4), 4u);            // no length byte: never read past the end
    const uint8_t longLen[] = {0x10, 0x02, 0x00, 0x01, 0x40, 0x01};
    EXPECT_EQ(FrameExtent(longLen, sizeof longLen), sizeof longLen);
}

} // namespace
