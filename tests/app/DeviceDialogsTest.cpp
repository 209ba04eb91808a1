// The device dialogs on a window whose commands go to a recorder: preset lists and name, link grid and
// copy, panel lock, channel names.
#include "app/dialogs/DeviceDialogs.h"
#include "TestApp.h"
#include "WindowFixture.h"
#include "app/main/MainSessionView.h"
#include "app/main/TfmMain.h"
#include "base/CodePage.h"
#include "controls/panels/LedButtons.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/RoundEdit.h"
#include "model/LUnitControl.h"
#include "proto/Commands.h"
#include "proto/LCmd.h"
#include "session/LLinkSession.h"

#include <QTest>
#include <gtest/gtest.h>

#include <cstring>

using namespace app;

namespace
{

using Sent = testapp::SentFrame;

void Type(fx::TRoundEdit* e, const QString& text)
{
    for (QChar c : text)
        testapp::Key(e->InnerEdit(), QEvent::KeyPress, c.toUpper().unicode(), QString(c));
}

std::vector<uint8_t> NameBytes(const char* text)
{
    std::vector<uint8_t> b(8, 0);
    for (size_t i = 0; i < 8 && text[i]; ++i)
        b[i] = uint8_t(text[i]);
    return b;
}

class DeviceDialogs : public testapp::WindowFixture
{
  protected:
    void SetUp() override
    {
        SetCodePage(CodePage::Windows1252);
        // Every channel its own group, every dialog closed.
        for (int ch = 0; ch < 9; ++ch)
            w->Unit()->SetLink(ch, uint16_t(1 << (ch < 3 ? ch : ch - 3)));
        w->View().ShowAllParams();
        for (QWidget* d : QApplication::topLevelWidgets())
            if (auto* f = dynamic_cast<TDialogForm*>(d))
                f->Close();
        sent.clear();
        modal.clear();
    }
    TDeviceDialogs& D() { return *w->DeviceDialogs(); }
    template <class T> T* Get(const char* name) { return w->Get<T>(QString::fromLatin1(name)); }
    // Sets the words without a frame and refreshes the view from them.
    void SetWords(std::initializer_list<std::pair<int, int>> words)
    {
        for (auto [ch, word] : words)
            w->Unit()->SetLink(ch, uint16_t(word));
        w->View().ShowAllParams();
        sent.clear();
    }
};

// ---- presets ----

TEST_F(DeviceDialogs, PresetListsHoldFixedRowsAndReplaceOneRow)
{
    TPresetList& store = *D().fmStorePreset->vledPresetName;
    TPresetList& recall = *D().fmRecallPreset->vledPresetName;
    ASSERT_EQ(store.RowCount(), 20);
    ASSERT_EQ(recall.RowCount(), 21);
    EXPECT_EQ(store.RowText(0), "     U01=  Default Preset");
    EXPECT_EQ(recall.RowText(0), "     F00=  Default Preset");
    EXPECT_EQ(recall.RowText(20), "     U20=  Default Preset");
    const std::string storeBefore = store.ListText(), recallBefore = recall.ListText();
    EXPECT_EQ(storeBefore.size(), 20u * 27);

    // The model reports user preset 3: row U03 of both lists, nothing else.
    w->View().ShowPresetName(3, "Live          ");
    std::string expected = storeBefore;
    expected.replace(2 * 27 + 11, 14, "Live          ");
    EXPECT_EQ(store.ListText(), expected);
    expected = recallBefore;
    expected.replace(3 * 27 + 11, 14, "Live          ");
    EXPECT_EQ(recall.ListText(), expected);

    struct Case {
        const char* name;
        CodePage page;
        std::string bytes;
        std::string shown; // the row's 14 bytes
    };
    const Case cases[] = {
        {"bytes that do not round-trip", CodePage::Windows1252, "\x81\x8d\x8f\x90\x9d",
         "\x81\x8d\x8f\x90\x9d         "},
        {"longer than 14 bytes", CodePage::Windows1252, "ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMN"},
        // Seven double-byte characters and one more: the cut keeps whole characters.
        {"double-byte cut", CodePage::Gbk, "a" + Utf8ToCodePage("前后左右上下中", CodePage::Gbk),
         "a" + Utf8ToCodePage("前后左右上下", CodePage::Gbk) + " "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetCodePage(c.page);
        const std::string before = store.ListText();
        D().fmStorePreset->SetPresetName(0, c.bytes);
        EXPECT_EQ(store.Name(0), c.shown);
        EXPECT_EQ(store.ListText().substr(27), before.substr(27));
    }
    SetCodePage(CodePage::Windows1252);
    for (int p = 1; p <= 20; ++p)
        w->View().ShowPresetName(p, "Default Preset");
}

TEST_F(DeviceDialogs, ChoosingARowOpensTheNameDialog)
{
    struct Case {
        const char* name;
        bool recall;
        int row;
        const char* title;
        int index;
    };
    const Case cases[] = {
        {"store row 7", false, 7, "U07 : ", 6},           {"store row 1", false, 1, "U01 : ", 0},
        {"recall row 1 (factory)", true, 1, "F00 : ", 0}, {"recall row 8", true, 8, "U07 : ", 7},
        {"recall row 21", true, 21, "U20 : ", 20},
    };
    TfmStoreName& name = *D().fmStoreName;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TfmPresetList& list = c.recall ? *D().fmRecallPreset : *D().fmStorePreset;
        list.ShowModal();
        list.vledPresetName->OnSelectCell(c.row);
        EXPECT_TRUE(name.IsShown());
        EXPECT_FALSE(name.ShownModally());
        EXPECT_EQ(name.lTitle->Caption(), QString::fromLatin1(c.title));
        EXPECT_EQ(name.PresetIndex(), c.index);
        EXPECT_EQ(name.StoreMode(), c.recall ? 0 : 1);
        EXPECT_EQ(name.edName->Enabled(), !c.recall);
        EXPECT_EQ(name.edName->Text(), QStringLiteral("Default Preset"));
        name.bnCancelClick();
        EXPECT_FALSE(name.IsShown());
        EXPECT_TRUE(list.IsShown()) << "the list stays open for another choice";
        list.bnCancelClick();
        EXPECT_FALSE(list.IsShown());
    }
    // A click on the grid's title row chooses nothing.
    D().fmStorePreset->ShowModal();
    testapp::ClickAt(D().fmStorePreset->vledPresetName, 20, 5);
    EXPECT_FALSE(name.IsShown());
    testapp::ClickAt(D().fmStorePreset->vledPresetName, 20, 3 * TPresetList::kRowHeight + 5);
    EXPECT_EQ(name.lTitle->Caption(), QStringLiteral("U03 : "));
    name.Close();
    D().fmStorePreset->Close();
}

TEST_F(DeviceDialogs, OfflineStoreAndRecallChangeNothing)
{
    TfmStoreName& name = *D().fmStoreName;
    D().fmStorePreset->ShowModal();
    D().fmStorePreset->vledPresetNameSelectCell(3);
    name.edName->SetText(QString());
    Type(name.edName, QStringLiteral("Live"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&name));
    QTest::keyClick(name.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(name.edName->Text(), QStringLiteral("Live          "));
    EXPECT_FALSE(name.IsShown());
    EXPECT_FALSE(D().fmStorePreset->IsShown());
    // Nothing was stored, so no list shows the name.
    EXPECT_EQ(D().fmStorePreset->vledPresetName->Name(2), "Default Preset");
    EXPECT_EQ(D().fmRecallPreset->vledPresetName->Name(3), "Default Preset");

    D().fmRecallPreset->ShowModal();
    D().fmRecallPreset->vledPresetNameSelectCell(1);
    name.btnOKClick();
    EXPECT_FALSE(name.IsShown());
    EXPECT_FALSE(D().fmRecallPreset->IsShown());
    EXPECT_TRUE(sent.empty());
}

TEST_F(DeviceDialogs, StoreAndRecallButtonsOpenTheListsModally)
{
    Get<fw::TControl>("bStore")->OnClick(nullptr);
    Get<fw::TControl>("bRecall")->OnClick(nullptr);
    ASSERT_EQ(modal.size(), 2u);
    EXPECT_EQ(modal[0], D().fmStorePreset.get());
    EXPECT_EQ(modal[1], D().fmRecallPreset.get());
    EXPECT_EQ(D().fmStorePreset->windowTitle(), QStringLiteral("Store Preset"));
    EXPECT_EQ(D().fmRecallPreset->lPresetSelect->Caption(), QStringLiteral("Recall Preset"));
    D().fmStorePreset->Close();
    D().fmRecallPreset->Close();
}

// ---- link and copy ----

TEST_F(DeviceDialogs, LinkGridStartsWithEveryChannelLeadingItself)
{
    TfmLinkSel& d = *D().fmLinkSel;
    for (const char* n : {"rzbALinkInA", "rzbCLinkInA", "rzbCLinkInB", "rzb4LinkOut2", "rzb6LinkOut6"})
        EXPECT_NE(d.FindComponent(QString::fromLatin1(n)), nullptr) << n;
    EXPECT_EQ(d.FindComponent(QStringLiteral("rzbALinkInB")), nullptr);
    EXPECT_EQ(d.FindComponent(QStringLiteral("rzb1LinkOut2")), nullptr);
    for (int row = 0; row < 9; ++row)
        for (int col = row < 3 ? 0 : 3; col <= row; ++col) {
            EXPECT_EQ(d.GridButton(row, col)->Down(), row == col) << row << "," << col;
            EXPECT_TRUE(d.GridButton(row, col)->Enabled()) << row << "," << col;
        }
}

TEST_F(DeviceDialogs, JoiningAGroupFreesTheMembersOfTheJoiningChannel)
{
    // Output 4 in the group of output 3.
    SetWords({{5, 12}, {6, 0}});
    TfmLinkSel& d = *D().fmLinkSel;
    d.Show();
    EXPECT_TRUE(d.GridButton(6, 5)->Down());
    d.ClickGridButton(5, 4); // output 3 joins output 2
    EXPECT_TRUE(d.GridButton(5, 4)->Down());
    EXPECT_TRUE(d.GridButton(6, 6)->Down()) << "output 4 leads itself again";
    for (int row = 6; row <= 8; ++row)
        EXPECT_FALSE(d.GridButton(row, 5)->Enabled()) << row;
    EXPECT_TRUE(d.GridButton(7, 6)->Enabled());
    // A disabled button cannot be chosen.
    d.ClickGridButton(7, 5);
    EXPECT_FALSE(d.GridButton(7, 5)->Down());
    d.bnExitClick();
}

TEST_F(DeviceDialogs, SetWritesChangedWordsInLeaderOrderOffline)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> words;
        std::vector<std::pair<int, int>> clicks; // row, column
        std::vector<Sent> frames;
    };
    const Case cases[] = {
        {"output 2 leaves the group of output 1",
         {{3, 7}, {4, 0}, {5, 0}},
         {{4, 4}},
         {{proto::kLink, {3, 5}, true}, {proto::kLink, {4, 2}, true}}},
        {"output 3 joins output 2, output 4 freed",
         {{5, 12}, {6, 0}},
         {{5, 4}},
         {{proto::kLink, {4, 6}, true}, {proto::kLink, {5, 0}, true}, {proto::kLink, {6, 8}, true}}},
        {"input C joins input A", {}, {{2, 0}}, {{proto::kLink, {0, 5}, true}, {proto::kLink, {2, 0}, true}}},
    };
    TfmLinkSel& d = *D().fmLinkSel;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        for (auto [ch, word] : c.words)
            w->Unit()->SetLink(ch, uint16_t(word));
        w->View().ShowAllParams();
        sent.clear();
        d.ShowModal();
        for (auto [row, col] : c.clicks)
            d.ClickGridButton(row, col);
        d.bnSetClick();
        EXPECT_EQ(sent, c.frames);
        EXPECT_FALSE(d.IsShown());
        EXPECT_EQ(w->CurrentPage(), 11) << "the Gain page is shown";
        for (int ch = 0; ch < 9; ++ch)
            EXPECT_EQ(w->Unit()->GetLink(ch), d.GridWord(ch)) << ch;
    }
}

TEST_F(DeviceDialogs, SetCopiesANewMemberOfflineAndCaptionsItsButton)
{
    w->Unit()->SetGain(3, 100);
    w->Unit()->SetGain(4, 20);
    sent.clear();
    TfmLinkSel& d = *D().fmLinkSel;
    d.ShowModal();
    d.ClickGridButton(4, 3);
    d.bnSetClick();
    EXPECT_EQ(w->Unit()->GetGain(4), 100) << "output 2 took output 1's settings";
    EXPECT_EQ(sent, (std::vector<Sent>{{proto::kLink, {3, 3}, true}, {proto::kLink, {4, 0}, true}}));
    EXPECT_EQ(Get<fw::TControl>("rzbMenuOut2")->Caption(), QStringLiteral("2=1"));
    EXPECT_EQ(Get<fw::TControl>("rzbMenuOut1")->Caption(), QStringLiteral("Out1"));
    // Output 2 no longer leads: its overlays are hidden and off.
    for (const char* n : {"vrbShow2Gain", "vrbShow2Out1", "vrbShow2Out3", "vrbShow2Out6"}) {
        auto* b = Get<sk::TLedPowerButton>(n);
        ASSERT_NE(b, nullptr) << n;
        EXPECT_FALSE(b->Visible()) << n;
        EXPECT_FALSE(b->Active()) << n;
    }
    EXPECT_TRUE(Get<fw::TControl>("vrbShow1Gain")->Visible());
}

TEST_F(DeviceDialogs, ExitRestoresTheGridOnlyAfterAChange)
{
    TfmLinkSel& d = *D().fmLinkSel;
    d.ShowModal();
    d.ClickGridButton(1, 0);
    d.ClickGridButton(7, 3);
    EXPECT_TRUE(d.LinkChanged());
    d.bnExitClick();
    EXPECT_FALSE(d.IsShown());
    for (int ch = 0; ch < 9; ++ch)
        EXPECT_EQ(d.GridWord(ch), w->Unit()->GetLink(ch)) << ch;
    EXPECT_TRUE(sent.empty());

    // A change left over from an earlier showing is not this showing's change.
    d.ShowModal();
    d.ClickGridButton(1, 0);
    d.ShowModal();
    EXPECT_FALSE(d.LinkChanged());
    d.bnExitClick();
    EXPECT_TRUE(d.GridButton(1, 0)->Down());
    w->View().ShowAllParams();
    EXPECT_TRUE(d.GridButton(1, 1)->Down());
}

TEST_F(DeviceDialogs, ChannelButtonCaptions)
{
    struct Case {
        int a, b;
        const char* button;
        const char* caption;
    };
    const Case cases[] = {{3, 4, "rzbMenuOut2", "2=1"},
                          {4, 4, "rzbMenuOut2", "Out2"},
                          {1, 1, "rzbMenuInB", "InB"},
                          {0, 1, "rzbMenuInB", "B=A"},
                          {0, 2, "rzbGeqSelInC", "C=A"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        w->SetChannelMenuCaption(c.a, c.b);
        EXPECT_EQ(Get<fw::TControl>(c.button)->Caption(), QString::fromLatin1(c.caption));
    }
    w->SetChannelMenuCaption(1, 1);
    EXPECT_EQ(Get<fw::TControl>("rzbGeqSelInB")->Caption(), QStringLiteral("InB"));
    w->SetChannelMenuCaption(2, 2);
}

TEST_F(DeviceDialogs, CopyDialogNeedsTwoDifferentChosenChannels)
{
    TfmCopy& d = *D().fmCopy;
    EXPECT_EQ(d.cbInSource->Text(), QStringLiteral("InA"));
    EXPECT_EQ(d.cbInDestination->Text(), QStringLiteral("InB"));
    EXPECT_EQ(d.cbOutDestination->Text(), QStringLiteral("Out2"));
    // Input B leads input C: a copy onto B reaches its whole group.
    SetWords({{1, 6}, {2, 0}});
    w->Unit()->SetGain(0, 50);
    w->Unit()->SetGain(1, 10);
    w->Unit()->SetGain(2, 11);
    w->Unit()->SetGain(5, 77);
    sent.clear();
    struct Case {
        const char* name;
        sk::TSkBmpButton* button;
        int source, target;
    };
    const Case cases[] = {
        {"no source", d.bnInChCopy, -1, 1},
        {"no target", d.bnOutChCopy, 0, -1},
        {"onto itself", d.bnInChCopy, 2, 2},
    };
    const ParamImage before = w->Unit()->GetImage();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool out = c.button == d.bnOutChCopy;
        (out ? d.cbOutSource : d.cbInSource)->SetItemIndex(c.source);
        (out ? d.cbOutDestination : d.cbInDestination)->SetItemIndex(c.target);
        c.button->OnClick(c.button);
        EXPECT_EQ(std::memcmp(&before, &w->Unit()->GetImage(), sizeof before), 0);
    }
    d.cbInSource->SetItemIndex(0);
    d.cbInDestination->SetItemIndex(1);
    d.bnInChCopy->OnClick(d.bnInChCopy);
    EXPECT_EQ(w->Unit()->GetGain(1), 50);
    EXPECT_EQ(w->Unit()->GetGain(2), 50);
    d.cbOutSource->SetItemIndex(2);
    d.cbOutDestination->SetItemIndex(5);
    d.bnOutChCopy->OnClick(d.bnOutChCopy);
    EXPECT_EQ(w->Unit()->GetGain(8), 77);
    EXPECT_TRUE(sent.empty());
    d.cbOutSource->SetItemIndex(0);
    d.cbOutDestination->SetItemIndex(1);
}

TEST_F(DeviceDialogs, MenusOpenTheDialogs)
{
    for (const char* item : {"Link", "Copy", "Lock", "LockSetup", "ChNameList"})
        w->MenuItem(QString::fromLatin1(item))->trigger();
    const std::vector<TDialogForm*> expected = {D().fmLinkSel.get(), D().fmCopy.get(), D().fmLockSetup.get(),
                                                D().fmLockSetup.get(), D().fmChNameList.get()};
    EXPECT_EQ(modal, expected);
    EXPECT_EQ(D().fmLinkSel->windowTitle(), QStringLiteral("Link Selection"));
    EXPECT_EQ(D().fmCopy->windowTitle(), QStringLiteral("Channel Copy"));
}

TEST_F(DeviceDialogs, PresetLabelsShowTheNameInTheLanguagesCodePage)
{
    struct Case {
        const char* item; // language menu item
        CodePage page;
        QString name;
    };
    const Case cases[] = {
        {"ChineseSimplified", CodePage::Gbk, QStringLiteral("现场演出")},
        // Bytes 0x80..0x9F, where Windows-1252 and Latin-1 part.
        {"English", CodePage::Windows1252, QStringLiteral("\u201CLive\u201D \u20AC5")},
    };
    auto* number = Get<fw::TControl>("lbPstNum");
    auto* label = Get<fw::TControl>("lbPstName");
    const auto before = w->Unit()->GetPresetName();
    const std::vector<uint8_t> saved(before.begin(), before.end());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        w->LanguageClick(w->MenuItem(QString::fromLatin1(c.item)));
        ASSERT_EQ(CurrentCodePage(), c.page);
        // The 14 bytes a store hands over: the name in the page, padded with blanks.
        const std::string bytes =
            FitCodePageField(Utf8ToCodePage(c.name.toStdString(), c.page), 14, ' ', c.page);
        ASSERT_EQ(bytes.size(), 14u);
        w->View().SetPresetLabels("U03", bytes);
        EXPECT_EQ(number->Caption(), QStringLiteral("U03"));
        const QString shown = label->Caption();
        EXPECT_EQ(shown.trimmed(), c.name);
        // The full refresh shows the model's name the same way.
        w->Unit()->SetPresetName(
            std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), 14));
        w->View().ShowAllParams();
        EXPECT_EQ(label->Caption(), shown);
    }
    w->LanguageClick(w->MenuItem(QStringLiteral("English")));
    w->Unit()->SetPresetName(saved);
}

// ---- panel lock ----

TEST_F(DeviceDialogs, LockSetupShowsTheDefaultPasswordAndUpperCases)
{
    TfmLockSetup& d = *D().fmLockSetup;
    d.ShowModal();
    EXPECT_EQ(d.edName->Text(), QStringLiteral("4719"));
    d.edName->SetText(QString());
    Type(d.edName, QStringLiteral("ab1c"));
    EXPECT_EQ(d.edName->Text(), QStringLiteral("AB1C"));
    EXPECT_EQ(PasswordText(*d.edName), "AB1C");
    d.Close();
    d.ShowModal();
    EXPECT_EQ(d.edName->Text(), QStringLiteral("4719")) << "not the one typed last";
    // Offline: nothing sent, and the user is told why.
    d.btnOKClick();
    EXPECT_FALSE(d.IsShown());
    ASSERT_FALSE(modal.empty());
    EXPECT_EQ(modal.back(), w->Dialogs()->fmInformation.get());
    EXPECT_EQ(w->Dialogs()->fmInformation->lbMessage->Caption(), QStringLiteral("No device connected !!"));
    EXPECT_TRUE(sent.empty());
    w->Dialogs()->fmInformation->Close();
}

// The machine's answer polling, stepped by hand: the session's real timers are stopped at each step.
class UnlockPrompt : public DeviceDialogs
{
  protected:
    void SetUp() override
    {
        DeviceDialogs::SetUp();
        // No operation of an earlier case goes on.
        w->Session().Machine.OnLinkClosed(false);
        StopTimers();
    }
    void Submit(const QString& typed)
    {
        TfmLockPassWord& d = *D().fmLockPassWord;
        d.edName->SetText(QString());
        Type(d.edName, typed);
        d.btnOKClick();
        StopTimers();
    }
    void Tick(int count)
    {
        for (int i = 0; i < count; ++i) {
            w->Session().Machine.OnTimer(LSyncTimer::Check);
            StopTimers();
        }
    }
    void Answer(int result)
    {
        LCmd reply(uint8_t(w->Session().GetDeviceId()), proto::kPassSubmit);
        reply.GetPayload() = {0, uint8_t(result)};
        w->Session().Machine.DispatchReply(reply);
    }
    void StopTimers()
    {
        for (LSyncTimer t : {LSyncTimer::Check, LSyncTimer::Cmd, LSyncTimer::Disconnect})
            w->Session().StopTimer(t);
    }
    bool Open() { return D().fmLockPassWord->IsShown(); }
};

TEST_F(UnlockPrompt, OpensWithStarsAndUpperCases)
{
    TfmLockPassWord& d = *D().fmLockPassWord;
    w->View().ShowUnlockPrompt();
    EXPECT_TRUE(Open());
    EXPECT_EQ(d.edName->Text(), QStringLiteral("****"));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("UnLock Setting"));
    d.edName->SetText(QString());
    Type(d.edName, QStringLiteral("x9z"));
    EXPECT_EQ(PasswordText(*d.edName), "X9Z");
    w->View().CloseUnlockPrompt();
    EXPECT_FALSE(Open());
}

TEST_F(UnlockPrompt, AcceptedOnTheThirdTick)
{
    w->View().ShowUnlockPrompt();
    Submit(QStringLiteral("ab12"));
    Tick(2);
    EXPECT_TRUE(Open());
    Answer(1);
    Tick(1);
    EXPECT_TRUE(Open()) << "the read starts 100 ms later";
    w->Session().Machine.OnTimer(LSyncTimer::Cmd);
    StopTimers();
    EXPECT_FALSE(Open());
}

TEST_F(UnlockPrompt, NoAnswerEndsAfterThirtyOneTicks)
{
    w->View().ShowUnlockPrompt();
    Submit(QStringLiteral("ab12"));
    Tick(30);
    EXPECT_TRUE(Open());
    Tick(1);
    EXPECT_FALSE(Open());
}

TEST_F(UnlockPrompt, RejectedThenAcceptedWaitsAfresh)
{
    TfmLockPassWord& d = *D().fmLockPassWord;
    w->View().ShowUnlockPrompt();
    Submit(QStringLiteral("0000"));
    Tick(20);
    Answer(0);
    Tick(1);
    EXPECT_TRUE(Open());
    EXPECT_EQ(d.edName->Text(), QStringLiteral("****"));
    Submit(QStringLiteral("ab12"));
    Tick(30);
    EXPECT_TRUE(Open()) << "the second submit counts from zero";
    Answer(1);
    Tick(1);
    w->Session().Machine.OnTimer(LSyncTimer::Cmd);
    StopTimers();
    EXPECT_FALSE(Open());
}

TEST_F(UnlockPrompt, CancelClosesThePrompt)
{
    w->View().ShowUnlockPrompt();
    D().fmLockPassWord->bnCancelClick();
    StopTimers();
    EXPECT_FALSE(Open());
}

// ---- channel names ----

TEST_F(DeviceDialogs, NameListSendsOnlyChangedNames)
{
    w->Unit()->SetChannelName(0, std::span<const uint8_t, 8>(NameBytes("Vocal").data(), 8));
    w->Unit()->SetChannelName(4, std::span<const uint8_t, 8>(NameBytes("ABCDEFGH").data(), 8));
    sent.clear();
    TfmChNameList& d = *D().fmChNameList;
    w->MenuItem(QStringLiteral("ChNameList"))->trigger();
    EXPECT_EQ(d.Edits[0]->Text(), QStringLiteral("Vocal"));
    EXPECT_EQ(d.Edits[4]->Text(), QStringLiteral("ABCDEFGH")) << "all eight characters";
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Channel Name"));
    d.Edits[0]->SetText(QString());
    d.Edits[7]->SetText(QString());
    Type(d.Edits[7], QStringLiteral("50%"));
    d.btnOKClick();
    std::vector<uint8_t> empty = NameBytes(""), pct = NameBytes("50%");
    empty.insert(empty.begin(), 0);
    pct.insert(pct.begin(), 7);
    EXPECT_EQ(sent,
              (std::vector<Sent>{{proto::kChannelName, empty, true}, {proto::kChannelName, pct, true}}));
    EXPECT_EQ(Get<fw::TControl>("lbMatrixChNameOut5")->Caption(), QStringLiteral("50%"));
    EXPECT_EQ(Get<fw::TControl>("rzbMenuOut5")->Hint(), QStringLiteral("50%"));
    EXPECT_FALSE(d.IsShown());
}

TEST_F(DeviceDialogs, NameListKeepsNamesTheCodePageCannotShow)
{
    struct Case {
        const char* name;
        CodePage page;
        std::string bytes; // channel InC's name from the device
        QString shown;
    };
    const Case cases[] = {
        {"byte Windows-1252 does not define", CodePage::Windows1252, "Kick\x81", QStringLiteral("Kick?")},
        {"double-byte character cut from its trail", CodePage::Gbk,
         Utf8ToCodePage("声道一", CodePage::Gbk) + "\xD6", QStringLiteral("声道一?")},
    };
    TfmChNameList& d = *D().fmChNameList;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetCodePage(c.page);
        std::array<uint8_t, 8> field{};
        std::copy(c.bytes.begin(), c.bytes.end(), field.begin());
        w->Unit()->SetChannelName(2, field);
        w->Unit()->SetChannelName(5, std::span<const uint8_t, 8>(NameBytes("Out3").data(), 8));
        sent.clear();
        d.ShowModal();
        ASSERT_EQ(d.Edits[2]->Text(), c.shown);
        // Another row edited, InC's left alone: only the edited row goes out, InC keeps its bytes.
        d.Edits[5]->SetText(QStringLiteral("Bass"));
        d.btnOKClick();
        std::vector<uint8_t> bass = NameBytes("Bass");
        bass.insert(bass.begin(), 5);
        EXPECT_EQ(sent, (std::vector<Sent>{{proto::kChannelName, bass, true}}));
        const auto kept = w->Unit()->GetChannelName(2);
        EXPECT_TRUE(std::equal(kept.begin(), kept.end(), field.begin()));

        // Typed over, the row is the user's new name.
        sent.clear();
        d.ShowModal();
        d.Edits[2]->SetText(QStringLiteral("Kick"));
        d.btnOKClick();
        std::vector<uint8_t> kick = NameBytes("Kick");
        kick.insert(kick.begin(), 2);
        EXPECT_EQ(sent, (std::vector<Sent>{{proto::kChannelName, kick, true}}));
    }
    SetCodePage(CodePage::Windows1252);
}

TEST_F(DeviceDialogs, SingleNameDialogAlwaysSends)
{
    TfmChannelName& d = *D().fmChannelName;
    w->Unit()->SetChannelName(4, std::span<const uint8_t, 8>(NameBytes("Mid").data(), 8));
    w->View().ShowAllParams();
    sent.clear();
    auto* label = Get<fw::TControl>("lbMatrixChNameOut2");
    ASSERT_TRUE(label->OnClick);
    label->OnClick(label);
    ASSERT_EQ(modal.size(), 1u);
    EXPECT_EQ(d.lbChannel->Caption(), QStringLiteral("Out2 :"));
    EXPECT_EQ(d.edName->Text(), QStringLiteral("Mid"));
    d.btnOKClick();
    std::vector<uint8_t> mid = NameBytes("Mid");
    mid.insert(mid.begin(), 4);
    EXPECT_EQ(sent, (std::vector<Sent>{{proto::kChannelName, mid, true}}));

    struct Case {
        const char* name;
        const char* text;
        const char* shown;
    };
    const Case cases[] = {{"short", "Sub", "Sub"},
                          {"blanks after the ninth character", "ABCDEFG  \r\r", "ABCDEFG"},
                          {"long", "ABCDEFGHIJK", "ABCDEFGH"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        d.SetNameText(QString::fromLatin1(c.text));
        EXPECT_EQ(d.edName->Text(), QString::fromLatin1(c.shown));
    }
    d.SetChannel(0);
    EXPECT_EQ(d.lbChannel->Caption(), QStringLiteral("InA :"));
}

TEST_F(DeviceDialogs, DoubleByteNamesAreCutOnACharacterBoundary)
{
    SetCodePage(CodePage::Gbk);
    struct Case {
        const char* name;
        const char* text;
        std::string bytes;
    };
    const Case cases[] = {
        {"fits", "ab声道一", Utf8ToCodePage("ab声道一", CodePage::Gbk)},
        {"would split", "a声道一二", Utf8ToCodePage("a声道一", CodePage::Gbk)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const app::NameBytes f = ChannelNameBytes(QString::fromUtf8(c.text));
        std::string expected = c.bytes;
        expected.resize(8, '\0');
        EXPECT_EQ(std::string(f.begin(), f.end()), expected);
    }
}

} // namespace

// The dialogs are built when first needed: names the machine showed before are in the lists then, the
// last one shown for a preset winning.
TEST(DeviceDialogsBuiltLate, ShowThePresetNamesShownBeforeThem)
{
    testapp::EnsureApp();
    SetCodePage(CodePage::Windows1252);
    TfmMain window;
    window.View().ShowPresetName(3, "Live          ");
    window.View().ShowPresetName(3, "Stage         ");
    window.View().ShowPresetName(20, "Last          ");
    window.View().ShowPresetName(21, "Beyond        ");
    TDeviceDialogs& d = *window.DeviceDialogs();
    EXPECT_EQ(d.fmStorePreset->vledPresetName->Name(2), "Stage         ");
    EXPECT_EQ(d.fmRecallPreset->vledPresetName->Name(3), "Stage         ");
    EXPECT_EQ(d.fmStorePreset->vledPresetName->Name(19), "Last          ");
    EXPECT_EQ(d.fmRecallPreset->vledPresetName->Name(20), "Last          ");
    // Shown after the build, a name goes straight to the lists.
    window.View().ShowPresetName(1, "First         ");
    EXPECT_EQ(d.fmRecallPreset->vledPresetName->Name(1), "First         ");
    window.SetExitConfirmed(true);
}

// A new window builds the link dialog only (its grid holds the link state the window shows); the
// other device dialogs come with the first that is needed and take over that link dialog, grid and all.
TEST(DeviceDialogsBuiltLate, TheLinkDialogComesFirstAndIsKept)
{
    testapp::EnsureApp();
    // The dialogs of a kind alive (other tests' windows keep theirs): this window's are the increase.
    auto alive = [](auto* kind) {
        using T = std::remove_pointer_t<decltype(kind)>;
        int n = 0;
        for (QWidget* w : QApplication::allWidgets())
            n += dynamic_cast<T*>(w) != nullptr;
        return n;
    };
    const int links = alive((TfmLinkSel*)nullptr), names = alive((TfmStoreName*)nullptr),
              locks = alive((TfmLockPassWord*)nullptr), lists = alive((TfmChNameList*)nullptr);
    TfmMain window;
    window.Unit()->SetLink(4, 0b110); // output 2 leads output 3
    window.Unit()->SetLink(5, 0);
    window.View().ShowAllParams();
    EXPECT_EQ(alive((TfmLinkSel*)nullptr), links + 1);
    EXPECT_EQ(alive((TfmStoreName*)nullptr), names);
    EXPECT_EQ(alive((TfmLockPassWord*)nullptr), locks);
    EXPECT_EQ(alive((TfmChNameList*)nullptr), lists);
    TfmLinkSel* link = window.LinkDialog();
    EXPECT_TRUE(link->GridButton(5, 4)->Down());
    TDeviceDialogs& d = *window.DeviceDialogs();
    EXPECT_EQ(d.fmLinkSel.get(), link);
    EXPECT_EQ(window.LinkDialog(), link);
    EXPECT_EQ(alive((TfmLinkSel*)nullptr), links + 1);
    EXPECT_EQ(alive((TfmStoreName*)nullptr), names + 1);
    EXPECT_TRUE(d.fmLinkSel->GridButton(5, 4)->Down());
    window.SetExitConfirmed(true);
}
