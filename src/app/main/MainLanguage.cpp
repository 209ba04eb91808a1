// TfmMain: the text lookup, the captions of every language-dependent control and the language menu.
#include "app/main/TfmMain.h"
#include "app/pages/DynamicsPage.h"

#include "app/main/LanguageTables.h"
#include "app/main/MainLayout.h"
#include "base/CodePage.h"
#include "controls/panels/SkBmpButton.h"
#include "eq/TMyPEQType8.h"

#include <QAction>

namespace app
{

QString TfmMain::LookupText(const QString& key) const
{
    return QString::fromStdString(app::LookupText(FLanguage.toStdString(), key.toStdString()));
}

void TfmMain::SetCaptionOf(const QString& name, const QString& key, bool& ok)
{
    if (auto* c = Get<fw::TControl>(name))
        c->SetCaption(LookupText(key));
    else
        ok = false;
}

void TfmMain::ApplyLanguage()
{
    ApplyMenuLanguage();
    // A control that is missing is skipped; the rest still gets its text.
    bool ok = true;
    auto set = [&](const QString& name, const char* key) {
        SetCaptionOf(name, QString::fromLatin1(key), ok);
    };
    set(QStringLiteral("rzbMenuLink"), FOnline ? "SID_ONLINE" : "SID_OFFLINE");
    set(QStringLiteral("lPreset"), "SID_PRESET");
    set(QStringLiteral("lAddress"), "SID_ADDRESS");
    set(QStringLiteral("bStore"), "SID_BT_STORE");
    set(QStringLiteral("bRecall"), "SID_BT_RECALL");
    for (int ch = 0; ch < 9; ++ch) {
        const QString s = ChannelTitle(ch);
        set(QStringLiteral("rzbMuteBackup") + s, "SID_MUTE");
        SetPhaseCaption(QStringLiteral("rzbPhaseBackup") + s);
    }
    set(QStringLiteral("lbGainInput"), "SID_IN");
    set(QStringLiteral("lbGainOutput"), "SID_OUT");
    set(QStringLiteral("lbDelayInput"), "SID_IN");
    set(QStringLiteral("lbDelayOutput"), "SID_OUT");
    set(QStringLiteral("lbDelayUnit"), "SID_DELAY_UNIT");
    set(QStringLiteral("lbFftDelayIn"), "SID_IN_DELAY");
    set(QStringLiteral("lbFftDelayOut"), "SID_OUT_DELAY");
    set(QStringLiteral("rzbUnit0"), "SID_UNIT_MS");
    set(QStringLiteral("rzbUnit1"), "SID_UNIT_M");
    set(QStringLiteral("rzbUnit2"), "SID_UNIT_FT");
    set(QStringLiteral("lbFftGainIn"), "SID_IN");
    set(QStringLiteral("lbFftGainOut"), "SID_OUT");
    for (int ch = 0; ch < 9; ++ch)
        ApplyChannelLanguage(ch);
    FDynamicsPage->WriteTitles();
}

void TfmMain::ApplyMenuLanguage()
{
    static const char* const menu[][2] = {{"File", "SID_FILE"},
                                          {"Open", "SID_OPEN"},
                                          {"Save", "SID_SAVE"},
                                          {"Upload", "SID_UPLOAD"},
                                          {"Download", "SID_DOWNLOAD"},
                                          {"FactoryDefault", "SID_RETRUN_FACTORY"},
                                          {"Exit", "SID_EXIT"},
                                          {"BlockDiagram", "SID_BLOCK"},
                                          {"Connect", "SID_CONNECT"},
                                          {"ConnectHelp", "SID_CONNECT_HELP"},
                                          {"Lock", "SID_LOCK"},
                                          {"LockSetup", "SID_LOCK_SETUP"},
                                          {"SettingID", "SID_SET_ID"},
                                          {"NetworkSetup", "SID_SET_NETWORK"},
                                          {"TestTone", "SID_TEST_TONE"},
                                          {"Link", "SID_LINK"},
                                          {"Copy", "SID_COPY"},
                                          {"ChNameList", "SID_CH_NAME_LIST"},
                                          {"LanguageSel", "SID_LANGUAGE"},
                                          {"ChineseSimplified", "SID_CHINESE_SIMPLIFIED"},
                                          {"ChineseTraditional", "SID_CHINESE_TRODITIONAL"},
                                          {"English", "SID_ENGLISH"},
                                          {"Help", "SID_HELP"},
                                          {"Rs232Code", "SID_RS232_CODE"},
                                          {"About", "SID_ABOUT"}};
    for (const auto& m : menu)
        if (QAction* a = MenuItem(QString::fromLatin1(m[0])))
            a->setText(LookupText(QString::fromLatin1(m[1])));
    if (QAction* a = MenuItem(QStringLiteral("Connected")))
        a->setText(LookupText(FOnline ? QStringLiteral("SID_DISCONNECT") : QStringLiteral("SID_CONNECT")));
}

void TfmMain::SetPhaseCaption(const QString& name)
{
    if (auto* b = Get<sk::TSkBmpButton>(name))
        b->SetCaption(
            LookupText(b->Down() ? QStringLiteral("SID_PHASE_ON") : QStringLiteral("SID_PHASE_OFF")));
}

void TfmMain::ApplyChannelLanguage(int ch)
{
    bool ok = true;
    auto set = [&](const QString& name, const char* key) {
        SetCaptionOf(name, QString::fromLatin1(key), ok);
    };
    const bool in = ch < 3;
    const QString s = ChannelTitle(ch);
    // Captions every channel page has, then the gate's (inputs) and the GEQ buttons (inputs).
    static const char* const common[][2] = {{"lbFftParam", "SID_PARAM_KEY"},
                                            {"lbGain", "SID_GAIN"},
                                            {"rzbMute", "SID_MUTE"},
                                            {"lbEqParam", "SID_EQ_PARAM"},
                                            {"lbEqFreq", "SID_EQ_FREQ"},
                                            {"lbEqBw", "SID_EQ_BW"},
                                            {"lbEqGain", "SID_EQ_GAIN"},
                                            {"lbEq", "SID_EQ_PARAM_TITLE"},
                                            {"lbLowCutFreq", "SID_HPF"},
                                            {"lbLowCutSlop", "SID_HLP_SLOP"},
                                            {"rzbLowCutBypass", "SID_HLP_BYPASS"},
                                            {"lbHighCutFreq", "SID_LPF"},
                                            {"lbHighCutSlop", "SID_HLP_SLOP"},
                                            {"rzbHighCutBypass", "SID_HLP_BYPASS"},
                                            {"vrbEqShowAll", "SID_SHOW_ALL_EQ"},
                                            {"vrbEqReset", "SID_RESET_EQ"},
                                            {"vrbEqBypass", "SID_BYPASS_EQ"}};
    static const char* const inputOnly[][2] = {
        {"lbGateThreshold", "SID_COMP_THRESHOLD"}, {"lbGateAttack", "SID_COMP_ATTACK"},
        {"lbGateRelease", "SID_COMP_RELEASE"},     {"lbGateHold", "SID_GATE_HOLD"},
        {"vrbEqResetGeq", "SID_RESET_EQ"},         {"vrbEqBypassGeq", "SID_BYPASS_EQ"}};
    for (const auto& [name, key] : common)
        set(QString::fromLatin1(name) + s, key);
    SetPhaseCaption(QStringLiteral("rzbPhase") + s);
    if (in) {
        for (const auto& [name, key] : inputOnly)
            set(QString::fromLatin1(name) + s, key);
    } else {
        for (const char* k : {"Comp", "Limit"}) {
            const QString p = QStringLiteral("lb") + QString::fromLatin1(k);
            if (k[0] == 'C')
                set(p + QStringLiteral("Ratio") + s, "SID_COMP_RATIO");
            set(p + QStringLiteral("Threshold") + s, "SID_COMP_THRESHOLD");
            set(p + QStringLiteral("Attack") + s, "SID_COMP_ATTACK");
            set(p + QStringLiteral("Release") + s, "SID_COMP_RELEASE");
            set(p + QStringLiteral("Knee") + s, "SID_COMP_KNEE");
        }
    }
    if (auto* peq = Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + s)) {
        for (int i = 0; i <= 8; ++i)
            peq->SetEqTypeString(LookupText(QStringLiteral("SID_EQ_TYPE%1").arg(i)), i);
        peq->SetBypassString(LookupText(QStringLiteral("SID_EQ_BYPASS")));
        peq->ChangeLanguage();
    }
}

void TfmMain::LanguageClick(QAction* item)
{
    if (!item)
        return;
    QString language;
    switch (item->data().toInt()) {
    case 0:
        language = QStringLiteral("ChineseGB");
        break;
    case 1:
        language = QStringLiteral("ChineseBIG5");
        break;
    case 2:
        language = QStringLiteral("English");
        break;
    default:
        ApplyLanguage();
        if (auto* peq = Get<QWidget>(QStringLiteral("peqPeqInA")))
            peq->update();
        return;
    }
    // The menu ticks a checkable item before this runs: whether the language changes is read from
    // the language itself, and the ticks are set here whatever the menu did.
    const bool unchanged = language == FLanguage;
    FLanguage = language;
    const CodePage page = language == u"English" ? CodePage::Windows1252 : CodePage::Gbk;
    if (page != CurrentCodePage()) {
        SetCodePage(page);
        if (FUnit)
            ShowNames(); // the device's bytes read anew in the new page
    }
    static const char* const items[3] = {"ChineseSimplified", "ChineseTraditional", "English"};
    const QString own = QString::fromLatin1(items[item->data().toInt()]);
    QAction* ownItem = MenuItem(own);
    for (const char* n : items)
        if (QAction* a = MenuItem(QString::fromLatin1(n)))
            a->setChecked(a == ownItem);
    if (unchanged)
        return;
    ApplyLanguage();
    if (auto* peq = Get<QWidget>(QStringLiteral("peqPeqInA")))
        peq->update();
}

} // namespace app
