// TfmMain: the main menu, the page switch of the sixteen page buttons and the linked-channel pages.
#include "app/main/LinkController.h"
#include "app/main/MainControls.h"
#include "app/main/TfmMain.h"
#include "app/pages/PeqPage.h"

#include "app/dialogs/SmallDialogs.h"
#include "app/main/MainLayout.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkLabel.h"
#include "curves/CurveColours.h"
#include "curves/Plot.h"
#include "framework/Fonts.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"
#include "session/LLinkSession.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace app
{

namespace
{

struct MenuRow {
    const char* parent; // "" = the menu bar
    const char* name;   // "-" = separator
    const char* caption;
    bool visible;
    bool submenu;
};

// The menu in order; captions of the keyed items are replaced by the language pass.
const MenuRow kMenu[] = {
    {"", "File", "File", true, true},
    {"File", "Open", "Open", true, false},
    {"File", "Save", "Save", true, false},
    {"File", "-", "", true, false},
    {"File", "Upload", "Upload", true, false},
    {"File", "Download", "Download", true, false},
    {"File", "-", "", false, false},
    {"File", "FactoryDefault", "Factory Default", false, false},
    {"File", "-", "", true, false},
    {"File", "Exit", "Exit", true, false},
    {"", "Link", "Link", true, false},
    {"", "Copy", "Copy", true, false},
    {"", "Lock", "Lock", true, false},
    {"", "SettingID", "Setting ID", false, false},
    {"", "NetworkSetup", "Setting ID/IP", false, false},
    {"", "TestTone", "Test Tone", true, false},
    {"", "ChNameList", "Channel Name", true, false},
    {"", "LanguageSel", "Language", true, true},
    {"LanguageSel", "ChineseSimplified", "Chinese", true, false},
    {"LanguageSel", "ChineseTraditional", "Troditional Chinese", false, false},
    {"LanguageSel", "English", "English", true, false},
    {"", "Help", "Help", true, true},
    {"Help", "Rs232Code", "RS232 Code Table", true, false},
    {"Help", "-", "", false, false},
    {"Help", "MemoShow", "Memo Show", false, false},
    {"Help", "HidData", "HidData", false, false},
    {"Help", "LockSetup", "Lock", false, false},
    {"", "BlockDiagram", "Diagram", false, false},
    {"", "Connect", "Connect", false, true},
    {"Connect", "Connected", "Connect", false, false},
    {"Connect", "-", "", false, false},
    {"Connect", "ConnectHelp", "Connect Help", false, false},
    {"", "About", "About", true, false},
};

} // namespace

void TfmMain::BuildMenu()
{
    FMenuBar->setGeometry(0, 0, kDesignWidth - kFrameWidth, kMenuHeight);
    // Named by the installed family: a family that is not installed costs a fallback search per script.
    FMenuBar->setStyleSheet(
        QStringLiteral("QMenuBar{background:#2a2a2a;color:#e8e8e8;font-family:'%1';font-size:12px}"
                       "QMenuBar::item:selected{background:#505050}"
                       "QMenu{background:#2f2f2f;color:#e8e8e8;font-family:'%1';font-size:12px;"
                       "border:1px solid #555}"
                       "QMenu::item:selected{background:#4a6a8a}")
            .arg(fw::SubstituteFamily(QStringLiteral("Tahoma"))));
    std::map<QString, QMenu*> menus;
    for (const MenuRow& r : kMenu) {
        QMenu* owner = r.parent[0] ? menus[QString::fromLatin1(r.parent)] : nullptr;
        QAction* a = nullptr;
        if (r.submenu) {
            auto* m =
                new QMenu(QString::fromUtf8(r.caption), owner ? static_cast<QWidget*>(owner) : FMenuBar);
            m->setObjectName(QStringLiteral("menu") + QString::fromLatin1(r.name));
            menus[QString::fromLatin1(r.name)] = m;
            a = owner ? owner->addMenu(m) : FMenuBar->addMenu(m);
        } else if (r.name[0] == '-') {
            a = owner->addSeparator();
        } else {
            a = new QAction(QString::fromUtf8(r.caption), owner ? static_cast<QObject*>(owner) : FMenuBar);
            if (owner)
                owner->addAction(a);
            else
                FMenuBar->addAction(a);
        }
        if (r.name[0] != '-')
            a->setObjectName(QString::fromLatin1(r.name));
        a->setVisible(r.visible);
    }
    BuildMenuKeys();
    // The language items carry their language in Tag.
    const char* langs[3] = {"ChineseSimplified", "ChineseTraditional", "English"};
    for (int tag = 0; tag < 3; ++tag)
        if (QAction* a = MenuItem(QString::fromLatin1(langs[tag]))) {
            a->setCheckable(true);
            a->setData(tag);
        }
}

// The menu bar's keys, the same in every language: F10 opens the first menu; Alt and the first letter
// of a title's English caption opens that menu (a command title acts), the first shown title of that
// letter when several share it.
void TfmMain::BuildMenuKeys()
{
    auto open = [this](QAction* title) {
        if (title->menu())
            FMenuBar->setActiveAction(title);
        else
            title->trigger();
    };
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    QObject::connect(f10, &QShortcut::activated, this, [this, open] {
        for (QAction* a : FMenuBar->actions())
            if (a->isVisible() && a->isEnabled())
                return open(a);
    });
    QString letters;
    for (const MenuRow& r : kMenu)
        if (!r.parent[0] && !letters.contains(QChar::fromLatin1(r.caption[0]).toUpper()))
            letters += QChar::fromLatin1(r.caption[0]).toUpper();
    for (QChar letter : letters) {
        auto* key =
            new QShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_A + (letter.unicode() - u'A'))), this);
        QObject::connect(key, &QShortcut::activated, this, [this, open, letter] {
            for (const MenuRow& r : kMenu)
                if (!r.parent[0] && QChar::fromLatin1(r.caption[0]).toUpper() == letter)
                    if (QAction* a = MenuItem(QString::fromLatin1(r.name));
                        a && a->isVisible() && a->isEnabled())
                        return open(a);
        });
    }
}

QAction* TfmMain::MenuItem(const QString& name) const
{
    for (QAction* a : FMenuBar->findChildren<QAction*>())
        if (a->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return a;
    return nullptr;
}

void TfmMain::ConnectHandlers()
{
    for (int page = 0; page < kPageCount; ++page) {
        sk::TSkBmpButton* b = FControls->pageButtons[std::size_t(page)];
        b->OnClick = [this](fw::TControl* s) { rzbMenuInAClick(s); };
        b->SetShowHint(page < 9); // a channel's button shows the channel's name
    }
    auto on = [this](const char* name, std::function<void()> f) {
        if (QAction* a = MenuItem(QString::fromLatin1(name)))
            QObject::connect(a, &QAction::triggered, this, [f] { f(); });
    };
    on("Exit", [this] {
        if (FDialogs)
            FDialogs->fmExit->ShowModal();
    });
    on("TestTone", [this] {
        if (FDialogs)
            FDialogs->fmTest->ShowModal();
    });
    on("About", [this] {
        if (FDialogs)
            FDialogs->fmAbout->ShowModal();
    });
    on("Rs232Code", [this] {
        if (FDialogs)
            FDialogs->Rs232Code(FLanguage == u"English").ShowModal();
    });
    on("MemoShow", [this] {
        if (FDialogs)
            FDialogs->Memo().Show();
    });
    on("FactoryDefault", [this] { FactoryDefaultClick(); });
    on("Open", [this] { OpenClick(); });
    on("Save", [this] { SaveClick(); });
    on("Upload", [this] { UploadClick(); });
    on("Download", [this] { DownloadClick(); });
    for (const char* n : {"ChineseSimplified", "English"})
        if (QAction* a = MenuItem(QString::fromLatin1(n)))
            QObject::connect(a, &QAction::triggered, this, [this, a] { LanguageClick(a); });
    FLink->Connect();
    ConnectDeviceDialogHandlers();
    ConnectPageHandlers();
}

void TfmMain::rzbMenuInAClick(fw::TControl* Sender)
{
    auto* button = dynamic_cast<sk::TSkBmpButton*>(Sender);
    if (!button)
        return;
    const int P = int(button->Tag());
    const int O = FCurrentPage;
    if (P == O || P < 0 || P >= kPageCount)
        return;
    if (FSession)
        FSession->GrantGraceResend();
    const TMainControls& c = *FControls;
    const int leader = P >= 9 ? P : FUnit ? FUnit->LeaderOf(P) : -1;
    if (leader < 0)
        return;
    sk::TSkBmpButton* oldButton = c.pageButtons[std::size_t(O)];
    if (P < 9) {
        Plot* plot = FPlots[std::size_t(leader)].get();
        plot->RemoveCurve(Plot::TotalSection);
        plot->DrawSectionCurve(Plot::TotalSection, ChannelColours[std::size_t(P)]);
        c.graphs[std::size_t(leader)]->UpdateCurvePage();
        c.channelLabels[std::size_t(leader)]->SetCaption(ChannelTitle(P));
        c.gainNames[std::size_t(leader)]->SetCaption(ChannelTitle(P));
    }
    oldButton->Font().SetColor(fw::clWhite);
    oldButton->update();
    button->Font().SetColor(fw::clLime);
    button->update();
    c.paramBoxes[std::size_t(O)]->SetVisible(false);
    c.graphBoxes[std::size_t(O)]->SetVisible(false);
    fw::TControl* newParam = c.paramBoxes[std::size_t(leader)];
    fw::TControl* newFft = c.graphBoxes[std::size_t(leader)];
    newParam->SetVisible(true);
    newFft->SetVisible(true);
    newParam->raise();
    newFft->raise();
    if (P == kPageGain)
        FPeqPage->RefreshGainPageOverlays();
    else
        FPeqPage->RefreshChannelOverlays(P);
    FCurrentPage = P;
}

} // namespace app
