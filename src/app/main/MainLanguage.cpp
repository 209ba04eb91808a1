// TfmMain: the text lookup, the captions of every language-dependent control and the language menu.
#include "app/main/LinkController.h"
#include "app/main/MainControls.h"
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

void TfmMain::ApplyLanguage()
{
    ApplyMenuLanguage();
    const TMainControls& c = *FControls;
    c.link->SetCaption(
        LookupText(FLink->Online() ? QStringLiteral("SID_ONLINE") : QStringLiteral("SID_OFFLINE")));
    for (const auto& [control, key] : c.captions)
        control->SetCaption(LookupText(key));
    for (const auto& buttons : c.phase)
        for (sk::TSkBmpButton* b : buttons)
            b->SetCaption(
                LookupText(b->Down() ? QStringLiteral("SID_PHASE_ON") : QStringLiteral("SID_PHASE_OFF")));
    for (eq::TMyPEQType8* peq : c.bandEditors) {
        for (int i = 0; i <= 8; ++i)
            peq->SetEqTypeString(LookupText(QStringLiteral("SID_EQ_TYPE%1").arg(i)), i);
        peq->SetBypassString(LookupText(QStringLiteral("SID_EQ_BYPASS")));
        peq->ChangeLanguage();
    }
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
        a->setText(
            LookupText(FLink->Online() ? QStringLiteral("SID_DISCONNECT") : QStringLiteral("SID_CONNECT")));
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
        FControls->bandEditors[0]->update();
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
    FControls->bandEditors[0]->update();
}

} // namespace app
