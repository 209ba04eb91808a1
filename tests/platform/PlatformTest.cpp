#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/HidBackend.h"
#include "platform/ModuleLoader.h"
#include "platform/SerialPortList.h"

namespace fs = std::filesystem;
using namespace platform;

namespace
{

class TempTree
{
  public:
    TempTree()
    {
        FRoot = fs::temp_directory_path() /
                ("morvex-sys-" + std::to_string(::getpid()) + "-" + std::to_string(++FCount));
        fs::create_directories(FRoot);
    }
    ~TempTree() { fs::remove_all(FRoot); }
    void File(const std::string& rel, const std::string& text)
    {
        fs::create_directories((FRoot / rel).parent_path());
        std::ofstream(FRoot / rel, std::ios::binary) << text;
    }
    void Dir(const std::string& rel) { fs::create_directories(FRoot / rel); }
    std::string Root() const { return FRoot.string(); }

  private:
    fs::path FRoot;
    static inline int FCount = 0;
};

TEST(ReportDescriptor, LengthsIncludeTheIdByte)
{
    // Vendor page, 64-byte input and output reports without report ids.
    const uint8_t vendor64[] = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00,
                                0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x40, 0x09, 0x01,
                                0x81, 0x02, 0x95, 0x40, 0x09, 0x01, 0x91, 0x02, 0xC0};
    // Numbered: report 1 has 8 input bytes, report 2 has 16 input bytes and 4 feature bytes.
    const uint8_t numbered[] = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x95, 0x08,
                                0x81, 0x02, 0x85, 0x02, 0x95, 0x10, 0x81, 0x02, 0x95, 0x04, 0xB1, 0x02, 0xC0};
    // Push/pop restore the report size; bits round up to whole bytes.
    const uint8_t pushPop[] = {0x75, 0x01, 0x95, 0x03, 0xA4, 0x75, 0x08,
                               0x95, 0x02, 0x91, 0x02, 0xB4, 0x81, 0x02};
    struct Case {
        const char* name;
        const uint8_t* data;
        size_t size;
        bool ok;
        HidReportLengths want;
    } cases[] = {
        {"vendor 64", vendor64, sizeof vendor64, true, {65, 65, 0, false}},
        {"numbered", numbered, sizeof numbered, true, {17, 0, 5, true}},
        {"push and pop", pushPop, sizeof pushPop, true, {2, 3, 0, false}},
        {"item cut short", vendor64, 13, false, {}},
        {"pop without push", (const uint8_t*)"\xB4", 1, false, {}},
        {"report id 0", (const uint8_t*)"\x85\x00", 2, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HidReportLengths got;
        ASSERT_EQ(ParseReportDescriptor(c.data, c.size, &got), c.ok);
        if (!c.ok)
            continue;
        EXPECT_EQ(got.InputReportByteLength, c.want.InputReportByteLength);
        EXPECT_EQ(got.OutputReportByteLength, c.want.OutputReportByteLength);
        EXPECT_EQ(got.FeatureReportByteLength, c.want.FeatureReportByteLength);
        EXPECT_EQ(got.NumberedReports, c.want.NumberedReports);
    }
}

TEST(KernelName, NeverReadsPastTheBufferWithoutATerminator)
{
    char full[8];
    std::memcpy(full, "ABCDEFGH", 8); // filled to the end: the kernel wrote no terminator
    char shorter[8] = {'M', 'o', 'r', 'v', 0, 'x', 'x', 'x'};
    struct Case {
        const char* name;
        const char* buffer;
        int returned;
        std::string want;
    } cases[] = {
        {"name fills the buffer", full, 8, "ABCDEFGH"},
        {"length beyond the buffer", full, 300, "ABCDEFGH"},
        {"terminated name", shorter, 5, "Morv"},
        {"terminator past the copied bytes", full, 3, "ABC"},
        {"failed request", full, -1, ""},
        {"nothing copied", full, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(KernelName(c.buffer, c.returned, 8), c.want);
    }
}

TEST(Uevent, KeysAndHidId)
{
    auto m = ParseUevent(
        "DRIVER=hid-generic\nHID_ID=0003:00001209:00007E5A\nHID_NAME=Tolvane Morvex\r\nbroken\n=x\n");
    EXPECT_EQ(m.size(), 3u);
    EXPECT_EQ(m["HID_NAME"], "Tolvane Morvex");
    uint32_t bus = 0;
    uint16_t v = 0, p = 0;
    ASSERT_TRUE(ParseHidId(m["HID_ID"], &bus, &v, &p));
    EXPECT_EQ(bus, 3u);
    EXPECT_EQ(v, 0x1209);
    EXPECT_EQ(p, 0x7E5A);
    for (const char* bad : {"", "0003:1209", "0003:123456789:1", "0003:00011209:0001", "x:y:z"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ParseHidId(bad, &bus, &v, &p));
    }
}

TEST(HidrawBackend, ScansASysfsTree)
{
    TempTree t;
    t.Dir("class/hidraw");
    t.File("devices/usb1/0003:1209:7E5A.0001/uevent",
           "HID_ID=0003:00001209:00007E5A\nHID_NAME=Morvex\nHID_PHYS=usb-1/input0\n");
    t.File("devices/usb1/0003:1209:7E5A.0001/report_descriptor",
           std::string("\x75\x08\x95\x40\x81\x02\x91\x02", 8));
    t.File("devices/usb2/0003:046D:C077.0002/uevent", "HID_ID=0003:0000046D:0000C077\n");
    t.File("devices/usb3/bad/uevent", "HID_NAME=no id\n");
    for (auto [node, target] : {std::pair{"hidraw0", "usb1/0003:1209:7E5A.0001"},
                                {"hidraw1", "usb2/0003:046D:C077.0002"},
                                {"hidraw2", "usb3/bad"}}) {
        t.Dir(std::string("class/hidraw/") + node);
        fs::create_directory_symlink(t.Root() + "/devices/" + target,
                                     t.Root() + "/class/hidraw/" + node + "/device");
    }
    HidrawBackend b(t.Root(), "/nonexistent-dev");
    if (!b.Bind())
        GTEST_SKIP() << "libudev.so.1 is not installed";
    auto devs = b.Scan();
    ASSERT_EQ(devs.size(), 2u); // the node without HID_ID is left out
    EXPECT_EQ(devs[0].DevicePath, "/nonexistent-dev/hidraw0");
    EXPECT_EQ(devs[0].Attributes.VendorID, 0x1209);
    EXPECT_EQ(devs[0].FriendlyName, "Morvex");
    EXPECT_NE(devs[0].DeviceID, devs[1].DeviceID);
    HidReportLengths len;
    ASSERT_TRUE(b.GetReportLengths(-1, devs[0], &len));
    EXPECT_EQ(len.InputReportByteLength, 65);
    EXPECT_EQ(b.Open(devs[0].DevicePath, true), -1);
    b.Unbind();
    EXPECT_TRUE(b.Scan().empty());
}

TEST(HidrawBackend, NoHidrawClassMeansNotBound)
{
    TempTree t;
    HidrawBackend b(t.Root());
    EXPECT_FALSE(b.Bind());
    EXPECT_TRUE(b.Scan().empty());
}

TEST(ModuleLoader, LoadsLooksUpAndUnloads)
{
    ModuleHandle h = nullptr;
    EXPECT_EQ(GetModuleSymbol(nullptr, "morvex_probe"), nullptr);
    ASSERT_TRUE(LoadModule(h, MORVEX_TEST_MODULE));
    ModuleHandle same = h;
    EXPECT_TRUE(LoadModule(h, "no-such-library.so")); // a loaded handle stays as it is
    EXPECT_EQ(h, same);
    auto probe = reinterpret_cast<int (*)()>(GetModuleSymbol(h, "morvex_probe"));
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe(), 42);
    bool all = false;
    EXPECT_NE(GetModuleSymbolEx(h, "morvex_probe", all), nullptr);
    EXPECT_FALSE(all); // a false flag stays false
    all = true;
    EXPECT_EQ(GetModuleSymbolEx(h, "morvex_missing", all), nullptr);
    EXPECT_FALSE(all);
    int v = 0;
    EXPECT_TRUE(ReadModuleData(h, "morvex_data", &v, sizeof v));
    EXPECT_EQ(v, 7);
    int nine = 9;
    EXPECT_TRUE(WriteModuleData(h, "morvex_data", &nine, sizeof nine));
    EXPECT_TRUE(ReadModuleData(h, "morvex_data", &v, sizeof v));
    EXPECT_EQ(v, 9);
    UnloadModule(h);
    EXPECT_EQ(h, nullptr);
    ModuleHandle none = nullptr;
    EXPECT_FALSE(LoadModuleEx(none, "no-such-library.so", {TModuleLoadMethod::ltDontResolveDllReferences}));
}

TEST(ModuleLoader, ClassAndAllOrNothingBinding)
{
    TModuleLoader loader(MORVEX_TEST_MODULE);
    ASSERT_TRUE(loader.Loaded());
    void* preset = reinterpret_cast<void*>(&loader);
    EXPECT_TRUE(loader.GetProcedure("anything", preset)); // set beforehand: found without a look-up
    void* p = nullptr;
    EXPECT_FALSE(loader.GetProcedure("morvex_missing", p));
    EXPECT_TRUE(TModuleLoader::IsAvaliable(MORVEX_TEST_MODULE, "morvex_probe"));
    EXPECT_FALSE(TModuleLoader::IsAvaliable(MORVEX_TEST_MODULE, "morvex_missing"));

    TModuleBinding missing;
    EXPECT_FALSE(missing.Bind(MORVEX_TEST_MODULE, {"morvex_probe", "morvex_missing"}));
    EXPECT_FALSE(missing.IsBound());
    for (size_t i = 0; i < missing.SlotCount(); ++i)
        EXPECT_EQ(missing.Slot(i), nullptr);

    TModuleBinding counted;
    EXPECT_TRUE(counted.Bind(MORVEX_TEST_MODULE, {"morvex_probe", "morvex_data"}));
    EXPECT_TRUE(counted.Bind(MORVEX_TEST_MODULE, {"morvex_probe", "morvex_data"}));
    counted.Unbind();
    EXPECT_TRUE(counted.IsBound());
    counted.Unbind();
    EXPECT_FALSE(counted.IsBound());
    EXPECT_EQ(counted.Slot(0), nullptr);
}

TEST(SerialPortList, PortNumberOrderWithoutConsoleOrPhantoms)
{
    TempTree t;
    t.File("class/tty/console/active", "ttyS0 tty0\n");
    for (auto [name, type, dev] : {std::tuple{"ttyS0", "4", true},
                                   {"ttyS1", "0", true},
                                   {"ttyUSB10", "", true},
                                   {"ttyUSB2", "", true},
                                   {"ttyS3", "4", true},
                                   {"tty5", "", false}}) {
        t.Dir(std::string("class/tty/") + name);
        if (*type)
            t.File(std::string("class/tty/") + name + "/type", type);
        if (dev)
            t.Dir(std::string("class/tty/") + name + "/device");
    }
    auto ports = ListSerialPorts(t.Root(), "/dev");
    std::vector<std::string> names;
    for (auto& p : ports)
        names.push_back(p.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"ttyUSB2", "ttyS3", "ttyUSB10"}));
    EXPECT_EQ(ports[0].Path, "/dev/ttyUSB2");

    SetSerialPortProvider([] { return std::vector<SerialPortEntry>{{"pts7", "/dev/pts/7"}}; });
    EXPECT_EQ(AvailableSerialPorts().size(), 1u);
    SetSerialPortProvider({});
    EXPECT_EQ(SerialPortNumber("COM10"), 10);
    EXPECT_EQ(SerialPortNumber("tty"), -1);
}

} // namespace
