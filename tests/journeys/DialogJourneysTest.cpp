// Journeys through the device dialogs and the preset file: link, copy, lock and unlock, channel names,
// test tone, save and open. Each clicks where the controls are drawn and types through the X server,
// then checks what the window shows and what the test device received.
#include "Journey.h"

#include "app/main/LinkController.h"
#include "app/main/MainSessionView.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "framework/Control.h"
#include "model/LUnitControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>

namespace journeys
{
namespace
{

class DialogJourney : public Journey
{
  protected:
    // The visible control captioned `text` inside `within` whose drawn middle lies on the row of `row`
    // (a row label, a combo): the button of a grid cell, the copy button of a combo row.
    QWidget* CaptionedInRow(const QString& text, QWidget* within, QWidget* row) const
    {
        return Gui([&]() -> QWidget* {
            const QRect band(row->mapToGlobal(QPoint(0, 0)), row->size());
            for (QWidget* w : within->findChildren<QWidget*>()) {
                if (!w->isVisible())
                    continue;
                auto* c = dynamic_cast<fw::TControl*>(w);
                auto* b = qobject_cast<QAbstractButton*>(w);
                if (!(c && c->Caption() == text) && !(b && b->text() == text))
                    continue;
                const int y = w->mapToGlobal(w->rect().center()).y();
                if (y >= band.top() && y <= band.bottom())
                    return w;
            }
            return nullptr;
        });
    }
    QWidget* Named(const char* name, QWidget* within = nullptr) const
    {
        return Gui([&]() -> QWidget* {
            QWidget* w = within ? within->findChild<QWidget*>(QString::fromLatin1(name))
                                : Main->Get<QWidget>(QString::fromLatin1(name));
            return w && w->isVisible() ? w : nullptr;
        });
    }
    QString CaptionOf(QWidget* w) const
    {
        return Gui([&] {
            auto* c = dynamic_cast<fw::TControl*>(w);
            return c ? c->Caption() : QString();
        });
    }
    QString ComboText(QWidget* w) const
    {
        return Gui([&] {
            auto* c = dynamic_cast<sk::TSkComboBox*>(w);
            return c ? c->Text() : QString();
        });
    }
    // Opens a dialog from a title of the menu bar and returns it once the window manager shows it in
    // front of the main window.
    QWidget* OpenFromMenuBar(const char* itemKey, const char* titleKey)
    {
        ClickMenuTitle(Text(itemKey).remove(u'&'));
        const XClient shown = WaitWindow(Text(titleKey));
        if (!shown.id) {
            ADD_FAILURE() << "the " << titleKey << " dialog did not open";
            return nullptr;
        }
        EXPECT_EQ(TopWindow().id, shown.id) << titleKey << " opened behind another window";
        return TopLevel(Text(titleKey));
    }
    // The payloads of the frames with this code received after the first `from`.
    std::vector<BSTM> Payloads(uint8_t code, size_t from) const
    {
        std::vector<BSTM> out;
        for (const LCmd& c : FramesWithCode(code, from))
            out.push_back(c.GetPayload());
        return out;
    }
    bool WaitForFrame(uint8_t code, const BSTM& payload, size_t from, int timeoutMs = 5000) const
    {
        return Until(
            [&] {
                const auto got = Payloads(code, from);
                return std::find(got.begin(), got.end(), payload) != got.end();
            },
            timeoutMs);
    }
};

using Linking = DialogJourney;
using Copying = DialogJourney;
using Locking = DialogJourney;
using Naming = DialogJourney;
using TestTone = DialogJourney;
using PresetFiles = DialogJourney;

std::string Hex(const std::vector<BSTM>& frames)
{
    std::string s;
    for (const BSTM& f : frames) {
        s += " [";
        for (uint8_t b : f)
            s += std::to_string(b) + " ";
        s += "]";
    }
    return s;
}

// Out2 joins Out1's group in the link grid: the button "Out1" on the row "Out2", Set. The device gets
// the copy of Out1 onto Out2 and both link words, the page button reads "2=1", and the grid shows the
// link when it opens again.
TEST_F(Linking, GridButtonsLinkTwoOutputs)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    QWidget* dialog = OpenFromMenuBar("SID_LINK", "SID_LINK_TITLE");
    ASSERT_NE(dialog, nullptr);
    QWidget* row = ControlCaptioned(QStringLiteral("Out2"), dialog);
    ASSERT_NE(row, nullptr);
    QWidget* cell = CaptionedInRow(QStringLiteral("Out1"), dialog, row);
    ASSERT_NE(cell, nullptr) << "no Out1 button on the Out2 row";
    const size_t before = DeviceFrames().size();
    Click(cell);
    Click(ControlCaptioned(Text("SID_SET"), dialog));
    ASSERT_TRUE(WaitWindowGone(Text("SID_LINK_TITLE"))) << "Set left the dialog open";

    EXPECT_TRUE(WaitForFrame(proto::kCopy, {3, 4}, before))
        << "no copy of Out1 onto Out2:" << Hex(Payloads(proto::kCopy, before));
    EXPECT_TRUE(WaitForFrame(proto::kLink, {3, 0b11}, before)) << Hex(Payloads(proto::kLink, before));
    EXPECT_TRUE(WaitForFrame(proto::kLink, {4, 0}, before)) << Hex(Payloads(proto::kLink, before));
    ASSERT_TRUE(Until([&] { return Main->View().LevelPollOn(); }, 10000))
        << "the read after the link did not end";
    EXPECT_EQ(Gui([&] { return Main->Unit()->GetLink(3); }), 0b11);
    EXPECT_EQ(CaptionOf(Named("rzbMenuOut2")), QStringLiteral("2=1"));

    // Opened again, the grid shows Out2 in Out1's group; Exit changes nothing.
    dialog = OpenFromMenuBar("SID_LINK", "SID_LINK_TITLE");
    ASSERT_NE(dialog, nullptr);
    row = ControlCaptioned(QStringLiteral("Out2"), dialog);
    cell = CaptionedInRow(QStringLiteral("Out1"), dialog, row);
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(Gui([&] { return static_cast<sk::TSkBmpButton*>(cell)->Down(); }))
        << "the grid does not show the link";
    const size_t beforeExit = DeviceFrames().size();
    Click(ControlCaptioned(Text("SID_EXIT"), dialog));
    EXPECT_TRUE(WaitWindowGone(Text("SID_LINK_TITLE")));
    Pump(300);
    EXPECT_TRUE(FramesWithCode(proto::kLink, beforeExit).empty()) << "Exit sent link words";
}

// Out2 onto Out5: both chosen in the drawn combos of the outputs' row, then that row's Copy.
TEST_F(Copying, CombosChooseSourceAndTarget)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    QWidget* dialog = OpenFromMenuBar("SID_COPY", "SID_COPY_TITLE");
    ASSERT_NE(dialog, nullptr);
    QWidget* source = Named("cbOutSource", dialog);
    QWidget* target = Named("cbOutDestination", dialog);
    ASSERT_NE(source, nullptr);
    ASSERT_NE(target, nullptr);
    ChooseInCombo(source, QStringLiteral("Out2"));
    ChooseInCombo(target, QStringLiteral("Out5"));
    EXPECT_TRUE(Until([&] { return QApplication::activePopupWidget() == nullptr; }, 1000))
        << "the list stayed open after a choice";
    EXPECT_EQ(ComboText(source), QStringLiteral("Out2"));
    EXPECT_EQ(ComboText(target), QStringLiteral("Out5"));
    QWidget* copy = CaptionedInRow(Text("SID_COPY"), dialog, target);
    ASSERT_NE(copy, nullptr) << "no Copy button on the outputs' row";
    const size_t before = DeviceFrames().size();
    Click(copy);
    EXPECT_TRUE(WaitForFrame(proto::kCopy, {4, 7}, before)) << Hex(Payloads(proto::kCopy, before));
    Click(ControlCaptioned(Text("SID_EXIT"), dialog));
    EXPECT_TRUE(WaitWindowGone(Text("SID_COPY_TITLE")));
}

// Lock with a typed password: the device gets it and the link closes. Connecting again, the program
// asks for the password; a wrong one gets its notice, the right one unlocks and the read goes on.
TEST_F(Locking, LockThenUnlockWithTheTypedPassword)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    QWidget* dialog = OpenFromMenuBar("SID_LOCK", "SID_LOCK_TITLE");
    ASSERT_NE(dialog, nullptr);
    size_t before = DeviceFrames().size();
    TypeInto(Named("edName", dialog), "k7q2");
    Click(ControlCaptioned(Text("SID_EXIT_OK"), dialog));
    EXPECT_TRUE(WaitForFrame(proto::kSetLock, {'K', '7', 'Q', '2'}, before))
        << Hex(Payloads(proto::kSetLock, before));
    EXPECT_TRUE(WaitForCode(proto::kDisconnect, before));
    ASSERT_TRUE(WaitWindowGone(Text("SID_LOCK_TITLE")));
    ASSERT_TRUE(Until([&] { return !Main->Link().Online(); }, 5000)) << "the link stayed open after the lock";

    // Connect again from the window's link button: the scan finds the device, which says it is locked.
    before = DeviceFrames().size();
    Click(Named("rzbMenuLink"));
    const XClient prompt = WaitWindow(Text("SID_UNLOCK_TITLE"), 10000);
    ASSERT_TRUE(prompt.id) << "no unlock prompt";
    EXPECT_EQ(TopWindow().id, prompt.id);
    QWidget* unlock = TopLevel(Text("SID_UNLOCK_TITLE"));
    ASSERT_NE(unlock, nullptr);

    TypeInto(Named("edName", unlock), "abcd");
    Click(ControlCaptioned(Text("SID_EXIT_OK"), unlock));
    EXPECT_TRUE(WaitForFrame(proto::kPassSubmit, {0, 'A', 'B', 'C', 'D'}, before));
    const XClient notice = WaitWindow(Text("SID_INFO_TITLE"));
    ASSERT_TRUE(notice.id) << "a wrong password gave no notice";
    EXPECT_EQ(TopWindow().id, notice.id) << "the notice opened behind the prompt";
    QWidget* info = TopLevel(Text("SID_INFO_TITLE"));
    EXPECT_NE(ControlCaptioned(QStringLiteral("Password Error!!"), info), nullptr);
    Click(ControlCaptioned(Text("SID_EXIT_OK"), info));
    ASSERT_TRUE(WaitWindowGone(Text("SID_INFO_TITLE")));
    EXPECT_FALSE(Gui([&] { return Main->View().LevelPollOn(); }));

    // The prompt is still there for the right password.
    unlock = TopLevel(Text("SID_UNLOCK_TITLE"));
    ASSERT_NE(unlock, nullptr) << "the prompt closed after a wrong password";
    const size_t retry = DeviceFrames().size();
    TypeInto(Named("edName", unlock), "k7q2");
    Me->Key("Return");
    EXPECT_TRUE(WaitForFrame(proto::kPassSubmit, {0, 'K', '7', 'Q', '2'}, retry));
    EXPECT_TRUE(WaitWindowGone(Text("SID_UNLOCK_TITLE"), 5000)) << "the prompt stayed after the password";
    EXPECT_TRUE(WaitForCode(proto::kParamDump, retry, 5000)) << "no read after the unlock";
    EXPECT_TRUE(Until([&] { return Main->View().LevelPollOn(); }, 10000))
        << "the read after the unlock did not end";
    EXPECT_TRUE(Gui([&] { return Main->Link().Online(); }));
}

// Out2 renamed in the channel-name list (its edit, typed, Set), then again through the name dialog that
// its label on the Matrix page opens: the page shows each name, the device gets each.
TEST_F(Naming, RenameInTheListAndOnTheMatrixPage)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    QWidget* dialog = OpenFromMenuBar("SID_CH_NAME_LIST", "SID_CH_NAME_LIST");
    ASSERT_NE(dialog, nullptr);
    QWidget* row = ControlCaptioned(QStringLiteral("Out2"), dialog);
    ASSERT_NE(row, nullptr);
    QWidget* edit = Named("edMatrixChNameOut2", dialog);
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(std::abs(Centre(edit).y() - Centre(row).y()) < 6) << "the Out2 edit is not on the Out2 row";
    size_t before = DeviceFrames().size();
    TypeInto(edit, "Horns");
    Click(ControlCaptioned(Text("SID_SET"), dialog));
    ASSERT_TRUE(WaitWindowGone(Text("SID_CH_NAME_LIST")));
    EXPECT_TRUE(WaitForFrame(proto::kChannelName, {4, 'H', 'o', 'r', 'n', 's', 0, 0, 0}, before))
        << Hex(Payloads(proto::kChannelName, before));

    Click(Named("rzbMenuMatrix"));
    QWidget* label = nullptr;
    ASSERT_TRUE(Until([&] {
        label = Main->Get<QWidget>(QStringLiteral("lbMatrixChNameOut2"));
        return label && label->isVisible();
    }));
    EXPECT_EQ(CaptionOf(label), QStringLiteral("Horns"));
    EXPECT_EQ(Gui([&] { return Main->Get<QWidget>(QStringLiteral("rzbMenuOut2"))->toolTip(); }),
              QStringLiteral("Horns"));

    // The label opens the one-name dialog with the name; Return is its OK.
    Click(label);
    const XClient shown = WaitWindow(Text("SID_CH_NAME"));
    ASSERT_TRUE(shown.id) << "the label opened no name dialog";
    EXPECT_EQ(TopWindow().id, shown.id);
    QWidget* single = TopLevel(Text("SID_CH_NAME"));
    ASSERT_NE(single, nullptr);
    QWidget* name = Named("edName", single);
    EXPECT_EQ(Gui([&] { return name->findChild<QLineEdit*>()->text(); }), QStringLiteral("Horns"));
    before = DeviceFrames().size();
    TypeInto(name, "Subs");
    Me->Key("Return");
    ASSERT_TRUE(WaitWindowGone(Text("SID_CH_NAME")));
    EXPECT_TRUE(WaitForFrame(proto::kChannelName, {4, 'S', 'u', 'b', 's', 0, 0, 0, 0}, before))
        << Hex(Payloads(proto::kChannelName, before));
    EXPECT_EQ(CaptionOf(label), QStringLiteral("Subs"));
}

// Pink noise from its radio, then a sine of 1 kHz from the drawn frequency list: each reaches the device.
TEST_F(TestTone, RadioAndSineFrequencyReachTheDevice)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    QWidget* dialog = OpenFromMenuBar("SID_TEST_TONE", "SID_TEST_TITLE");
    ASSERT_NE(dialog, nullptr);
    size_t before = DeviceFrames().size();
    Click(ControlCaptioned(Text("SID_PINK_IN"), dialog));
    EXPECT_TRUE(WaitForFrame(proto::kWorkMode, {1, 0}, before)) << Hex(Payloads(proto::kWorkMode, before));

    before = DeviceFrames().size();
    ChooseInCombo(Named("cbSineFreq", dialog), QStringLiteral("1KHz"));
    EXPECT_TRUE(WaitForFrame(proto::kWorkMode, {3, 17}, before)) << Hex(Payloads(proto::kWorkMode, before));
    EXPECT_TRUE(Gui([&] {
        auto* sine = dynamic_cast<app::TRadioButton*>(ControlCaptioned(Text("SID_SINE_IN"), dialog));
        return sine && sine->Checked();
    })) << "the sine radio is not marked";
    EXPECT_EQ(Gui([&] { return int(Main->Unit()->GetWorkMode()); }), 3);

    Click(ControlCaptioned(Text("SID_EXIT"), dialog));
    EXPECT_TRUE(WaitWindowGone(Text("SID_TEST_TITLE")));
}

// File > Save into a folder of the test's own (the path typed into the file dialog, Return): the file is
// a whole preset file. A later gain change is undone by File > Open of that file: the fader's edit, the
// model and the device show the saved gain again.
TEST_F(PresetFiles, SaveThenOpenBringsTheSavedGainBack)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path = folder.filePath(QStringLiteral("journey.prs")).toStdString();
    StartDevice();
    StartEditor();
    ConnectByTyping();
    Click(Named("rzbMenuInA"));
    QWidget* fader = Named("isGainInA");
    auto* shown = dynamic_cast<fx::TRoundEdit*>(Named("cvdGainInA"));
    ASSERT_NE(fader, nullptr);
    ASSERT_NE(shown, nullptr);
    auto gainText = [&] { return Gui([&] { return shown->Text(); }); };
    auto gain = [&] { return Gui([&] { return int(Main->Unit()->GetGain(0)); }); };
    const QString startText = gainText();
    const int startGain = gain();
    // A click on the fader's track below its thumb lowers the gain a step.
    const QRect track = OnScreen(fader);
    size_t before = DeviceFrames().size();
    ClickAt(QPoint(track.center().x(), track.bottom() - 6));
    ASSERT_TRUE(Until([&] { return gain() != startGain; }, 2000)) << "the fader did not move";
    const QString savedText = gainText();
    const int saved = gain();
    EXPECT_NE(savedText, startText);
    const BSTM savedFrame{0, uint8_t(saved & 0xFF), uint8_t(saved >> 8)};
    EXPECT_TRUE(WaitForFrame(proto::kGain, savedFrame, before)) << Hex(Payloads(proto::kGain, before));

    auto throughFileDialog = [&](const char* item, const QString& title) {
        ClickMenuItem(OpenMenu(Text("SID_FILE").remove(u'&')), Text(item).remove(u'&'));
        const XClient window = WaitWindow(title);
        ASSERT_TRUE(window.id) << "no file dialog titled " << title.toStdString();
        EXPECT_EQ(TopWindow().id, window.id) << "the file dialog opened behind another window";
        QWidget* dialog = TopLevel(title);
        ASSERT_NE(dialog, nullptr);
        QWidget* name = Named("fileNameEdit", dialog);
        ASSERT_NE(name, nullptr) << "no file name field";
        TypeInto(name, path);
        Me->Key("Return");
        ASSERT_TRUE(WaitWindowGone(title)) << "Return left the file dialog open";
    };
    throughFileDialog("SID_SAVE", QStringLiteral("Save"));
    ASSERT_TRUE(Until([&] { return QFile::exists(QString::fromStdString(path)); }, 2000)) << "no file";
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.size(), 1086);
    EXPECT_TRUE(bytes.startsWith("***MORVEXV010***")) << bytes.left(16).toStdString();

    // Lower again, then open the file.
    ClickAt(QPoint(track.center().x(), track.bottom() - 6));
    ASSERT_TRUE(Until([&] { return gain() != saved; }, 2000)) << "the fader did not move";
    EXPECT_NE(gainText(), savedText);
    before = DeviceFrames().size();
    throughFileDialog("SID_OPEN", QStringLiteral("Open"));
    EXPECT_TRUE(Until([&] { return gain() == saved; }, 3000)) << "the model did not take the file's gain";
    EXPECT_TRUE(Until([&] { return gainText() == savedText; }, 3000))
        << "the window shows " << gainText().toStdString() << ", not " << savedText.toStdString();
    EXPECT_EQ(Gui([&] {
                  auto* f = static_cast<fx::TCustomTrackBar*>(fader);
                  return f->Position() - f->Min();
              }),
              saved)
        << "the fader does not stand at the file's gain";
    EXPECT_TRUE(WaitForFrame(proto::kGain, savedFrame, before))
        << "the device did not get the file's gain:" << Hex(Payloads(proto::kGain, before));
}

} // namespace
} // namespace journeys
