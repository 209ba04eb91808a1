#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

#include "ModelTestUtil.h"
#include "model/LUnitControl.h"
#include "model/PresetFile.h"

namespace fs = std::filesystem;

namespace
{

constexpr uint8_t kFileDeviceId = 1;

// A private folder per test, removed afterwards.
class PresetFileTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/morvex-model-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = tmpl;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Path(const std::string& name) const { return (dir / name).string(); }

    static std::vector<uint8_t> Slurp(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    static void Spit(const std::string& path, const std::vector<uint8_t>& bytes)
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    fs::path dir;
};

std::vector<uint8_t> ImageBytes(const ParamImage& im)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&im);
    return std::vector<uint8_t>(p, p + sizeof im);
}

// A parameter set in which nearly every field differs from its neighbours and from the defaults,
// with every table index in range. Inputs A..C grouped under A, outputs 1..3 under output 1.
ParamImage DistinctImage()
{
    ParamImage im{};
    std::memcpy(im.presetName, "Loaded set 14c", 14);
    for (int i = 0; i < 3; ++i) {
        InputBlock& in = im.inputs[i];
        std::memcpy(in.name, i == 0 ? "Vocal 01" : "Gtr\0\0\0\0\0", 8);
        in.gate = GateParam{int16_t(10 + i), int16_t(300 + i), int16_t(20 + i), int16_t(90 + i)};
        for (int b = 0; b < 31; ++b)
            in.geq[b] = int16_t(i * 31 + b);
        for (int b = 0; b < 8; ++b)
            in.peq[b] = PeqBand{int16_t(100 + b + i), int16_t(30 * b + i), uint8_t(10 * b + i), uint8_t(b)};
        in.xover = XoverParam{int16_t(5 + i), int16_t(290 - i), uint8_t(1 + i), uint8_t(17 + i)};
        in.gain = uint16_t(270 + i);
        in.polarity = i == 1 ? 0x100 : 0; // non-zero only in its high byte
        in.delay = uint16_t(65000 + i);
        in.link = i == 0 ? 0x07 : 0;
    }
    for (int j = 0; j < 6; ++j) {
        OutputBlock& out = im.outputs[j];
        std::snprintf(reinterpret_cast<char*>(out.name), 8, "Spk%d", j + 1);
        out.routeMask = uint16_t(j % 7 + 1);
        for (int i = 0; i < 3; ++i)
            out.mix[i] = uint16_t(200 + 10 * j + i);
        out.xover = XoverParam{int16_t(40 + j), int16_t(260 + j), uint8_t(9 + j), uint8_t(j)};
        for (int b = 0; b < 9; ++b)
            out.peq[b] =
                PeqBand{int16_t(50 + b + j), int16_t(31 * b + j), uint8_t(11 * b + j), uint8_t(8 - b % 9)};
        out.comp =
            CompParam{int16_t(j + 10), int16_t(100 + j), int16_t(1000 + j), int16_t(j), int16_t(150 + j)};
        out.limit = LimitParam{int16_t(200 + j), int16_t(2000 + j), int16_t(2 * j), int16_t(160 + j)};
        out.gain = uint16_t(250 + j);
        out.polarity = uint16_t(j % 2);
        out.delay = uint16_t(96 * j);
        out.link = j == 0 ? 0x07 : j < 3 ? 0 : uint16_t(1 << j);
    }
    im.inputMute = 0x05;
    im.outputMute = 0x2A;
    for (int ch = 0; ch < 9; ++ch)
        im.bandBypass[ch] = uint16_t(0x0101 * ch + 0x81);
    // Fields outside the stream.
    im.workMode = 3;
    im.sineIndex = 17;
    im.delayUnit = 2;
    im.inputEqBypass = 4;
    im.outputEqBypass = 9;
    im.geqBypass = 2;
    return im;
}

std::vector<uint8_t> FileOf(const ParamImage& im, uint8_t cr = 0x0D, uint8_t lf = 0x0A)
{
    std::vector<uint8_t> file(kFileMagic, kFileMagic + 16);
    const auto bytes = ImageBytes(im);
    file.insert(file.end(), bytes.begin() + 2, bytes.begin() + 1070);
    file.push_back(cr);
    file.push_back(lf);
    return file;
}

std::vector<uint8_t> Word(int v)
{
    return {uint8_t(v & 0xFF), uint8_t((v >> 8) & 0xFF)};
}

std::vector<uint8_t> Cat(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// The command sequence a loaded set is sent as, spelled out field by field.
std::vector<Sent> ExpectedLoad(const ParamImage& im)
{
    std::vector<Sent> out;
    auto add = [&](uint8_t code, std::vector<uint8_t> payload) {
        out.push_back({kFileDeviceId, code, std::move(payload), true});
    };
    auto peq = [](const PeqBand& b) { return Cat({Word(b.gain), Word(b.freq), {b.q, b.type}}); };

    add(38, std::vector<uint8_t>(im.presetName, im.presetName + 14));
    for (uint8_t ch = 0; ch < 3; ++ch) {
        const InputBlock& in = im.inputs[ch];
        add(61, Cat({{ch}, std::vector<uint8_t>(in.name, in.name + 8)}));
        add(62, Cat({{ch},
                     Word(in.gate.attack),
                     Word(in.gate.release),
                     Word(in.gate.hold),
                     Word(in.gate.threshold)}));
        for (uint8_t b = 0; b < 31; ++b)
            add(72, Cat({{ch, b}, Word(in.geq[b])}));
        add(50, Cat({{ch}, Word(in.xover.hpFreq), {in.xover.hpSlope}}));
        add(49, Cat({{ch}, Word(in.xover.lpFreq), {in.xover.lpSlope}}));
        add(52, Cat({{ch}, Word(in.gain)}));
        add(54, {ch, uint8_t(in.polarity != 0)});
        add(56, Cat({{ch}, Word(in.delay)}));
        add(59, {ch, uint8_t(in.link & 0xFF)});
    }
    for (uint8_t j = 0; j < 6; ++j) {
        const uint8_t ch = 3 + j;
        const OutputBlock& o = im.outputs[j];
        add(61, Cat({{ch}, std::vector<uint8_t>(o.name, o.name + 8)}));
        add(58, {ch, uint8_t(o.routeMask & 0xFF)});
        for (uint8_t i = 0; i < 3; ++i)
            add(65, Cat({{ch, i}, Word(o.mix[i])}));
        add(50, Cat({{ch}, Word(o.xover.hpFreq), {o.xover.hpSlope}}));
        add(49, Cat({{ch}, Word(o.xover.lpFreq), {o.xover.lpSlope}}));
        add(48, Cat({{ch},
                     Word(o.comp.ratio),
                     Word(o.comp.attack),
                     Word(o.comp.release),
                     Word(o.comp.knee),
                     Word(o.comp.threshold)}));
        add(63, Cat({{ch},
                     Word(o.limit.attack),
                     Word(o.limit.release),
                     Word(o.limit.knee),
                     Word(o.limit.threshold)}));
        add(52, Cat({{ch}, Word(o.gain)}));
        add(54, {ch, uint8_t(o.polarity != 0)});
        add(56, Cat({{ch}, Word(o.delay)}));
        add(59, {ch, uint8_t(o.link & 0xFF)});
    }
    for (uint8_t ch = 0; ch < 3; ++ch)
        add(53, {ch, uint8_t((im.inputMute >> ch) & 1)});
    for (uint8_t ch = 3; ch < 9; ++ch)
        add(53, {ch, uint8_t((im.outputMute >> (ch - 3)) & 1)});
    for (uint8_t ch = 0; ch < 9; ++ch) {
        const PeqBand* bands = ch < 3 ? im.inputs[ch].peq : im.outputs[ch - 3].peq;
        for (uint8_t b = 0; b < (ch < 3 ? 8 : 9); ++b)
            add(51, Cat({{ch, b}, peq(bands[b]), {uint8_t((im.bandBypass[ch] >> b) & 1)}}));
    }
    return out;
}

} // namespace

TEST_F(PresetFileTest, DefaultModelSavesTheDocumentedFile)
{
    LUnitControl unit;
    std::string written;
    const FileStatus st = SavePresetFile(unit, Path("live"), &written);
    ASSERT_TRUE(st) << st.detail;
    EXPECT_EQ(written, Path("live.prs"));
    const auto file = Slurp(written);
    ASSERT_EQ(file.size(), 1086u);
    const auto head = Hex({"2a2a2a4d4f5256455856303130 2a2a2a", // ***MORVEXV010***
                           "44656661756c7420507265736574",      // Default Preset
                           "496e410000000000",                  // InA
                           "0000 6300 6300 0000"});             // gate 0 99 99 0
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + head.size()), head);
    EXPECT_EQ(file[1084], 0x0D);
    EXPECT_EQ(file[1085], 0x0A);
    // Output 1's block at file offset 450 starts with its name.
    EXPECT_EQ(std::string(file.begin() + 450, file.begin() + 458), std::string("Out1\0\0\0\0", 8));
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(PresetFileTest, RoundTripIsByteExactAndKeepsTheTailFields)
{
    const ParamImage src = DistinctImage();
    Spit(Path("set.prs"), FileOf(src));

    LUnitControl unit;
    unit.SetDelayUnit(1);
    unit.SetGeqBypassMask(5);
    unit.SetEqBypassMask(0, 6);
    unit.SetEqBypassMask(3, 0x30);
    const ParamImage before = unit.GetImage();

    std::vector<uint8_t> stream;
    const FileStatus st = ReadPresetFile(Path("set.prs"), stream);
    ASSERT_TRUE(st) << st.detail;
    ASSERT_TRUE(unit.LoadStream(stream));

    const auto got = ImageBytes(unit.GetImage());
    const auto want = ImageBytes(src);
    const auto old = ImageBytes(before);
    EXPECT_EQ(std::vector<uint8_t>(got.begin() + 2, got.begin() + 1070),
              std::vector<uint8_t>(want.begin() + 2, want.begin() + 1070));
    EXPECT_EQ(std::vector<uint8_t>(got.begin() + 1070, got.end()),
              std::vector<uint8_t>(old.begin() + 1070, old.end()));
    EXPECT_EQ(got[0], old[0]);
    EXPECT_EQ(got[1], old[1]);

    ASSERT_TRUE(SavePresetFile(unit, Path("again.prs")));
    EXPECT_EQ(Slurp(Path("again.prs")), FileOf(src));
}

TEST_F(PresetFileTest, LoadSendsEveryFieldInOrderAppendedWhateverTheRefreshFlag)
{
    const ParamImage src = DistinctImage();
    std::vector<uint8_t> stream;
    ASSERT_TRUE(ParsePresetFile(FileOf(src), stream));

    for (bool updating : {false, true}) {
        SCOPED_TRACE(updating ? "updating" : "not updating");
        LUnitControl unit;
        RecordingSink sink;
        sink.updating = updating;
        unit.SetSink(&sink);
        ASSERT_TRUE(unit.LoadStream(stream));
        const auto expected = ExpectedLoad(src);
        ASSERT_EQ(expected.size(), 283u);
        EXPECT_EQ(sink.sent, expected);
        EXPECT_TRUE(sink.marked.empty());
    }
}

// Linked channels still get the values of their own block.
TEST_F(PresetFileTest, GroupedFileLoadsPerChannel)
{
    const ParamImage src = DistinctImage();
    std::vector<uint8_t> stream;
    ASSERT_TRUE(ParsePresetFile(FileOf(src), stream));
    LUnitControl unit;
    ASSERT_TRUE(unit.LoadStream(stream));
    EXPECT_EQ(unit.GetLinkGroup(1), 0x07);
    for (int ch = 0; ch < 3; ++ch)
        EXPECT_EQ(unit.GetGain(ch), 270 + ch);
    for (int ch = 3; ch < 6; ++ch)
        EXPECT_EQ(unit.GetGain(ch), 250 + ch - 3);
}

TEST_F(PresetFileTest, BadFilesAreRefusedAndChangeNothing)
{
    const std::vector<uint8_t> good = FileOf(DistinctImage());
    auto with = [&](size_t offset, uint8_t value) {
        auto f = good;
        f[offset] = value;
        return f;
    };
    // File offsets: input A at 30, output 1 at 450.
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"one byte short", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"one byte long", Cat({good, {0x0A}})},
        {"truncated", std::vector<uint8_t>(good.begin(), good.begin() + 500)},
        {"twice as long", Cat({good, good})},
        {"wrong head", with(3, 'X')},
        {"head in lower case", with(4, 'm')},
        {"unit-file length with head", Cat({good, std::vector<uint8_t>(21674 - 1086, 0)})},
        {"frequency index above 300", with(30 + 78 + 3, 0x02)}, // A band 0 freq := 512
        {"negative frequency index", with(30 + 78 + 3, 0xFF)},
        {"Q index above 100", with(30 + 78 + 4, 101)},
        {"band type above 8", with(450 + 22 + 5, 9)},
        {"high-pass slope above 20", with(30 + 126 + 4, 21)},
        {"low-pass slope above 20", with(450 + 16 + 5, 255)},
        {"compressor ratio above 15", with(450 + 76, 16)},
        {"crossover frequency above 300", with(450 + 16 + 2, 0x2D)},
    };
    {
        std::vector<uint8_t> stream;
        ASSERT_TRUE(ParsePresetFile(good, stream)) << "the base file must be good";
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Spit(Path("bad.prs"), c.bytes);
        LUnitControl unit;
        RecordingSink sink;
        unit.SetSink(&sink);
        const auto before = ImageBytes(unit.GetImage());
        std::vector<uint8_t> stream;
        const FileStatus st = ReadPresetFile(Path("bad.prs"), stream);
        EXPECT_FALSE(st);
        EXPECT_EQ(st.key, "SID_INFO_ERROR_FILE");
        EXPECT_FALSE(st.detail.empty());
        EXPECT_TRUE(stream.empty());
        EXPECT_EQ(ImageBytes(unit.GetImage()), before);
        EXPECT_TRUE(sink.sent.empty());
    }
}

TEST_F(PresetFileTest, UnreadableFilesAreRefused)
{
    fs::create_directory(dir / "folder.prs");
    ::mkfifo(Path("pipe.prs").c_str(), 0600);
    for (const char* name : {"missing.prs", "folder.prs", "pipe.prs"}) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> stream;
        const FileStatus st = ReadPresetFile(Path(name), stream);
        EXPECT_FALSE(st);
        EXPECT_EQ(st.key, "SID_INFO_ERROR_FILE");
        EXPECT_NE(st.detail.find(name), std::string::npos) << st.detail;
    }
}

TEST_F(PresetFileTest, TailBytesAreNotTested)
{
    std::vector<uint8_t> stream;
    EXPECT_TRUE(ParsePresetFile(FileOf(DistinctImage(), 0x00, 0xFF), stream));
    EXPECT_EQ(stream.size(), 1068u);
}

TEST(PresetStream, ShortStreamIsRefused)
{
    LUnitControl unit;
    RecordingSink sink;
    unit.SetSink(&sink);
    const std::vector<uint8_t> stream(1067, 0);
    EXPECT_FALSE(unit.LoadStream(stream));
    EXPECT_TRUE(sink.sent.empty());
    EXPECT_EQ(unit.GetGain(0), 280);
}

TEST(PresetStream, WriteStreamIsHeadAndImageBytes)
{
    LUnitControl unit;
    const auto s = unit.WriteStream();
    ASSERT_EQ(s.size(), 1084u);
    EXPECT_EQ(std::string(s.begin(), s.begin() + 16), "***MORVEXV010***");
    const auto im = ImageBytes(unit.GetImage());
    EXPECT_TRUE(std::equal(s.begin() + 16, s.end(), im.begin() + 2));
}

TEST(PresetFileName, Normalisation)
{
    struct Case {
        const char* name;
        const char* chosen;
        const char* written;
    };
    const Case cases[] = {
        {"no extension", "live", "live.prs"},
        {"lower-case extension", "live.prs", "live.prs"},
        {"upper-case extension", "live.PRS", "live.prs"},
        {"mixed-case extension", "live.Prs", "live.Prs.prs"},
        {"extension inside the name", "a.prs.old", "a.prs"},
        {"another extension", "my.set", "my.set.prs"},
        {"full path", "/home/u/shows/live", "/home/u/shows/live.prs"},
        {"folder with the extension", "/home/u/old.prs.d/live", "/home/u/old.prs.d/live.prs"},
        {"dot at the end", "live.", "live..prs"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NormalisePresetFileName(c.chosen), c.written);
    }
}

TEST_F(PresetFileTest, FailedSaveIsReportedAndKeepsTheOldFile)
{
    LUnitControl unit;
    // A folder stands where the file would go: the rename fails.
    fs::create_directory(dir / "taken.prs");
    FileStatus st = SavePresetFile(unit, Path("taken"));
    EXPECT_FALSE(st);
    EXPECT_EQ(st.key, "SID_INFO_ERROR_FILE");
    EXPECT_TRUE(fs::is_directory(dir / "taken.prs"));

    st = SavePresetFile(unit, Path("no/such/folder/x"));
    EXPECT_FALSE(st);
    EXPECT_EQ(st.key, "SID_INFO_ERROR_FILE");

    // Only the folder made above remains: no temporary file is left.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(PresetFileTest, SaveReplacesAnExistingFileWhole)
{
    Spit(Path("old.prs"), std::vector<uint8_t>(5000, 0xEE));
    fs::permissions(Path("old.prs"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    LUnitControl unit;
    ASSERT_TRUE(SavePresetFile(unit, Path("old.prs")));
    EXPECT_EQ(Slurp(Path("old.prs")), FileOf(unit.GetImage()));
    EXPECT_EQ(fs::status(Path("old.prs")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
