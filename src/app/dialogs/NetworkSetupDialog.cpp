#include "app/dialogs/NetworkSetupDialog.h"

#include "app/main/LinkController.h"
#include "app/main/MainSessionView.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkLabel.h"
#include "session/LLinkSession.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTimer>

#include <charconv>

namespace app
{

namespace
{
QLineEdit* DigitEdit(QWidget* parent, const QString& name, int x, int y, int w)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(x, y, w, 24);
    e->setMaxLength(3);
    e->setAlignment(Qt::AlignCenter);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), e));
    return e;
}

// An address box also takes a dotted address (pasted), which it spreads over the boxes.
QLineEdit* OctetEdit(QWidget* parent, const QString& name, int x, int y, int w)
{
    QLineEdit* e = DigitEdit(parent, name, x, y, w);
    e->setMaxLength(15);
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,3}|[0-9]{0,3}(\\.[0-9]{0,3}){1,3}")), e));
    return e;
}

void PaintEdit(QLineEdit* e, bool enabled)
{
    e->setEnabled(enabled);
    e->setStyleSheet(enabled ? QStringLiteral("QLineEdit{background:white;color:black}")
                             : QStringLiteral("QLineEdit{background:#c0c0c0;color:#404040}"));
}

// A one-line label that keeps these bounds whatever its text.
sk::TSkLabel* Fixed(sk::TSkLabel* l, int x, int y, int w, int h)
{
    l->SetAutoSize(false);
    l->SetWordWrap(false);
    l->SetBounds(x, y, w, h);
    return l;
}

sk::TSkLabel* GroupCaption(sk::TSkLabel* l)
{
    l->SetAlignment(sk::taLeftJustify);
    l->Font().SetColor(0x99CCFF);
    return l;
}
} // namespace

TfmNetworkSetup::TfmNetworkSetup(TfmMain* main) : TDialogForm(main, 300, 230)
{
    Background();
    gbIpSetting = GroupCaption(Fixed(Label(QStringLiteral("gbIpSetting"), 0, 0, 0, 0), 14, 10, 272, 20));
    for (int i = 0; i < 4; ++i) {
        QLineEdit* e = OctetEdit(this, QStringLiteral("edIp%1").arg(i + 1), 24 + i * 66, 36, 52);
        edIp[std::size_t(i)] = e;
        QObject::connect(e, &QLineEdit::textEdited, this, [this, i](const QString& t) { OctetEdited(i, t); });
        if (i < 3) {
            auto* dot =
                Fixed(Label(QStringLiteral("lbDot%1").arg(i + 1), 0, 0, 0, 0), 76 + i * 66, 36, 14, 24);
            dot->SetCaption(QStringLiteral("."));
        }
    }
    rbManualSetting = new TRadioButton(this);
    rbManualSetting->SetName(QStringLiteral("rbManualSetting"));
    rbManualSetting->SetChecked(true);
    rbManualSetting->SetVisible(false);
    rbAutoSetting = new TRadioButton(this);
    rbAutoSetting->SetName(QStringLiteral("rbAutoSetting"));
    rbAutoSetting->SetVisible(false);
    gbIdSetting = GroupCaption(Fixed(Label(QStringLiteral("gbIdSetting"), 0, 0, 0, 0), 14, 80, 272, 20));
    lbMessage = Fixed(Label(QStringLiteral("lbMessage"), 0, 0, 0, 0), 24, 108, 90, 24);
    edId = DigitEdit(this, QStringLiteral("edId"), 120, 108, 60);
    edId->setText(QStringLiteral("1"));
    for (QLineEdit* e : edIp)
        e->installEventFilter(this);
    edId->installEventFilter(this);
    bnSet = Button(QStringLiteral("bnSet"), 40, 180);
    bnExit = Button(QStringLiteral("bnExit"), 174, 180);
    bnSet->OnClick = [this](fw::TControl*) { bnSetClick(); };
    bnExit->OnClick = [this](fw::TControl*) { bnExitClick(); };
    SetKeyButtons(bnSet, bnExit);
}

void TfmNetworkSetup::FormShow()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    const uint32_t a = FMain->Link().GetNetAddress();
    for (int i = 0; i < 4; ++i)
        edIp[std::size_t(i)]->setText(QString::number((a >> (24 - 8 * i)) & 0xFF));
    setWindowTitle(Text("SID_SET_NETWORK"));
    gbIdSetting->SetCaption(Text("SID_INPUT_ID"));
    gbIpSetting->SetCaption(Text("SID_IP_ADDRESS"));
    lbMessage->SetCaption(Text("SID_NUMBER"));
    bnSet->SetCaption(Text("SID_SET"));
    bnExit->SetCaption(Text("SID_EXIT"));
}

void TfmNetworkSetup::SetEditsEnabled(bool addressGroup, bool edits)
{
    gbIpSetting->SetEnabled(addressGroup);
    rbManualSetting->SetEnabled(addressGroup);
    rbAutoSetting->SetEnabled(addressGroup);
    for (QLineEdit* e : edIp)
        PaintEdit(e, edits);
    PaintEdit(edId, edits);
}

std::optional<int> TfmNetworkSetup::Value(const QLineEdit* e)
{
    const std::string t = e->text().trimmed().toStdString();
    int v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size())
        return std::nullopt;
    return v;
}

void TfmNetworkSetup::FixOctet(QLineEdit* e)
{
    if (auto v = Value(e); v && *v >= 256)
        e->setText(QStringLiteral("255"));
    e->selectAll();
}

void TfmNetworkSetup::OctetEdited(int box, const QString& text)
{
    QLineEdit* e = edIp[std::size_t(box)];
    if (text.contains(u'.')) {
        // A pasted address: its parts from this box on, then the box after the last part.
        const QStringList parts = text.split(u'.');
        int next = box;
        for (int k = 0; k < parts.size() && box + k < 4; ++k) {
            if (k > 0 && parts[k].isEmpty())
                break;
            edIp[std::size_t(box + k)]->setText(parts[k]);
            next = box + k + 1;
        }
        FocusOctet(next < 4 ? next : 3, next >= 4);
        return;
    }
    // A full box goes on to the next one.
    if (text.size() == 3 && e->cursorPosition() == 3 && box < 3) {
        FocusOctet(box + 1, false);
        FAdvancedTo = box + 1;
    }
}

void TfmNetworkSetup::FocusOctet(int box, bool atEnd)
{
    QLineEdit* e = edIp[std::size_t(box)];
    e->setFocus(Qt::TabFocusReason);
    if (atEnd)
        e->deselect();
    else
        e->selectAll();
    FAdvancedTo = -1;
}

void TfmNetworkSetup::FixId()
{
    if (auto v = Value(edId)) {
        if (*v > kMaxDeviceId)
            edId->setText(QString::number(kMaxDeviceId));
        else if (*v < kMinDeviceId)
            edId->setText(QString::number(kMinDeviceId));
    }
    edId->selectAll();
}

bool TfmNetworkSetup::eventFilter(QObject* o, QEvent* e)
{
    auto* edit = qobject_cast<QLineEdit*>(o);
    if (!edit)
        return TDialogForm::eventFilter(o, e);
    switch (e->type()) {
    case QEvent::FocusIn:
    case QEvent::MouseButtonPress:
        // After the edit has placed its cursor.
        QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
        break;
    case QEvent::FocusOut:
        edit == edId ? FixId() : FixOctet(edit);
        break;
    case QEvent::KeyPress: {
        const auto* k = static_cast<QKeyEvent*>(e);
        const auto box = std::find(edIp.begin(), edIp.end(), edit);
        const int i = box == edIp.end() ? -1 : int(box - edIp.begin());
        const bool dot = k->text() == u"." || k->key() == Qt::Key_Period;
        if (i >= 0 && dot) {
            // A dot ends the box: the next box takes the next number. A dot right after a full box
            // moved on is that box's own dot.
            if (FAdvancedTo != i && !edit->text().isEmpty() && i < 3)
                FocusOctet(i + 1, false);
            FAdvancedTo = -1;
            return true;
        }
        if (!k->text().isEmpty())
            FAdvancedTo = -1;
        break;
    }
    default:
        break;
    }
    return TDialogForm::eventFilter(o, e);
}

void TfmNetworkSetup::bnSetClick()
{
    for (QLineEdit* e : edIp)
        if (auto v = Value(e); v && *v >= 256)
            e->setText(QStringLiteral("255"));
    bool changed = false;
    const std::optional<int> id = Value(edId);
    if (!id || *id < kMinDeviceId || *id > kMaxDeviceId) {
        FMain->View().ShowInformation("SID_ID_NUMBER_ERROR");
        edId->setText(QString::number(FMain->Link().GetDeviceId()));
    } else {
        FMain->Link().ApplyDeviceId(*id);
        changed = true;
    }
    if (rbManualSetting->Checked() && !FMain->Session().Machine.Connected()) {
        std::array<int, 4> octets{};
        bool valid = true;
        for (std::size_t i = 0; i < 4; ++i) {
            const std::optional<int> v = Value(edIp[i]);
            valid = valid && v.has_value();
            octets[i] = v.value_or(0) & 0xFF;
        }
        if (valid) {
            uint32_t a = 0;
            for (int o : octets)
                a = (a << 8) | uint32_t(o);
            FMain->Link().ApplyNetAddress(a);
            changed = true;
        } else {
            FMain->View().ShowMessage("Invalid IP address: every part needs a number from 0 to 255.");
        }
    }
    if (changed) {
        FMain->Link().SetAutoNetSetting(rbAutoSetting->Checked() ? 1 : 0);
        Close();
    }
}

void TfmNetworkSetup::bnExitClick()
{
    edId->setText(QString::number(FMain->Link().GetDeviceId()));
    Close();
}

TfmHidData::TfmHidData(TfmMain* main) : TDialogForm(main, 520, 360)
{
    setWindowTitle(QStringLiteral("Hid Data"));
    hbHidData = new QListWidget(this);
    hbHidData->setObjectName(QStringLiteral("hbHidData"));
    hbHidData->setGeometry(8, 8, 504, 306);
    hbHidData->setStyleSheet(
        QStringLiteral("QListWidget{background:#101010;color:#d8d8d8;font-family:monospace;"
                       "font-size:11px}QListWidget::item:selected{background:#2a4a6a}"));
    bnClear = Button(QStringLiteral("bnClear"), 217, 322);
    bnClear->SetCaption(QStringLiteral("Clear"));
    bnClear->OnClick = [this](fw::TControl*) { hbHidData->clear(); };
}

void TfmHidData::AddLine(const QString& line)
{
    while (hbHidData->count() >= MaxLines)
        delete hbHidData->takeItem(0);
    hbHidData->addItem(line);
    hbHidData->setCurrentRow(hbHidData->count() - 1);
}

void TfmHidData::showEvent(QShowEvent* e)
{
    FMain->Session().Core.SetLogVisible(true);
    TDialogForm::showEvent(e);
}

void TfmHidData::hideEvent(QHideEvent* e)
{
    FMain->Session().Core.SetLogVisible(false);
    TDialogForm::hideEvent(e);
}

} // namespace app
