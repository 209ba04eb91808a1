// The device dialogs end to end: the window on the test device over loopback TCP; afterwards the
// device holds what the user chose.
#include "WindowOnDevice.h"
#include "app/dialogs/DeviceDialogs.h"
#include "app/main/MainSessionView.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/RoundEdit.h"
#include "proto/Commands.h"
#include "proto/LCmd.h"

#include <gtest/gtest.h>

using namespace app;

namespace
{

struct Frame {
    int code;
    std::vector<uint8_t> payload;
    bool operator==(const Frame&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Frame& f)
{
    os << f.code << ":";
    for (uint8_t b : f.payload)
        os << ' ' << int(b);
    return os;
}

class DialogsOnDevice : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TDialogForm::ModalRunner = [](TDialogForm*) {};
        rig = std::make_unique<testapp::WindowOnDevice>();
    }
    void TearDown() override
    {
        rig.reset();
        TDialogForm::ModalRunner = nullptr;
    }
    TDeviceDialogs& D() { return *rig->Main->DeviceDialogs(); }
    LSyncMachine& Machine() { return rig->Main->Session().Machine; }
    bool Idle()
    {
        return rig->Until([&] { return !Machine().Busy() && Machine().ProcessState() == PS_IDLE; });
    }
    // The settings were read again after the frames so far: the device got 34 and the read's closing
    // 18, and the window is idle with its level poll on.
    bool ReadAgain()
    {
        return rig->Until([&] {
            const std::vector<uint8_t> codes = rig->Device.ReceivedCodes();
            const auto dump = std::find(codes.begin(), codes.end(), uint8_t(proto::kParamDump));
            return dump != codes.end() &&
                   std::find(dump + 1, codes.end(), uint8_t(proto::kIdle)) != codes.end() &&
                   !Machine().Busy() && Machine().ProcessState() == PS_IDLE &&
                   rig->Main->View().LevelPollOn();
        });
    }
    // The device's frames of these codes since the last clear, in order.
    std::vector<Frame> Received(std::initializer_list<int> codes)
    {
        std::vector<Frame> out;
        for (const BSTM& f : rig->Device.ReceivedFrames()) {
            const LCmd c(f);
            if (std::find(codes.begin(), codes.end(), c.GetCode()) != codes.end())
                out.push_back(
                    {c.GetCode(), std::vector<uint8_t>(c.GetPayload().begin(), c.GetPayload().end())});
        }
        return out;
    }
    std::string DevicePresetName(int p)
    {
        return rig->Device.WithState([p](morvex_device::DeviceState& s) {
            const auto& body = s.Presets[std::size_t(p - 1)].Body;
            return std::string(body.begin() + 2, body.begin() + 16);
        });
    }
    std::unique_ptr<testapp::WindowOnDevice> rig;
};

TEST_F(DialogsOnDevice, StoreRenameAndRecall)
{
    ASSERT_TRUE(rig->ConnectTcp());
    // Store the current settings as user preset 3 named Live.
    D().fmStorePreset->ShowModal();
    D().fmStorePreset->vledPresetNameSelectCell(3);
    D().fmStoreName->edName->SetText(QStringLiteral("Live"));
    D().fmStoreName->btnOKClick();
    EXPECT_EQ(D().fmStoreName->edName->Text(), QStringLiteral("Live          "));
    ASSERT_TRUE(Idle());
    EXPECT_EQ(DevicePresetName(3), "Live          ");
    EXPECT_EQ(D().fmStorePreset->vledPresetName->Name(2), "Live          ");
    EXPECT_EQ(D().fmRecallPreset->vledPresetName->Name(3), "Live          ");

    // Rename output 2, then recall the stored preset: the name comes back from the device.
    rig->Main->OpenChannelNameDialog(4, QStringLiteral("Out2"));
    D().fmChannelName->edName->SetText(QStringLiteral("50% Mid"));
    D().fmChannelName->btnOKClick();
    ASSERT_TRUE(rig->WaitDeviceMatchesModel());
    const ParamImage image = rig->Device.Image();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.outputs[1].name), 8),
              std::string("50% Mid\0", 8));

    D().fmRecallPreset->ShowModal();
    D().fmRecallPreset->vledPresetNameSelectCell(4);
    D().fmStoreName->btnOKClick();
    ASSERT_TRUE(Idle());
    EXPECT_EQ(Machine().PresetNumber(), 3);
    EXPECT_TRUE(rig->DeviceMatchesModel());
    const auto back = rig->Main->Unit()->GetChannelName(4);
    EXPECT_EQ(std::string(back.begin(), back.end()), std::string("Out2\0\0\0\0", 8)) << "the stored name";
}

TEST_F(DialogsOnDevice, LinkAndUnlinkSendTheirSequence)
{
    ASSERT_TRUE(rig->ConnectTcp());
    TfmLinkSel& d = *D().fmLinkSel;
    rig->Main->Unit()->SetGain(3, 99);
    ASSERT_TRUE(rig->WaitDeviceMatchesModel());
    rig->Device.ClearReceived();
    d.ShowModal();
    d.ClickGridButton(4, 3); // output 2 joins output 1
    d.bnSetClick();
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(rig->WaitDeviceMatchesModel());
    const std::vector<Frame> join = {{proto::kCopy, {3, 4}}, {proto::kLink, {3, 3}}, {proto::kLink, {4, 0}}};
    EXPECT_EQ(Received({proto::kCopy, proto::kLink}), join);
    const auto after = Received({proto::kCopy, proto::kLink, proto::kIdle, proto::kParamDump});
    ASSERT_GE(after.size(), 5u);
    EXPECT_EQ(after[3].code, proto::kIdle);
    EXPECT_EQ(after[4].code, proto::kParamDump) << "the resync reads the device again";
    EXPECT_EQ(rig->Device.Image().outputs[1].gain, 99);
    EXPECT_EQ(rig->Main->Unit()->GetLink(3), 3);
    EXPECT_EQ(rig->Main->Get<fw::TControl>(QStringLiteral("rzbMenuOut2"))->Caption(), QStringLiteral("2=1"));

    rig->Device.ClearReceived();
    d.ShowModal();
    d.ClickGridButton(4, 4);
    d.bnSetClick();
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(rig->WaitDeviceMatchesModel());
    EXPECT_EQ(Received({proto::kCopy, proto::kLink}),
              (std::vector<Frame>{{proto::kLink, {3, 1}}, {proto::kLink, {4, 2}}}));
    EXPECT_EQ(rig->Device.Image().outputs[0].link, 1);
    EXPECT_EQ(rig->Device.Image().outputs[1].link, 2);
    EXPECT_EQ(rig->Main->Get<fw::TControl>(QStringLiteral("rzbMenuOut2"))->Caption(), QStringLiteral("Out2"));
}

TEST_F(DialogsOnDevice, SetSendsCopiesThenLinkWordsThenTheResync)
{
    ASSERT_TRUE(rig->ConnectTcp());
    TfmLinkSel& d = *D().fmLinkSel;
    using proto::kCopy, proto::kLink, proto::kIdle, proto::kParamDump;
    struct Step {
        const char* name;
        std::vector<std::pair<int, int>> clicks; // grid button: row channel, column channel
        std::vector<Frame> frames;
        std::array<int, 6> links; // the output words afterwards
    };
    // Each step starts from the groups the one before left.
    const Step steps[] = {
        {"outputs 2 and 3 join output 1",
         {{4, 3}, {5, 3}},
         {{kCopy, {3, 4}}, {kCopy, {3, 5}}, {kLink, {3, 7}}, {kLink, {4, 0}}, {kLink, {5, 0}}, {kIdle, {}}},
         {7, 0, 0, 8, 16, 32}},
        {"output 2 leaves the group of output 1",
         {{4, 4}},
         {{kLink, {3, 5}}, {kLink, {4, 2}}, {kIdle, {}}},
         {5, 2, 0, 8, 16, 32}},
        {"output 3 leaves output 1 and leads output 4",
         {{5, 5}, {6, 5}},
         {{kLink, {3, 1}}, {kCopy, {5, 6}}, {kLink, {5, 12}}, {kLink, {6, 0}}, {kIdle, {}}},
         {1, 2, 12, 0, 16, 32}},
        {"output 3 joins output 2, output 4 leads again",
         {{5, 4}},
         {{kCopy, {4, 5}}, {kLink, {4, 6}}, {kLink, {5, 0}}, {kLink, {6, 8}}, {kIdle, {}}},
         {1, 6, 0, 8, 16, 32}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        rig->Device.ClearReceived();
        d.ShowModal();
        for (auto [row, col] : step.clicks)
            d.ClickGridButton(row, col);
        d.bnSetClick();
        EXPECT_FALSE(d.IsShown());
        ASSERT_TRUE(ReadAgain());
        // Every frame up to the read that the acknowledgement of 18 starts (the polls aside).
        std::vector<Frame> expected = step.frames;
        expected.push_back({kParamDump, {}});
        std::vector<Frame> got;
        for (const BSTM& f : rig->Device.ReceivedFrames()) {
            const LCmd c(f);
            if (c.GetCode() == proto::kLevels)
                continue;
            if (got.empty() && c.GetCode() == kIdle)
                continue; // an idle poll that went out before the dialog's frames
            got.push_back({c.GetCode(), std::vector<uint8_t>(c.GetPayload().begin(), c.GetPayload().end())});
            if (c.GetCode() == kParamDump)
                break;
        }
        EXPECT_EQ(got, expected);
        for (int j = 0; j < 6; ++j) {
            EXPECT_EQ(rig->Device.Image().outputs[std::size_t(j)].link, step.links[std::size_t(j)]) << j;
            EXPECT_EQ(rig->Main->Unit()->GetLink(3 + j), step.links[std::size_t(j)]) << j;
        }
    }
    EXPECT_EQ(rig->Main->Get<fw::TControl>(QStringLiteral("rzbMenuOut3"))->Caption(), QStringLiteral("3=2"));
    EXPECT_EQ(rig->Main->Get<fw::TControl>(QStringLiteral("rzbMenuOut4"))->Caption(), QStringLiteral("Out4"));
}

TEST_F(DialogsOnDevice, CopySendsOneCommandPerClick)
{
    ASSERT_TRUE(rig->ConnectTcp());
    rig->Main->Unit()->SetGain(0, 42);
    ASSERT_TRUE(rig->WaitDeviceMatchesModel());
    rig->Device.ClearReceived();
    TfmCopy& d = *D().fmCopy;
    d.ShowModal();
    d.cbInSource->SetItemIndex(0);
    d.cbInDestination->SetItemIndex(2);
    d.bnInChCopy->OnClick(d.bnInChCopy);
    ASSERT_TRUE(Idle());
    d.cbInDestination->SetItemIndex(0);
    d.bnInChCopy->OnClick(d.bnInChCopy); // onto itself: nothing
    ASSERT_TRUE(rig->WaitDeviceMatchesModel());
    EXPECT_EQ(Received({proto::kCopy}), (std::vector<Frame>{{proto::kCopy, {0, 2}}}));
    EXPECT_EQ(rig->Main->Unit()->GetGain(2), 42) << "the view was read again from the device";
    EXPECT_TRUE(d.IsShown()) << "the dialog stays open";
}

TEST_F(DialogsOnDevice, LockSetupTellsWhatItDid)
{
    ASSERT_TRUE(rig->ConnectTcp());
    rig->Device.ClearReceived();
    TfmLockSetup& lock = *D().fmLockSetup;
    TfmInformation& info = *rig->Main->Dialogs()->fmInformation;
    lock.ShowModal();
    lock.btnOKClick(); // the default password
    EXPECT_FALSE(info.IsShown()) << "no box of its own online";
    ASSERT_TRUE(rig->Until([&] { return !rig->Main->Session().LinkOpen(); }));
    EXPECT_FALSE(lock.IsShown());
    EXPECT_EQ(Received({proto::kSetLock, proto::kDisconnect}),
              (std::vector<Frame>{{proto::kSetLock, {'4', '7', '1', '9'}}, {proto::kDisconnect, {}}}));
    EXPECT_TRUE(rig->Device.WithState([](morvex_device::DeviceState& s) { return s.Locked; }));
    info.Close();

    // The link is closed now: nothing to lock, and the user is told so.
    rig->Device.ClearReceived();
    lock.ShowModal();
    lock.btnOKClick();
    EXPECT_FALSE(lock.IsShown());
    EXPECT_TRUE(info.IsShown());
    EXPECT_EQ(info.lbMessage->Caption(), QStringLiteral("No device connected !!"));
    EXPECT_TRUE(rig->Device.ReceivedFrames().empty());
}

TEST_F(DialogsOnDevice, LockThenUnlockWithTheSamePassword)
{
    ASSERT_TRUE(rig->ConnectTcp());
    rig->Device.ClearReceived();
    TfmLockSetup& lock = *D().fmLockSetup;
    lock.ShowModal();
    lock.edName->SetText(QStringLiteral("ab"));
    lock.btnOKClick();
    ASSERT_TRUE(rig->Until([&] { return !rig->Main->Session().LinkOpen(); }));
    EXPECT_FALSE(lock.IsShown());
    EXPECT_EQ(Received({proto::kSetLock, proto::kDisconnect}),
              (std::vector<Frame>{{proto::kSetLock, {'A', 'B', 0, 0}}, {proto::kDisconnect, {}}}));
    EXPECT_TRUE(rig->Device.WithState([](morvex_device::DeviceState& s) { return s.Locked; }));

    // The next connection asks for the password; the same typing unlocks.
    rig->Device.ClearReceived();
    LLinkSession& s = rig->Main->Session();
    s.Core.ClientSocket.SetActive(true);
    ASSERT_TRUE(rig->Until([&] { return s.Core.ClientSocket.Connected(); }));
    ASSERT_TRUE(s.OpenNet());
    TfmLockPassWord& prompt = *D().fmLockPassWord;
    ASSERT_TRUE(rig->Until([&] { return prompt.IsShown(); }));
    EXPECT_EQ(prompt.edName->Text(), QStringLiteral("****"));
    prompt.edName->SetText(QStringLiteral("ab"));
    prompt.btnOKClick();
    // Accepted: the prompt closes and the full read follows.
    ASSERT_TRUE(rig->Until([&] {
        return !prompt.IsShown() && Machine().Online() && !Machine().Busy() &&
               rig->Main->View().LevelPollOn();
    }));
    EXPECT_EQ(Received({proto::kPassSubmit}),
              (std::vector<Frame>{{proto::kPassSubmit, {0, 'A', 'B', 0, 0}}}));
    EXPECT_TRUE(rig->DeviceMatchesModel());
}

} // namespace
