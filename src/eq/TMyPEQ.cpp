#include "eq/TMyPEQ.h"

#include "base/ValueScales.h"
#include "framework/FloatFormat.h"

#include <QPointer>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace eq
{

namespace
{

const QStringList& PlainTypeNames()
{
    static const QStringList names = {QStringLiteral("Peak"), QStringLiteral("Low Shelf"),
                                      QStringLiteral("High Shelf")};
    return names;
}

// The Q table as the plain table holds it: single precision.
double PlainQ(int index)
{
    return double(float(QTable[std::size_t(std::clamp(index, QIndexMin, QIndexMax))]));
}

void SetFontColour(QWidget* w, TColor c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Text, fw::ToQColor(c));
    p.setColor(QPalette::WindowText, fw::ToQColor(c));
    p.setColor(QPalette::ButtonText, fw::ToQColor(c));
    w->setPalette(p);
}

} // namespace

TColor PlainNumberColour(int row)
{
    // Ten colours for bands 1..10; bands 11..15 go on with colours of the same family.
    static const std::array<TColor, TMyPEQ::RowSlots> colours = {
        fw::RGB(255, 0, 0),     fw::RGB(255, 255, 0),   fw::RGB(255, 0, 255),   fw::RGB(0, 255, 255),
        fw::RGB(0, 255, 0),     fw::RGB(0, 0, 255),     fw::RGB(166, 202, 240), fw::RGB(128, 0, 128),
        fw::RGB(0, 128, 128),   fw::RGB(128, 0, 0),     fw::RGB(255, 251, 240), fw::RGB(128, 128, 0),
        fw::RGB(128, 128, 128), fw::RGB(192, 192, 192), fw::RGB(255, 128, 64)};
    return colours[std::size_t(std::clamp(row, 0, TMyPEQ::RowSlots - 1))];
}

struct TMyPEQ::Row {
    QLabel* Number = nullptr;
    TPeqEdit* Edits[3] = {};
    TPeqUpDown* Spinners[3] = {};
    QComboBox* Type = nullptr;
    QCheckBox* Bypass = nullptr;
};

TMyPEQ::TMyPEQ(QWidget* parent) : QGroupBox(parent)
{
    const char* titles[5] = {"EQ", "Frequency", "Q", "Gain", "Type"};
    for (int k = 0; k < 5; ++k) {
        FTitles[std::size_t(k)] = new QLabel(QString::fromLatin1(titles[k]), this);
        FTitles[std::size_t(k)]->adjustSize();
    }
    for (int row = 0; row < RowSlots; ++row) {
        auto r = std::make_unique<Row>();
        r->Number = new QLabel(QString::number(row + 1), this);
        r->Number->setAlignment(Qt::AlignCenter);
        r->Number->setAutoFillBackground(true);
        QPalette p = r->Number->palette();
        p.setColor(QPalette::Window, fw::ToQColor(PlainNumberColour(row)));
        p.setColor(QPalette::WindowText, Qt::black);
        r->Number->setPalette(p);
        for (int k = 0; k < 3; ++k) {
            auto* e = new TPeqEdit(this);
            // Seven characters as typed; texts set from code are shown whole.
            e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral(".{0,7}")), e));
            e->setProperty("Tag", row);
            r->Edits[k] = e;
            auto* u = new TPeqUpDown(this);
            u->SetTag(row);
            r->Spinners[k] = u;
        }
        r->Spinners[0]->Min = FreqPositionMin;
        r->Spinners[0]->Max = FreqPositionMax;
        r->Spinners[1]->Min = QIndexMin;
        r->Spinners[1]->Max = QIndexMax;
        r->Spinners[1]->Position = QIndexDefault;
        r->Spinners[2]->Min = -24;
        r->Spinners[2]->Max = 24;
        r->Edits[0]->OnEnter = r->Edits[0]->OnExit = [this, row] { FrequencyEntered(row); };
        r->Edits[1]->OnEnter = r->Edits[1]->OnExit = [this, row] { QfactorEntered(row); };
        r->Edits[2]->OnEnter = r->Edits[2]->OnExit = [this, row] { GainEntered(row); };
        r->Spinners[0]->OnClickArrow = [this, row](fw::TControl*) { FrequencyUpDownClick(row); };
        r->Spinners[1]->OnClickArrow = [this, row](fw::TControl*) { QfactorUpDownClick(row); };
        r->Spinners[2]->OnClickArrow = [this, row](fw::TControl*) { GainUpDownClick(row); };
        r->Type = new QComboBox(this);
        r->Type->setEditable(false);
        r->Type->setProperty("Tag", row);
        r->Type->addItems(PlainTypeNames());
        r->Type->setCurrentIndex(1);
        // Only a choice made by the user is a change; selecting from code fires nothing.
        connect(r->Type, &QComboBox::activated, this, [this, row](int) { PeqTypeChange(row); });
        r->Bypass = new QCheckBox(QStringLiteral("ByPass"), this);
        r->Bypass->setProperty("Tag", row);
        connect(r->Bypass, &QCheckBox::clicked, this, [this, row](bool) { ByPassClick(row); });
        FRows[std::size_t(row)] = std::move(r);
        ShowFreq(row);
        ShowQ(row);
        ShowGainPos(row);
    }
    resize(FLayoutW, FLayoutH);
    Layout();
}

TMyPEQ::~TMyPEQ()
{
    // The children outlive this part of the table: a focus loss while they go must not reach it.
    for (auto& r : FRows)
        for (auto* e : r->Edits)
            e->OnEnter = e->OnExit = nullptr;
}

void TMyPEQ::Change()
{
    if (!OnChange)
        return;
    QPointer<TMyPEQ> guard(this);
    OnChange(this);
}

void TMyPEQ::SetChannelNumber(int v)
{
    v = std::min(v, RowSlots);
    if (v == FChannelNumber)
        return;
    FChannelNumber = v;
    // The rows shown follow the count at once, whatever the size.
    FLaidOut = false;
    RePaint();
}

// ---------------------------------------------------------------------------------------------------
// Values

int TMyPEQ::GetFreqPosition(int i) const
{
    return Valid(i) ? FRows[std::size_t(i)]->Spinners[0]->Position : 0;
}
int TMyPEQ::GetQIndex(int i) const
{
    return Valid(i) ? FRows[std::size_t(i)]->Spinners[1]->Position : 0;
}
int TMyPEQ::GetGainPosition(int i) const
{
    return Valid(i) ? FRows[std::size_t(i)]->Spinners[2]->Position : 0;
}
double TMyPEQ::GetFreqValue(int i) const
{
    return Valid(i) ? PositionToFreq(GetFreqPosition(i)) : 0;
}
double TMyPEQ::GetQValue(int i) const
{
    return Valid(i) ? PlainQ(GetQIndex(i)) : 0;
}
double TMyPEQ::GetGainValue(int i) const
{
    return GetGainPosition(i) * 0.5;
}
int TMyPEQ::GetTypeValue(int i) const
{
    return Valid(i) ? FRows[std::size_t(i)]->Type->currentIndex() : -1;
}
bool TMyPEQ::GetBypassValue(int i) const
{
    return Valid(i) && FRows[std::size_t(i)]->Bypass->isChecked();
}

void TMyPEQ::ShowFreq(int row)
{
    FRows[std::size_t(row)]->Edits[0]->setText(Q(FreqText(GetFreqValue(row))));
}

void TMyPEQ::ShowQ(int row)
{
    FRows[std::size_t(row)]->Edits[1]->setText(Q(SiblingQText(GetQValue(row), fw::UserDecimalSeparator())));
}

void TMyPEQ::ShowGainPos(int row)
{
    FRows[std::size_t(row)]->Edits[2]->setText(
        Q(SiblingGainText(GetGainValue(row), fw::UserDecimalSeparator())));
}

void TMyPEQ::SetFreqValue(int i, float hz)
{
    if (!Valid(i))
        return;
    // The spinner keeps its range, as the position lives in it.
    if (const auto pos = SnapFreqPositionPlain(hz))
        FRows[std::size_t(i)]->Spinners[0]->Position = std::clamp(*pos, FreqPositionMin, FreqPositionMax);
    ShowFreq(i);
    Change();
}

void TMyPEQ::SetQValue(int i, float qIndex)
{
    if (!Valid(i))
        return;
    FRows[std::size_t(i)]->Spinners[1]->Position = ClampQIndex(qIndex);
    ShowQ(i);
}

void TMyPEQ::SetGainValue(int i, float db)
{
    if (!Valid(i))
        return;
    FRows[std::size_t(i)]->Spinners[2]->Position = std::clamp(HalfDbPosition(db), -24, 24);
    FRows[std::size_t(i)]->Edits[2]->setText(Q(SiblingGainText(double(db), fw::UserDecimalSeparator())));
    Change();
}

void TMyPEQ::SetTypeValue(int i, int type)
{
    if (!Valid(i) || type < 0 || type >= int(PlainTypeNames().size()))
        return;
    FRows[std::size_t(i)]->Type->setCurrentIndex(type);
    Change();
}

void TMyPEQ::SetBypassValue(int i, bool bypass)
{
    if (!Valid(i))
        return;
    QCheckBox* box = FRows[std::size_t(i)]->Bypass;
    // A tick that changes runs the box's own click handling first, as a click would.
    if (box->isChecked() != bypass) {
        box->setChecked(bypass);
        QPointer<TMyPEQ> guard(this);
        ByPassClick(i);
        if (!guard)
            return;
    }
    Change();
}

void TMyPEQ::SetColor(int i, TColor colour)
{
    if (!Valid(i))
        return;
    Row& r = *FRows[std::size_t(i)];
    for (auto* e : r.Edits)
        SetFontColour(e, colour);
    SetFontColour(r.Bypass, colour);
}

// ---------------------------------------------------------------------------------------------------
// Typed values and clicks

void TMyPEQ::Typed(TPeqEdit* e)
{
    e->end(false);
    Change();
}

void TMyPEQ::FrequencyEntered(int row)
{
    if (!Valid(row))
        return;
    Row& r = *FRows[std::size_t(row)];
    if (const auto n = ParseFreqEntry(r.Edits[0]->text().toStdString())) {
        r.Spinners[0]->Position = *n - FreqIndex1kHz;
        r.Edits[0]->setText(Q(FreqText(IndexToFreq(*n))));
    } else {
        ShowFreq(row);
    }
    Typed(r.Edits[0]);
}

void TMyPEQ::QfactorEntered(int row)
{
    if (!Valid(row))
        return;
    Row& r = *FRows[std::size_t(row)];
    if (const auto n = ParsePlainQEntry(r.Edits[1]->text().toStdString()))
        r.Spinners[1]->Position = *n;
    ShowQ(row);
    Typed(r.Edits[1]);
}

void TMyPEQ::GainEntered(int row)
{
    if (!Valid(row))
        return;
    Row& r = *FRows[std::size_t(row)];
    if (const auto n = ParseHalfDbGainEntry(r.Edits[2]->text().toStdString()))
        r.Spinners[2]->Position = *n;
    ShowGainPos(row);
    Typed(r.Edits[2]);
}

void TMyPEQ::FrequencyUpDownClick(int row)
{
    if (!Valid(row))
        return;
    ShowFreq(row);
    Change();
    FRows[std::size_t(row)]->Spinners[0]->SetFocus();
}

void TMyPEQ::QfactorUpDownClick(int row)
{
    if (!Valid(row))
        return;
    ShowQ(row);
    Change();
    FRows[std::size_t(row)]->Spinners[1]->SetFocus();
}

void TMyPEQ::GainUpDownClick(int row)
{
    if (!Valid(row))
        return;
    ShowGainPos(row);
    Change();
    FRows[std::size_t(row)]->Spinners[2]->SetFocus();
}

void TMyPEQ::ByPassClick(int row)
{
    if (Valid(row))
        Change();
}

void TMyPEQ::PeqTypeChange(int row)
{
    if (Valid(row))
        Change();
}

// ---------------------------------------------------------------------------------------------------
// Layout

TPeqEdit* TMyPEQ::FreqEdit(int row) const
{
    return Valid(row) ? FRows[std::size_t(row)]->Edits[0] : nullptr;
}
TPeqEdit* TMyPEQ::QEdit(int row) const
{
    return Valid(row) ? FRows[std::size_t(row)]->Edits[1] : nullptr;
}
TPeqEdit* TMyPEQ::GainEdit(int row) const
{
    return Valid(row) ? FRows[std::size_t(row)]->Edits[2] : nullptr;
}
TPeqUpDown* TMyPEQ::Spinner(int row, int k) const
{
    return Valid(row) && k >= 0 && k < 3 ? FRows[std::size_t(row)]->Spinners[k] : nullptr;
}
QComboBox* TMyPEQ::TypeBox(int row) const
{
    return Valid(row) ? FRows[std::size_t(row)]->Type : nullptr;
}
QCheckBox* TMyPEQ::BypassBox(int row) const
{
    return Valid(row) ? FRows[std::size_t(row)]->Bypass : nullptr;
}
QLabel* TMyPEQ::NumberLabel(int row) const
{
    return Valid(row) ? FRows[std::size_t(row)]->Number : nullptr;
}
QLabel* TMyPEQ::Title(int k) const
{
    return k >= 0 && k < 5 ? FTitles[std::size_t(k)] : nullptr;
}

void TMyPEQ::resizeEvent(QResizeEvent* e)
{
    QGroupBox::resizeEvent(e);
    RePaint();
}

void TMyPEQ::RePaint()
{
    if (FLaidOut && width() == FLayoutW && height() == FLayoutH)
        return;
    Layout();
}

void TMyPEQ::Layout()
{
    // Each row keeps its selected type.
    FLaidOut = true;
    FLayoutW = width();
    FLayoutH = height();
    const int n = std::max(1, FChannelNumber);
    const int W = (width() - 84) / 5;
    const int H = (height() - n - 30) / (n + 1);
    const int small = n <= 4 ? 18 : 0;
    FTitles[0]->move(8, 15);
    for (int k = 1; k < 5; ++k)
        FTitles[std::size_t(k)]->move(12 * k + (k - 1) * W + 33, 15);
    for (int i = 0; i < RowSlots; ++i) {
        Row& r = *FRows[std::size_t(i)];
        QWidget* all[6] = {r.Number, r.Edits[0], r.Edits[1], r.Edits[2], r.Type, r.Bypass};
        const bool shown = i < FChannelNumber;
        for (auto* u : r.Spinners)
            u->SetVisible(shown);
        if (!shown) {
            for (QWidget* w : all)
                w->setVisible(false);
            for (QWidget* w : all)
                w->move(w->x(), 10000);
            for (auto* u : r.Spinners)
                u->move(u->x(), 10000);
            continue;
        }
        const int top = (H + 2) * i + H + 17;
        r.Number->setGeometry(8, top, 20, small ? small : H - 2);
        const int X = 28;
        r.Edits[0]->setGeometry(X + 12, top, W, H);
        r.Edits[1]->setGeometry(X + W + 24, top - 1, W, H);
        r.Edits[2]->setGeometry(X + 2 * W + 36, top - 1, W, H);
        r.Type->setGeometry(X + 3 * W + 48, top - 1, W, H);
        r.Bypass->setGeometry(X + 4 * W + 60, top - 1, std::max(0, W - 20), H);
        for (int k = 0; k < 3; ++k) {
            const TPeqEdit* e = r.Edits[k];
            r.Spinners[k]->SetBounds(e->x() + e->width() - 22, e->y() + 2, 20, small ? small : H - 1);
        }
        for (QWidget* w : all)
            w->setVisible(true);
        for (auto* u : r.Spinners)
            u->raise();
    }
}

} // namespace eq
