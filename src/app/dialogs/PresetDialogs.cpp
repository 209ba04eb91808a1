#include "app/dialogs/PresetDialogs.h"

#include "app/main/TfmMain.h"
#include "base/CodePage.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/RoundEdit.h"
#include "model/LUnitControl.h"
#include "session/LLinkSession.h"

#include <QPainter>
#include <cstdio>
#include <span>

namespace app
{

namespace
{

constexpr char kDefaultName[] = "Default Preset";

QString KeyText(char letter, int number)
{
    char key[8];
    std::snprintf(key, sizeof key, "%c%02d", letter, number);
    return QString::fromLatin1(key);
}

} // namespace

TPresetList::TPresetList(QWidget* parent, bool recall)
    : TControl(parent), FRecall(recall), FNames(recall ? 21 : 20, std::string(kDefaultName))
{
    SetName(QStringLiteral("vledPresetName"));
    setCursor(Qt::PointingHandCursor);
}

QString TPresetList::Key(int row) const
{
    if (FRecall)
        return row == 0 ? KeyText('F', 0) : KeyText('U', row);
    return KeyText('U', row + 1);
}

void TPresetList::SetRowName(int row, const std::string& bytes)
{
    if (row < 0 || row >= RowCount())
        return;
    FNames[std::size_t(row)] = FitCodePageField(bytes, kPresetNameBytes, ' ', CurrentCodePage());
    update();
}

std::string TPresetList::RowText(int row) const
{
    return "     " + Key(row).toStdString() + "=  " + Name(row);
}

std::string TPresetList::ListText() const
{
    std::string text;
    for (int r = 0; r < RowCount(); ++r)
        text += RowText(r) + "\r\n";
    return text;
}

void TPresetList::Paint(fw::TCanvas& Canvas)
{
    QPainter& p = Canvas.Painter();
    const int w = Width(), keyWidth = 72;
    p.fillRect(rect(), QColor(24, 25, 27));
    // Title row.
    QLinearGradient g(0, 0, 0, kRowHeight);
    g.setColorAt(0, QColor(78, 80, 86));
    g.setColorAt(1, QColor(52, 53, 58));
    p.fillRect(0, 0, w, kRowHeight, g);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(230, 230, 230));
    p.drawText(QRect(0, 0, keyWidth, kRowHeight), Qt::AlignCenter, NumberTitle);
    p.drawText(QRect(keyWidth + 10, 0, w - keyWidth - 10, kRowHeight), Qt::AlignVCenter | Qt::AlignLeft,
               NameTitle);
    f.setBold(false);
    p.setFont(f);
    for (int r = 0; r < RowCount(); ++r) {
        const int y = kRowHeight * (r + 1);
        const QColor back = r == FSelected ? QColor(48, 96, 150)
                            : r % 2        ? QColor(34, 35, 38)
                                           : QColor(40, 41, 45);
        p.fillRect(0, y, w, kRowHeight, back);
        p.setPen(QColor(64, 200, 255));
        p.drawText(QRect(0, y, keyWidth, kRowHeight), Qt::AlignCenter, Key(r));
        p.setPen(QColor(235, 235, 235));
        const QString name = QString::fromStdString(CodePageToUtf8(Name(r), CurrentCodePage()));
        p.drawText(QRect(keyWidth + 10, y, w - keyWidth - 12, kRowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                   name);
    }
    p.setPen(QColor(70, 72, 78));
    p.drawLine(keyWidth, 0, keyWidth, height());
    p.drawRect(0, 0, w - 1, height() - 1);
}

void TPresetList::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y)
{
    TControl::MouseDown(Button, Shift, X, Y);
    const int k = Y / kRowHeight;
    if (Button != fw::mbLeft || k < 1 || k > RowCount())
        return;
    FSelected = k - 1;
    update();
    if (OnSelectCell)
        OnSelectCell(k);
}

TfmPresetList::TfmPresetList(TfmMain* main, bool recall, TfmStoreName* nameDialog)
    : TDialogForm(main, 300, recall ? 530 : 510), FRecall(recall), FNameDialog(nameDialog)
{
    Background();
    lPresetSelect = Label(QStringLiteral("lPresetSelect"), 10, 8, 280, 24);
    lPresetSelect->SetAutoSize(false);
    lPresetSelect->SetBounds(10, 8, 280, 24);
    lPresetSelect->Font().SetHeight(-15);
    lPresetSelect->Font().SetStyle(fw::fsBold);
    lPresetSelect->Font().SetColor(0x40D0FF);
    vledPresetName = new TPresetList(this, recall);
    vledPresetName->SetBounds(14, 38, 272, TPresetList::kRowHeight * (vledPresetName->RowCount() + 1));
    vledPresetName->OnSelectCell = [this](int k) { vledPresetNameSelectCell(k); };
    bnCancel = Button(QStringLiteral("bnCancel"), 107, height() - 40);
    bnCancel->OnClick = [this](fw::TControl*) { bnCancelClick(); };
    SetKeyButtons(nullptr, bnCancel);
}

void TfmPresetList::FormShow()
{
    const char* title = FRecall ? "SID_RECALL_PRESET" : "SID_SAVE_PRESET";
    setWindowTitle(Text(title));
    lPresetSelect->SetCaption(Text(title));
    bnCancel->SetCaption(Text("SID_CANCEL"));
    vledPresetName->NumberTitle = Text("SID_PST_NUM");
    vledPresetName->NameTitle = Text("SID_PST_NAME");
    vledPresetName->update();
}

void TfmPresetList::SetPresetName(int index, const std::string& bytes)
{
    vledPresetName->SetRowName(index, bytes);
}

void TfmPresetList::vledPresetNameSelectCell(int k)
{
    if (k < 1 || k > vledPresetName->RowCount())
        return;
    FNameDialog->SetNameText(
        QString::fromStdString(CodePageToUtf8(vledPresetName->Name(k - 1), CurrentCodePage())));
    FNameDialog->SetPresetIndex(k - 1);
    const QString key = FRecall ? vledPresetName->Key(k - 1) : KeyText('U', k);
    FNameDialog->lTitle->SetCaption(key + QStringLiteral(" : "));
    FNameDialog->SetStoreMode(FRecall ? 0 : 1);
    // In front of this list, which waits behind it.
    if (FNameDialog->isVisible())
        FNameDialog->hide();
    FNameDialog->setWindowModality(Qt::WindowModal);
    FNameDialog->Show();
}

void TfmPresetList::bnCancelClick()
{
    vledPresetName->setFocus();
    Close();
}

TfmStoreName::TfmStoreName(TfmMain* main) : TDialogForm(main, 320, 160)
{
    Background();
    lTitle = Label(QStringLiteral("lTitle"), 14, 14, 60, 24);
    lTitle->SetAutoSize(false);
    lTitle->SetBounds(14, 14, 60, 24);
    lTitle->SetAlignment(sk::taLeftJustify);
    lTitle->Font().SetColor(0x40D0FF);
    lTitle->Font().SetStyle(fw::fsBold);
    lblPresetName = Label(QStringLiteral("lblPresetName"), 74, 14, 232, 24);
    lblPresetName->SetAutoSize(false);
    lblPresetName->SetBounds(74, 14, 232, 24);
    lblPresetName->SetAlignment(sk::taLeftJustify);
    edName = new fx::TRoundEdit(this);
    edName->SetName(QStringLiteral("edName"));
    edName->SetBounds(14, 52, 292, 28);
    edName->SetMaxLength(kPresetNameBytes);
    edName->Font().SetName(QStringLiteral("Tahoma"));
    edName->Font().SetHeight(-14);
    btnOK = Button(QStringLiteral("btnOK"), 56, 112);
    bnCancel = Button(QStringLiteral("bnCancel"), 178, 112);
    btnOK->OnClick = [this](fw::TControl*) { btnOKClick(); };
    bnCancel->OnClick = [this](fw::TControl*) { bnCancelClick(); };
    SetKeyButtons(btnOK, bnCancel);
}

void TfmStoreName::FormShow()
{
    setWindowTitle(Text("SID_PST_NAME"));
    lblPresetName->SetCaption(Text("SID_PST_NAME"));
    btnOK->SetCaption(Text("SID_EXIT_OK"));
    bnCancel->SetCaption(Text("SID_EXIT_CANCEL"));
    // Activation: only a store takes a new name.
    edName->SetEnabled(FStoreMode == 1);
    if (FStoreMode == 1) {
        edName->SetFocus();
        edName->InnerEdit()->selectAll();
    }
}

void TfmStoreName::SetNameText(const QString& name)
{
    edName->SetText(name);
}

void TfmStoreName::btnOKClick()
{
    const CodePage page = CurrentCodePage();
    const std::string bytes =
        FitCodePageField(Utf8ToCodePage(edName->Text().toStdString(), page), kPresetNameBytes, ' ', page);
    edName->SetText(QString::fromStdString(CodePageToUtf8(bytes, page)));
    LSyncMachine& machine = FMain->Session().Machine;
    TfmPresetList* list = FStoreMode == 1 ? FStore : FRecall;
    if (machine.Connected() && list)
        list->hide();
    Close();
    if (list)
        list->Close();
    if (FStoreMode != 1) {
        machine.RecallPreset(FPresetIndex);
        return;
    }
    std::array<uint8_t, kPresetNameSize> name{};
    std::copy(bytes.begin(), bytes.end(), name.begin());
    // A name the device did not take stays off the lists.
    if (!machine.StorePreset(FPresetIndex, name))
        return;
    if (FRecall)
        FRecall->SetPresetName(FPresetIndex + 1, bytes);
    if (FStore)
        FStore->SetPresetName(FPresetIndex, bytes);
}

} // namespace app
