// The main window: state after creation, closing, navigation, menus, small dialogs and the refresh.
#include "app/dialogs/SmallDialogs.h"
#include "app/main/LinkController.h"
#include "app/main/MainControls.h"
#include "app/main/MainLayout.h"
#include "app/main/MainSessionView.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "app/main/TransferChartControl.h"
#include "app/pages/Page.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/RTFLabel.h"
#include "controls/smooth/RoundEdit.h"
#include "curves/Plot.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"
#include "proto/Commands.h"
#include "proto/LCmd.h"
#include "session/LLinkSession.h"
#include "support/TestApp.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <set>

using namespace app;

using testapp::EnsureApp;

namespace
{
using Sent = testapp::SentFrame;

template <class T> T* Named(TfmMain* w, const char* name)
{
    return w->Get<T>(QString::fromLatin1(name));
}

// Creation and closing: each case its own window.
class MainWindowCreation : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureApp();
        w = std::make_unique<TfmMain>();
        w->CreateDialogs();
        testapp::RecordFrames(*w, sent);
    }
    void TearDown() override
    {
        w->Session().OnSend = nullptr;
        w->SetExitConfirmed(true);
    }
    template <class T> T* Get(const char* name) { return Named<T>(w.get(), name); }
    QString CaptionOf(const char* name) { return Get<fw::TControl>(name)->Caption(); }
    std::vector<TDialogForm*> modal;
    testapp::ModalRecorder modalRunner{modal};
    std::vector<Sent> sent;
    std::unique_ptr<TfmMain> w;
};

// The rest: the program's one window, hidden, in English, offline, on the Gain page and showing the
// model's defaults before each case.
class MainWindow : public testapp::WindowFixture
{
  protected:
    void SetUp() override
    {
        w->hide();
        if (w->Language() != u"English")
            w->LanguageClick(w->MenuItem(QStringLiteral("English")));
        if (w->Link().Online()) {
            w->Link().SetOnlineState(false);
            w->ApplyLanguage();
        }
        w->Unit()->LoadDefaults();
        w->SetPresetNumber(0);
        w->ShowAllParams(w->Unit());
        Click("rzbMenuGain");
        sent.clear();
        modal.clear();
    }
    template <class T> static T* Get(const char* name) { return Named<T>(w, name); }
    static QString CaptionOf(const char* name) { return Get<fw::TControl>(name)->Caption(); }
    static void Click(const char* button)
    {
        auto* b = Get<sk::TSkBmpButton>(button);
        ASSERT_NE(b, nullptr);
        w->rzbMenuInAClick(b);
    }
};

TEST_F(MainWindowCreation, StateAfterCreation)
{
    EXPECT_EQ(w->CurrentPage(), kPageGain);
    EXPECT_EQ(CaptionOf("lbDeviceId"), QStringLiteral("ID : 1"));
    EXPECT_EQ(w->OuterWidth(), 1125);
    EXPECT_EQ(w->OuterHeight(), 727);
    EXPECT_EQ(w->Link().GetDeviceId(), 1);
    EXPECT_EQ(w->Language(), QStringLiteral("English"));
    EXPECT_TRUE(w->CreationStoppedAt().isEmpty());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Tolvane Morvex Processor Editor V1.04"));
    EXPECT_EQ(Get<fw::TControl>("rzgPreset")->Top(), 626);
    EXPECT_EQ(Get<sk::TSkBmpButton>("rzbMenuGain")->Font().Color(), fw::clLime);
    EXPECT_TRUE(Get<fw::TControl>("rzgParamGain")->Visible());
    EXPECT_FALSE(Get<fw::TControl>("rzgParamInA")->Visible());
    EXPECT_EQ(CaptionOf("lbGateName"), QStringLiteral("In A  Gate"));
    EXPECT_EQ(CaptionOf("lbCompName"), QStringLiteral("Out 1  RMS Compressor"));
    EXPECT_EQ(ChartCurve(Get<fw::TControl>("ipGate")),
              (std::vector<ChartPoint>{{20, 20}, {-90, -90}, {-90, -100}}));
    EXPECT_TRUE(sent.empty());
    // FPlots order: each plot draws on its graph.
    const char* graphs[14] = {"fftDrawInA",    "fftDrawInB",    "fftDrawInC",     "fftDrawOut1",
                              "fftDrawOut2",   "fftDrawOut3",   "fftDrawOut4",    "fftDrawOut5",
                              "fftDrawOut6",   "fftDrawGainIn", "fftDrawGainOut", "fftDrawGeqInA",
                              "fftDrawGeqInB", "fftDrawGeqInC"};
    for (int i = 0; i < 14; ++i) {
        SCOPED_TRACE(graphs[i]);
        EXPECT_EQ(w->Plots(i)->painter(),
                  static_cast<PlotPainter*>(Get<graph::LMyFFTDrawHpLp6dB>(graphs[i])));
    }
}

TEST_F(MainWindow, EveryPageHasItsBoxesAndNamedControls)
{
    for (int page = 0; page < kPageCount; ++page) {
        SCOPED_TRACE(PageSuffix(page).toStdString());
        EXPECT_NE(w->FindComponent(QStringLiteral("rzgFft") + PageSuffix(page)), nullptr);
        EXPECT_NE(w->FindComponent(QStringLiteral("rzgParam") + PageSuffix(page)), nullptr);
        for (const Item& item : PageTable(page)) {
            EXPECT_NE(w->FindComponent(item.name), nullptr) << item.name.toStdString();
        }
    }
    for (const char* n :
         {"isGeqCh31InC", "udMixGainCOut6", "rzbCMatrixOut6", "lbN60LimitOut6", "peqPeqOut6", "rzbEq9Out1",
          "vrbShow1Out2", "cvdGateHoldInB", "ipComp", "ipLimit", "ipGate", "pbMatrix"})
        EXPECT_NE(w->FindComponent(QString::fromLatin1(n)), nullptr) << n;
}

TEST_F(MainWindow, SkinPicturesCopiedFromTemplates)
{
    auto* gain = Get<sk::TSkBmpButton>("rzbMenuGain");
    auto* out1 = Get<sk::TSkBmpButton>("rzbMenuOut1");
    auto* out6 = Get<sk::TSkBmpButton>("rzbMenuOut6");
    EXPECT_EQ(out1->Bitmaps().Hot(), gain->Bitmaps().Hot());
    EXPECT_EQ(out1->Bitmaps().Disabled(), gain->Bitmaps().StayDown());
    EXPECT_NE(out6->Bitmaps().Hot(), gain->Bitmaps().Hot());
    EXPECT_EQ(Get<sk::TSkBmpButton>("rzbMenuGate")->Bitmaps().Down(),
              Get<sk::TSkBmpButton>("rzbMenuMatrix")->Bitmaps().Down());
    EXPECT_EQ(Get<sk::TSkBmpButton>("rzbCMatrixOut6")->Bitmaps().StayDown(),
              Get<sk::TSkBmpButton>("rzbAMatrixOut1")->Bitmaps().StayDown());
}

TEST_F(MainWindowCreation, CloseRefusedUntilConfirmed)
{
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->Dialogs()->fmExit->IsShown());
    EXPECT_FALSE(w->Dialogs()->fmExit->ShownModally());
    w->Dialogs()->fmExit->btnCancelClick();
    EXPECT_TRUE(sent.empty());
    EXPECT_FALSE(w->close());
    w->Dialogs()->fmExit->btnOKClick();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].code, 17);
    EXPECT_TRUE(sent[0].noCoalesce);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(MainWindow, LanguageMenu)
{
    QAction* zh = w->MenuItem(QStringLiteral("ChineseSimplified"));
    QAction* en = w->MenuItem(QStringLiteral("English"));
    w->LanguageClick(zh);
    EXPECT_EQ(w->Language(), QStringLiteral("ChineseGB"));
    EXPECT_TRUE(zh->isChecked());
    EXPECT_FALSE(en->isChecked());
    EXPECT_EQ(w->MenuItem(QStringLiteral("File"))->text(), QStringLiteral("文件"));
    EXPECT_EQ(w->MenuItem(QStringLiteral("Exit"))->text(), QStringLiteral("取消"));
    EXPECT_EQ(CaptionOf("rzbPhaseInA"), QStringLiteral("正相"));
    EXPECT_EQ(CaptionOf("lbCompName"), QStringLiteral("Out 1  RMS 压缩器"));
    w->LanguageClick(en);
    EXPECT_EQ(CaptionOf("lbLimitKneeOut6"), QStringLiteral("Knee"));
    EXPECT_EQ(w->MenuItem(QStringLiteral("File"))->text(), QStringLiteral("File"));
    w->Link().SetOnlineState(true);
    w->ApplyLanguage();
    EXPECT_EQ(CaptionOf("rzbMenuLink"), QStringLiteral("OnLine"));
    EXPECT_EQ(w->MenuItem(QStringLiteral("Connected"))->text(), QStringLiteral("Disconnect"));
}

// Names from the device are read in the code page of the interface language, again on each switch.
TEST_F(MainWindow, NamesFollowTheLanguagesCodePage)
{
    const std::array<uint8_t, 8> name = {0xD6, 0xD0, 0xCE, 0xC4, 'A', 0, 0, 0}; // GBK "中文A"
    w->Unit()->SetChannelName(0, name);
    w->Unit()->SetChannelName(3, name);
    w->ShowAllParams(w->Unit());
    EXPECT_EQ(CaptionOf("lbMatrixChNameInA"), QStringLiteral("ÖÐÎÄA"));
    w->LanguageClick(w->MenuItem(QStringLiteral("ChineseSimplified")));
    EXPECT_EQ(CaptionOf("lbMatrixChNameInA"), QStringLiteral("中文A"));
    EXPECT_EQ(CaptionOf("lbMatrixChNameOut1"), QStringLiteral("中文A"));
    EXPECT_EQ(Get<fw::TControl>("rzbMenuOut1")->Hint(), QStringLiteral("中文A"));
    w->LanguageClick(w->MenuItem(QStringLiteral("English")));
    EXPECT_EQ(CaptionOf("lbMatrixChNameOut1"), QStringLiteral("ÖÐÎÄA"));
}

TEST_F(MainWindow, MenuItems)
{
    struct Case {
        const char* name;
        bool visible;
    };
    const Case cases[] = {{"File", true},     {"Open", true},         {"Save", true},
                          {"Upload", true},   {"Download", true},     {"FactoryDefault", false},
                          {"Exit", true},     {"Link", true},         {"Copy", true},
                          {"Lock", true},     {"SettingID", false},   {"NetworkSetup", true},
                          {"TestTone", true}, {"ChNameList", true},   {"LanguageSel", true},
                          {"Help", true},     {"Rs232Code", true},    {"MemoShow", false},
                          {"HidData", false}, {"LockSetup", false},   {"BlockDiagram", false},
                          {"Connect", false}, {"ConnectHelp", false}, {"About", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QAction* a = w->MenuItem(QString::fromLatin1(c.name));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->isVisible(), c.visible);
    }
    EXPECT_EQ(w->MenuItem(QStringLiteral("MemoShow"))->text(), QStringLiteral("Memo Show"));
    w->MenuItem(QStringLiteral("Exit"))->trigger();
    ASSERT_EQ(modal.size(), 1u);
    EXPECT_EQ(modal[0], w->Dialogs()->fmExit.get());
    w->MenuItem(QStringLiteral("Rs232Code"))->trigger();
    EXPECT_EQ(modal.back(), &w->Dialogs()->Rs232Code(true));
}

TEST_F(MainWindow, Navigation)
{
    Click("rzbMenuGain");
    EXPECT_EQ(w->CurrentPage(), kPageGain);
    Click("rzbMenuComp");
    EXPECT_EQ(w->CurrentPage(), kPageComp);
    EXPECT_TRUE(Get<fw::TControl>("rzgFftComp")->Visible());
    EXPECT_FALSE(Get<fw::TControl>("rzgFftGain")->Visible());
    EXPECT_EQ(Get<sk::TSkBmpButton>("rzbMenuGain")->Font().Color(), fw::clWhite);
    EXPECT_EQ(Get<sk::TSkBmpButton>("rzbMenuComp")->Font().Color(), fw::clLime);

    // Output 2 linked under output 1: shown on output 1's page, labelled and coloured for output 2.
    w->Unit()->SetLink(3, 0x03);
    w->Unit()->SetLink(4, 0);
    Click("rzbMenuOut2");
    EXPECT_EQ(w->CurrentPage(), 4);
    EXPECT_TRUE(Get<fw::TControl>("rzgFftOut1")->Visible());
    EXPECT_EQ(CaptionOf("lbFftChannelOut1"), QStringLiteral("Out2"));
    EXPECT_EQ(CaptionOf("lbGainNameOut1"), QStringLiteral("Out2"));
    Click("rzbMenuOut1");
    EXPECT_EQ(CaptionOf("lbFftChannelOut1"), QStringLiteral("Out1"));

    // A channel nobody leads: nothing changes.
    w->Unit()->SetLink(3, 0);
    w->Unit()->SetLink(4, 0);
    Click("rzbMenuComp");
    w->Unit()->SetLink(5, 0);
    Click("rzbMenuOut3");
    EXPECT_EQ(w->CurrentPage(), kPageComp);
    EXPECT_EQ(Get<sk::TSkBmpButton>("rzbMenuComp")->Font().Color(), fw::clLime);
}

TEST_F(MainWindow, TestSignalSelector)
{
    TfmTest& t = *w->Dialogs()->fmTest;
    t.rbPinkNoise->SetChecked(true);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].code, 57);
    sent.clear();
    t.cbSineFreq->SetItemIndex(17);
    t.SineFreqChange();
    ASSERT_EQ(sent.size(), 2u);
    for (const Sent& s : sent)
        EXPECT_EQ(s.payload, (std::vector<uint8_t>{3, 17}));
    EXPECT_EQ(w->Unit()->GetWorkMode(), 3);
    EXPECT_EQ(w->Unit()->GetSineFreq(), 17);
    sent.clear();
    t.SineFreqChange();
    EXPECT_EQ(sent.size(), 1u);
}

TEST_F(MainWindow, RefreshSendsNothingAndClearsTheFlag)
{
    // A model with every odd value the fields can hold.
    LUnitControl& u = *w->Unit();
    for (int ch = 0; ch < 9; ++ch) {
        u.SetGain(ch, 0xFFFF);
        u.SetDelay(ch, 0xFFFF);
        u.SetMute(ch, 1);
    }
    u.SetWorkMode(9, 200);
    w->SetPresetNumber(20);
    sent.clear();
    w->ShowAllParams(w->Unit());
    EXPECT_TRUE(sent.empty());
    EXPECT_FALSE(w->View().IsUpdating());
    EXPECT_EQ(CaptionOf("lbPstNum"), QStringLiteral("U20"));
    EXPECT_EQ(Get<fx::TRoundEdit>("cvdGainOut1")->Text(), QStringLiteral("+12.0dB"));
    EXPECT_EQ(Get<fx::TRoundEdit>("cvdGainOut6")->Text(), QStringLiteral("+12.0dB"));
}

// The window's own controls are bound at creation like the pages': the first one missing is named
// (creation stops there), and a complete window has every one.
TEST_F(MainWindow, OwnControlsBoundOnce)
{
    fw::TForm bare;
    auto* first = new sk::TSkBmpButton(&bare);
    first->SetName(QStringLiteral("rzbMenuInA"));
    TControlBinder partial(bare);
    TMainControls none;
    none.Bind(partial);
    EXPECT_FALSE(partial.Complete());
    EXPECT_EQ(partial.Missing(), QStringLiteral("rzgFftInA"));
    EXPECT_EQ(none.pageButtons[0], first);

    const TMainControls& c = w->Controls();
    EXPECT_EQ(c.pageButtons[kPageGain], Get<sk::TSkBmpButton>("rzbMenuGain"));
    EXPECT_EQ(c.presetName, Get<fw::TControl>("lbPstName"));
    EXPECT_EQ(c.placed.at(QStringLiteral("rzgMain")), Get<fw::TControl>("rzgMain"));
    for (const auto& [name, control] : c.placed)
        EXPECT_NE(control, nullptr) << name.toStdString();
}

TEST_F(MainWindow, RefreshTexts)
{
    LUnitControl& u = *w->Unit();
    u.SetGain(0, 0);  // -280: -60 dB
    u.SetGain(3, 80); // -200
    u.SetGeq(0, 0, 119);
    u.SetDelayUnit(2);
    w->SetPresetNumber(0);
    w->ShowAllParams(&u);
    EXPECT_EQ(CaptionOf("lbPstNum"), QStringLiteral("F00"));
    EXPECT_EQ(Get<fx::TRoundEdit>("cvdGainInA")->Text(), QStringLiteral("-60.0dB"));
    EXPECT_EQ(Get<fx::TRoundEdit>("cvdGainBackupInA")->Text(), QStringLiteral("-60.0dB"));
    EXPECT_EQ(Get<fx::TRoundEdit>("cvdGainOut1")->Text(), QStringLiteral("-20.0dB"));
    EXPECT_EQ(CaptionOf("lbGeqGainCh01InA"), QStringLiteral("-0.1"));
    EXPECT_TRUE(Get<sk::TSkBmpButton>("rzbUnit2")->Down());
    EXPECT_FALSE(Get<sk::TSkBmpButton>("rzbUnit0")->Down());
    EXPECT_TRUE(Get<fx::TRoundEdit>("cvdDelayInA")->Text().endsWith(u"ft"));
    EXPECT_EQ(Get<fw::TControl>("imDelayInA")->Left(), 40);
    EXPECT_EQ(Get<fx::TRoundEdit>("cvdCompRatioOut1")->Text(), QStringLiteral("1:1.0"));
    EXPECT_EQ(Get<fx::TRoundEdit>("cvdCompAttackOut1")->Text(), QStringLiteral(" 50ms"));
}

TEST_F(MainWindow, ResizeAppliesTheRules)
{
    w->show();
    w->resize(1400 - kFrameWidth, 900 - kFrameHeight);
    EXPECT_EQ(w->ExtraHeight(), 173);
    EXPECT_EQ(Get<fw::TControl>("rzgMain")->Height(), 802);
    EXPECT_EQ(Get<fw::TControl>("fftDrawOut1")->Width(), 1070 + 275);
    w->resize(1000, 600);
    EXPECT_TRUE(w->AutoScroll());
    EXPECT_EQ(w->ExtraHeight(), 173); // the larger layout stays
    EXPECT_EQ(Get<fw::TControl>("rzgMain")->Height(), 802);
    w->resize(kDesignWidth - kFrameWidth, kDesignHeight - kFrameHeight);
    EXPECT_FALSE(w->AutoScroll());
    EXPECT_EQ(Get<fw::TControl>("pbLevelCompOut")->Top(), 43);
    EXPECT_EQ(Get<fw::TControl>("imDelayOut3")->Left(), 40);
}

TEST_F(MainWindow, SmallDialogs)
{
    TDialogs& d = *w->Dialogs();
    d.fmPeqRst->SetTarget(11);
    w->Unit()->SetGeq(2, 4, 200);
    d.fmPeqRst->btnOKClick();
    EXPECT_EQ(w->Unit()->GetGeq(2, 4), w->Unit()->GetDefaultGeq(2, 4));
    EXPECT_EQ(TfmRs232Code::ContentLeft(1000), 175);
    EXPECT_EQ(TfmRs232Code::ContentLeft(749), 50);
    // Each reference window shows its language's document.
    for (const auto& [dialog, english] :
         {std::pair{&d.Rs232Code(true), true}, std::pair{&d.Rs232Code(false), false}}) {
        auto* rtf = dialog->findChild<fx::TRTFLabel*>(QStringLiteral("RTFLabel"));
        ASSERT_NE(rtf, nullptr);
        EXPECT_EQ(rtf->RichText(), SerialCommandReference(english));
    }
    d.fmTest->ShowModal();
    EXPECT_EQ(d.fmTest->rbSineWave->Caption(), QStringLiteral("Sine Wave"));
    EXPECT_EQ(d.fmTest->bnExit->Caption(), QStringLiteral("Exit"));
    d.fmExit->ShowModal();
    EXPECT_EQ(d.fmExit->lbExit->Caption(), QStringLiteral("Really quit?"));
}

// The two serial references are RTF documents that list every command the device takes, each once, in
// code order, with the payload column at one place on every row.
TEST(SerialReference, ListsEveryCommandOnce)
{
    for (bool english : {true, false}) {
        SCOPED_TRACE(english ? "English" : "Chinese");
        const fx::TRtfDocument doc = fx::ReadRtf(SerialCommandReference(english));
        ASSERT_TRUE(doc.IsRtf);
        const QStringList lines = doc.PlainText().split(u'\n');
        static const QRegularExpression row(QStringLiteral("^ *(\\d+)   \\S"));
        std::vector<int> codes;
        std::set<qsizetype> payloadColumns;
        for (const QString& line : lines) {
            if (const QRegularExpressionMatch m = row.match(line); m.hasMatch()) {
                codes.push_back(m.captured(1).toInt());
                const proto::CommandInfo& c = proto::kCommands[codes.size() - 1];
                if (english)
                    payloadColumns.insert(
                        line.lastIndexOf(QString::fromUtf8(c.payload.data(), c.payload.size())));
                else
                    payloadColumns.insert(line.indexOf(u' ', 6) + 1);
            }
        }
        std::vector<int> expected;
        for (const proto::CommandInfo& c : proto::kCommands)
            expected.push_back(c.code);
        EXPECT_EQ(codes, expected);
        EXPECT_EQ(payloadColumns.size(), 1u);
        EXPECT_EQ(doc.PlainText().contains(QString::fromUtf8("重启设备")), !english);
    }
}

} // namespace

// No two visible controls side by side on a page box cover each other (a meter panel over a chart, a
// head over a chart), at the design size and at a larger one, in both languages.
TEST_F(MainWindow, NothingOnAPageCoversItsNeighbour)
{
    w->show();
    for (const char* language : {"English", "ChineseSimplified"}) {
        w->LanguageClick(w->MenuItem(QString::fromLatin1(language)));
        for (const auto& [width, height] : {std::pair{kDesignWidth, kDesignHeight}, std::pair{1400, 900}}) {
            w->resize(width - kFrameWidth, height - kFrameHeight);
            for (auto* box : w->findChildren<QWidget*>()) {
                const QString name = box->objectName();
                if (!name.startsWith(u"rzgFft") && !name.startsWith(u"rzgParam"))
                    continue;
                std::vector<QWidget*> kids;
                for (auto* k : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    // the routing lines' paint box joins the blocks it lies between
                    if (!k->isHidden() && !k->objectName().isEmpty() && !dynamic_cast<TPaintBox*>(k))
                        kids.push_back(k);
                for (std::size_t i = 0; i < kids.size(); ++i)
                    for (std::size_t j = i + 1; j < kids.size(); ++j) {
                        SCOPED_TRACE(QStringLiteral("%1 %2x%3 %4: %5 and %6")
                                         .arg(QString::fromLatin1(language))
                                         .arg(width)
                                         .arg(height)
                                         .arg(name, kids[i]->objectName(), kids[j]->objectName())
                                         .toStdString());
                        EXPECT_FALSE(kids[i]->geometry().intersects(kids[j]->geometry()));
                    }
            }
        }
    }
}
