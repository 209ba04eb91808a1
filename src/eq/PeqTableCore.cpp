#include "eq/PeqTableCore.h"
#include "framework/FloatFormat.h"

#include "base/ValueScales.h"
#include "controls/panels/SkButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"

#include <QKeyEvent>
#include <QPalette>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace eq
{

namespace
{
constexpr TColor CurrentRowColour = fw::RGB(0, 176, 0);
constexpr TColor BypassedColour = fw::RGB(255, 128, 128);

void SetTextColour(QWidget* w, TColor c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Text, fw::ToQColor(c));
    w->setPalette(p);
}

TColor TextColour(const QWidget* w)
{
    return fw::FromQColor(w->palette().color(QPalette::Text));
}

// Puts `w` right after `after` in their window's focus chain, whatever focus they take.
void FollowInFocusChain(QWidget* after, QWidget* w)
{
    const Qt::FocusPolicy a = after->focusPolicy(), b = w->focusPolicy();
    if (a == Qt::NoFocus && !after->focusProxy())
        after->setFocusPolicy(Qt::TabFocus);
    if (b == Qt::NoFocus && !w->focusProxy())
        w->setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(after, w);
    after->setFocusPolicy(a);
    w->setFocusPolicy(b);
}
} // namespace

// ---------------------------------------------------------------------------------------------------

void TPeqEdit::keyPressEvent(QKeyEvent* e)
{
    QLineEdit::keyPressEvent(e);
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && OnEnter)
        OnEnter();
}

void TPeqEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (OnExit)
        OnExit();
}

void TPeqEdit::mousePressEvent(QMouseEvent* e)
{
    QLineEdit::mousePressEvent(e);
    if (OnPress)
        OnPress(e);
}

void TPeqEdit::paintEvent(QPaintEvent* e)
{
    if (!FRenderingLook && IsIdle(*this)) {
        QPainter p(this);
        if (FLook.Fits(LookKey(*this), p.device()->devicePixelRatioF())) {
            p.drawImage(QPoint(0, 0), FLook.Image());
            return;
        }
    }
    QLineEdit::paintEvent(e);
}

void TPeqEdit::RefreshLook()
{
    if (isHidden() || !IsIdle(*this))
        return;
    const qreal ratio = devicePixelRatioF();
    TLookKey key = LookKey(*this);
    if (FLook.Fits(key, ratio))
        return;
    QImage& image = FLook.Begin(size(), ratio);
    FRenderingLook = true;
    render(&image, QPoint(), QRegion(), RenderFlags());
    FRenderingLook = false;
    FLook.Store(std::move(key));
}

void TPeqUpDown::Paint(fw::TCanvas& c)
{
    c.Brush.Color = fw::clBtnFace;
    c.Pen.Color = fw::clBtnShadow;
    const int h = Height() / 2;
    c.Rectangle(0, 0, Width(), h);
    c.Rectangle(0, h, Width(), Height());
    c.Brush.Color = fw::clBtnText;
    c.Pen.Color = fw::clBtnText;
    const int cx = Width() / 2;
    c.Polygon({{cx - 3, h - 3}, {cx + 3, h - 3}, {cx, h - 6}});
    c.Polygon({{cx - 3, h + 3}, {cx + 3, h + 3}, {cx, h + 6}});
}

void TPeqUpDown::MouseDown(fw::TMouseButton b, fw::TShiftState s, int x, int y)
{
    TControl::MouseDown(b, s, x, y);
    const int next = std::clamp(Position + (y < Height() / 2 ? 1 : -1), Min, Max);
    if (next == Position)
        return;
    Position = next;
    if (OnClickArrow)
        OnClickArrow(this);
}

// ---------------------------------------------------------------------------------------------------

struct TPeqTableCore::Row {
    sk::TSkLabel* Number = nullptr;
    TPeqEdit* Edits[3] = {};
    TPeqUpDown* Spinners[3] = {};
    sk::TSkComboBox* Type = nullptr;
    sk::TSkButton* Bypass = nullptr;
    QWidget* All[9] = {};
};

TPeqTableCore::TPeqTableCore(QWidget* parent, TPeqRules rules, int channelNumber)
    : TSkGroupBox(parent), FRules(std::move(rules))
{
    FRules.Slots = std::clamp(FRules.Slots, 1, MaxSlots);
    FChannelNumber = std::min(channelNumber, FRules.Slots);
    resize(490, 420);
    SetCaption(QString());
    // The built-in texts and the first type of every row are set here, before any host refresh, so
    // that the refresh always has the last word.
    const char* titles[6] = {"EQ", "Frequency", "Q", "Gain", "Type", "Bypass"};
    for (int c = 0; c < 6; ++c) {
        auto* l = new TPeqLabel(this);
        l->SetCaption(QString::fromLatin1(titles[c]));
        l->SetAlignment(sk::taCenter);
        l->SetLayout(sk::tlTop);
        l->SetAutoSize(false);
        l->SetTransparent(true);
        l->Font().SetColor(FLabelColor);
        l->SetVisible(false);
        FTitles[std::size_t(c)] = l;
    }
    // The rows are built when first needed (BuildPendingRows).
}

TPeqTableCore::~TPeqTableCore()
{
    // The children outlive this part of the table: a focus loss while they go must not reach it.
    for (auto& r : FRows)
        for (auto* e : r->Edits)
            e->OnEnter = e->OnExit = nullptr;
}

void TPeqTableCore::BuildRows()
{
    const int want = std::clamp(FChannelNumber, 0, FRules.Slots);
    while (int(FRows.size()) < want) {
        const int row = int(FRows.size());
        auto r = std::make_unique<Row>();
        r->Number = new TPeqLabel(this);
        r->Number->SetCaption(QString::number(row + 1));
        r->Number->SetAutoSize(false);
        r->Number->SetAlignment(sk::taCenter);
        r->Number->SetTransparent(true);
        r->Number->Font().SetSize(12);
        if (!FRules.NumberColours.empty())
            r->Number->Font().SetColor(FRules.NumberColours[std::size_t(row) % FRules.NumberColours.size()]);
        for (int k = 0; k < 3; ++k) {
            auto* e = new TPeqEdit(this);
            e->setAlignment(Qt::AlignCenter);
            // Seven characters as typed; texts set from code are shown whole.
            e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral(".{0,7}")), e));
            e->setFrame(false);
            e->setProperty("Tag", row);
            r->Edits[k] = e;
            auto* u = new TPeqUpDown(this);
            u->SetTag(row);
            u->SetVisible(false);
            r->Spinners[k] = u;
        }
        r->Spinners[0]->Min = FreqPositionMin;
        r->Spinners[0]->Max = FreqPositionMax;
        r->Spinners[1]->Min = 0;
        r->Spinners[1]->Max = 100;
        r->Spinners[1]->Position = QIndexDefault;
        r->Spinners[2]->Min = -FRules.GainLimit;
        r->Spinners[2]->Max = FRules.GainLimit;
        if (FRules.FreqShowsRowIndex)
            r->Edits[0]->setText(QString::number(row));
        else
            r->Edits[0]->setText(Q(FreqText(PositionToFreq(0))));
        r->Edits[0]->OnEnter = r->Edits[0]->OnExit = [this, row] { FrequencyEntered(row); };
        r->Edits[1]->OnEnter = r->Edits[1]->OnExit = [this, row] { QfactorEntered(row); };
        r->Edits[2]->OnEnter = r->Edits[2]->OnExit = [this, row] { GainEntered(row); };
        for (int k = 0; k < 3; ++k)
            r->Edits[k]->OnPress = [this, row](QMouseEvent* e) {
                MakeCurrent(row);
                if (OnEditMouseDown)
                    OnEditMouseDown(this, e->button() == Qt::RightButton ? fw::mbRight : fw::mbLeft,
                                    fw::ShiftFromQt(e->modifiers(), e->buttons()), int(e->position().x()),
                                    int(e->position().y()));
            };
        r->Spinners[0]->OnClickArrow = [this, row](fw::TControl*) { FrequencyUpDownClick(row); };
        r->Spinners[1]->OnClickArrow = [this, row](fw::TControl*) { QfactorUpDownClick(row); };
        r->Spinners[2]->OnClickArrow = [this, row](fw::TControl*) { GainUpDownClick(row); };
        r->Type = new TPeqTypeBox(this);
        r->Type->SetTag(row);
        FillTypes(r->Type);
        r->Type->SetItemIndex(FBands[std::size_t(row)].Type);
        r->Type->OnChange = [this, row](fw::TControl*) { PeqTypeChange(row); };
        r->Type->OnMouseWheel = [this](fw::TControl* s, fw::TShiftState sh, int d, fw::TPoint p, bool& h) {
            if (OnPeqTypeMouseWheel)
                OnPeqTypeMouseWheel(s, sh, d, p, h);
        };
        r->Bypass = new TPeqBypassButton(this);
        r->Bypass->SetThemeAware(false);
        r->Bypass->SetCaption(FRules.BypassText);
        r->Bypass->SetTag(row);
        r->Bypass->OnClick = [this, row](fw::TControl*) { ByPassClick(row); };
        QWidget* all[9] = {r->Number,      r->Edits[0],    r->Edits[1], r->Edits[2], r->Spinners[0],
                           r->Spinners[1], r->Spinners[2], r->Type,     r->Bypass};
        std::copy(all, all + 9, r->All);
        FRows.push_back(std::move(r));
        ShowFreqIfSet(row);
    }
}

void TPeqTableCore::BuildPendingRows() const
{
    if (!FRowsPending)
        return;
    FRowsPending = false;
    auto* self = const_cast<TPeqTableCore*>(this);
    self->BuildRows();
    if (FRows.empty())
        return;
    // The new controls went to the end of the window's focus chain; they follow the titles, as when
    // the table built them itself.
    QWidget* anchor = FTitles.back();
    while (anchor->nextInFocusChain() && FTitles.back()->isAncestorOf(anchor->nextInFocusChain()))
        anchor = anchor->nextInFocusChain();
    if (anchor->nextInFocusChain() != FRows.front()->Number) {
        std::vector<QWidget*> added;
        for (QWidget* w = FRows.front()->Number; w && w != window(); w = w->nextInFocusChain())
            added.push_back(w);
        for (QWidget* w : added) {
            FollowInFocusChain(anchor, w);
            anchor = w;
        }
    }
    for (int row = 0; row < int(FRows.size()); ++row) {
        PendingLook& look = self->FPending[std::size_t(row)];
        if (look.GainText)
            FRows[std::size_t(row)]->Edits[2]->setText(*look.GainText);
        if (look.EditColour)
            self->ColourRow(row, *look.EditColour);
        FRows[std::size_t(row)]->Bypass->SetColor(look.BypassColour);
        look = {};
    }
    if (FLaidOut)
        self->Layout();
}

int TPeqTableCore::ShownRows() const
{
    return FRowsPending ? std::clamp(FChannelNumber, 0, FRules.Slots)
                        : std::min(FChannelNumber, int(FRows.size()));
}

void TPeqTableCore::SetBypassColour(int row, TColor colour)
{
    if (Built(row))
        FRows[std::size_t(row)]->Bypass->SetColor(colour);
    else if (FRowsPending)
        FPending[std::size_t(row)].BypassColour = colour;
}

void TPeqTableCore::showEvent(QShowEvent* e)
{
    TSkGroupBox::showEvent(e);
    BuildPendingRows();
}

void TPeqTableCore::FillTypes(sk::TSkComboBox* box)
{
    for (const QString& name : FRules.TypeNames)
        box->Add(name);
}

void TPeqTableCore::ShowFreqIfSet(int row)
{
    const Band& b = FBands[std::size_t(row)];
    if (b.FreqSet)
        ShowFreq(row);
    ShowQ(row);
    ShowGainPos(row);
    Row& r = *FRows[std::size_t(row)];
    r.Type->SetItemIndex(b.Type);
    r.Bypass->SetColor(b.Bypass ? BypassedColour : FBypassBackColor);
    for (auto* e : r.Edits) {
        QPalette p = e->palette();
        p.setColor(QPalette::Base, fw::ToQColor(FEditBackColor));
        e->setPalette(p);
    }
    r.Type->SetNormalColor(FEditBackColor);
}

// ---------------------------------------------------------------------------------------------------
// Properties

void TPeqTableCore::SetChannelNumber(int v)
{
    v = std::min(v, FRules.Slots);
    if (v == FChannelNumber)
        return;
    BuildPendingRows();
    FChannelNumber = v;
    BuildRows();
    // Controls exist for the visible rows only; the values stay in their slots.
    while (int(FRows.size()) > std::max(0, FChannelNumber)) {
        for (QWidget* w : FRows.back()->All)
            delete w;
        FRows.pop_back();
    }
    if (FRules.ChannelNumberFiresChange)
        Change();
    FLaidOut = false;
    RePaint();
}

void TPeqTableCore::SetTitleVisable(bool v)
{
    // The rows move down to make room for the titles (and back), whatever the size.
    if (v != FTitleVisable)
        FLaidOut = false;
    FTitleVisable = v;
    for (auto* l : FTitles)
        l->SetVisible(v);
    RePaint();
}

void TPeqTableCore::SetUpdownVisable(bool v)
{
    FUpdownVisable = v;
    for (int i = 0; i < std::min(FChannelNumber, int(FRows.size())); ++i)
        for (auto* u : FRows[std::size_t(i)]->Spinners)
            u->SetVisible(v);
    FLaidOut = false;
    RePaint();
}

void TPeqTableCore::SetLabelColor(TColor v)
{
    if (v == FLabelColor)
        return;
    FLabelColor = v;
    for (auto* l : FTitles)
        l->Font().SetColor(v);
    RePaint();
}

void TPeqTableCore::SetEditBackColor(TColor v)
{
    if (v == FEditBackColor)
        return;
    FEditBackColor = v;
    for (int i = 0; i < std::min(FChannelNumber, int(FRows.size())); ++i) {
        Row& r = *FRows[std::size_t(i)];
        for (auto* e : r.Edits) {
            QPalette p = e->palette();
            p.setColor(QPalette::Base, fw::ToQColor(v));
            e->setPalette(p);
        }
        r.Type->SetNormalColor(v);
    }
    RePaint();
}

void TPeqTableCore::SetBypassBackColor(TColor v)
{
    if (v == FBypassBackColor)
        return;
    FBypassBackColor = v;
    for (int i = 0; i < ShownRows(); ++i)
        SetBypassColour(i, v);
    RePaint();
}

// ---------------------------------------------------------------------------------------------------
// Values

double TPeqTableCore::GetFreqValue(int i) const
{
    return Valid(i) ? PositionToFreq(FBands[std::size_t(i)].FreqPos) : 0;
}
double TPeqTableCore::GetQValue(int i) const
{
    return Valid(i) ? QTable[std::size_t(FBands[std::size_t(i)].QIndex)] : 0;
}
double TPeqTableCore::GetGainValue(int i) const
{
    return Valid(i) ? FBands[std::size_t(i)].GainPos * FRules.GainStep : 0;
}
int TPeqTableCore::GetTypeValue(int i) const
{
    return Valid(i) ? FBands[std::size_t(i)].Type : -1;
}
bool TPeqTableCore::GetBypassValue(int i) const
{
    return Valid(i) && FBands[std::size_t(i)].Bypass != 0;
}
int TPeqTableCore::GetFreqPosition(int i) const
{
    return Valid(i) ? FBands[std::size_t(i)].FreqPos : 0;
}
int TPeqTableCore::GetQIndex(int i) const
{
    return Valid(i) ? FBands[std::size_t(i)].QIndex : 0;
}
int TPeqTableCore::GetGainPosition(int i) const
{
    return Valid(i) ? FBands[std::size_t(i)].GainPos : 0;
}

void TPeqTableCore::ShowFreq(int row)
{
    if (Built(row))
        FRows[std::size_t(row)]->Edits[0]->setText(
            Q(FreqText(PositionToFreq(FBands[std::size_t(row)].FreqPos))));
}

void TPeqTableCore::ShowQ(int row)
{
    if (Built(row))
        FRows[std::size_t(row)]->Edits[1]->setText(Q(
            FRules.QText(QTable[std::size_t(FBands[std::size_t(row)].QIndex)], fw::UserDecimalSeparator())));
}

void TPeqTableCore::ShowGainPos(int row)
{
    if (Built(row))
        ShowGainDb(row, FBands[std::size_t(row)].GainPos * FRules.GainStep);
}

void TPeqTableCore::ShowGainDb(int row, double db)
{
    if (Built(row))
        FRows[std::size_t(row)]->Edits[2]->setText(Q(FRules.GainText(db, fw::UserDecimalSeparator())));
    else if (row >= 0 && row < ShownRows())
        FPending[std::size_t(row)].GainText = Q(FRules.GainText(db, fw::UserDecimalSeparator()));
}

void TPeqTableCore::SetEqParamValue(int i, double hz, double qIndex, double db, int type, bool bypass)
{
    if (!Valid(i))
        return;
    Band& b = FBands[std::size_t(i)];
    if (const auto pos = FRules.SnapFreq(hz, fw::UserDecimalSeparator())) {
        b.FreqPos = *pos;
        b.FreqSet = true;
        ShowFreq(i);
    }
    b.GainPos = std::clamp(FRules.ParamGainPosition(db), -FRules.GainLimit, FRules.GainLimit);
    ShowGainDb(i, db);
    if (type >= 0 && type < TypeCount()) {
        b.Type = type;
        if (Built(i))
            FRows[std::size_t(i)]->Type->SetItemIndex(type);
    }
    b.Bypass = bypass ? 1 : 0;
    b.QIndex = ClampQIndex(qIndex);
    ShowQ(i);
    Change();
}

void TPeqTableCore::SetFreqValue(int i, double hz)
{
    if (!Valid(i))
        return;
    if (const auto pos = FRules.SnapFreq(hz, fw::UserDecimalSeparator())) {
        FBands[std::size_t(i)].FreqPos = *pos;
        FBands[std::size_t(i)].FreqSet = true;
        ShowFreq(i);
    }
    Change();
}

void TPeqTableCore::SetQValue(int i, double qIndex)
{
    if (!Valid(i))
        return;
    FBands[std::size_t(i)].QIndex = ClampQIndex(qIndex);
    ShowQ(i);
    Change();
}

void TPeqTableCore::SetGainValue(int i, double db)
{
    if (!Valid(i))
        return;
    FBands[std::size_t(i)].GainPos = std::clamp(FRules.GainPosition(db), -FRules.GainLimit, FRules.GainLimit);
    ShowGainDb(i, db);
    Change();
}

void TPeqTableCore::SetTypeValue(int i, int type)
{
    if (!Valid(i) || type < 0 || type >= TypeCount())
        return;
    FBands[std::size_t(i)].Type = type;
    if (Built(i))
        FRows[std::size_t(i)]->Type->SetItemIndex(type);
    Change();
}

void TPeqTableCore::SetBypassValue(int i, bool bypass)
{
    if (!Valid(i))
        return;
    FBands[std::size_t(i)].Bypass = bypass ? 1 : 0;
    Change();
}

void TPeqTableCore::Change()
{
    if (!OnChange)
        return;
    for (int i = 0; i < ShownRows(); ++i)
        SetBypassColour(i, FBands[std::size_t(i)].Bypass == 1 ? BypassedColour : FBypassBackColor);
    QPointer<TPeqTableCore> guard(this);
    OnChange(this);
}

// ---------------------------------------------------------------------------------------------------
// Current row

void TPeqTableCore::MakeCurrent(int row)
{
    FPrevIndex = FNowIndex;
    FNowIndex = row;
}

void TPeqTableCore::ColourRow(int row, TColor colour)
{
    if (row < 0 || row >= FChannelNumber)
        return;
    if (!Built(row)) {
        if (row < ShownRows())
            FPending[std::size_t(row)].EditColour = colour;
        return;
    }
    for (auto* e : FRows[std::size_t(row)]->Edits)
        SetTextColour(e, colour);
}

void TPeqTableCore::SetNowIndex(int k)
{
    // One row at most is green: the one last made current here (none after -1).
    if (k == -1) {
        ColourRow(FGreenRow, FNormalEditColor);
        FGreenRow = -1;
        return;
    }
    if (FGreenRow != k)
        ColourRow(FGreenRow, FNormalEditColor);
    FPrevIndex = FNowIndex = k;
    FGreenRow = k;
    ColourRow(k, CurrentRowColour);
}

void TPeqTableCore::SetColor(int i, TColor colour)
{
    if (i >= 0 && i < FChannelNumber)
        ColourRow(i, colour);
}

TColor TPeqTableCore::EditColor(int row) const
{
    BuildPendingRows();
    return Built(row) ? TextColour(FRows[std::size_t(row)]->Edits[0]) : fw::clBlack;
}

TColor TPeqTableCore::BypassButtonColor(int row) const
{
    BuildPendingRows();
    return Built(row) ? FRows[std::size_t(row)]->Bypass->Color() : fw::clBlack;
}

// ---------------------------------------------------------------------------------------------------
// Texts

void TPeqTableCore::SetTypeName(int type, const QString& text)
{
    if (type >= 0 && type < TypeCount())
        FRules.TypeNames[type] = text;
}

void TPeqTableCore::ChangeLanguage()
{
    for (int i = 0; i < std::min(FChannelNumber, int(FRows.size())); ++i) {
        Row& r = *FRows[std::size_t(i)];
        const int sel = r.Type->ItemIndex();
        r.Type->ClearItems();
        FillTypes(r.Type);
        r.Type->SetItemIndex(sel);
        r.Bypass->SetCaption(FRules.BypassText);
    }
}

// ---------------------------------------------------------------------------------------------------
// Typed values and clicks

void TPeqTableCore::Refused(TPeqEdit* e, const QString& text)
{
    e->setText(text);
    e->end(false);
}

void TPeqTableCore::FrequencyEntered(int row)
{
    if (!Built(row))
        return;
    TPeqEdit* e = FRows[std::size_t(row)]->Edits[0];
    if (const auto n = ParseFreqEntry(e->text().toStdString())) {
        FBands[std::size_t(row)].FreqPos = *n - FreqIndex1kHz;
        FBands[std::size_t(row)].FreqSet = true;
        e->setText(Q(FreqText(IndexToFreq(*n))));
    } else {
        Refused(e, Q(FreqText(PositionToFreq(FBands[std::size_t(row)].FreqPos))));
    }
    MakeCurrent(row);
    Change();
}

void TPeqTableCore::QfactorEntered(int row)
{
    if (!Built(row))
        return;
    TPeqEdit* e = FRows[std::size_t(row)]->Edits[1];
    // A refused text shows the stored value again; either way the caret goes to the end.
    if (const auto n = ParseQEntry(e->text().toStdString()))
        FBands[std::size_t(row)].QIndex = *n;
    ShowQ(row);
    e->end(false);
    MakeCurrent(row);
    Change();
}

void TPeqTableCore::GainEntered(int row)
{
    if (!Built(row))
        return;
    TPeqEdit* e = FRows[std::size_t(row)]->Edits[2];
    if (const auto n = FRules.ParseGain(e->text().toStdString()))
        FBands[std::size_t(row)].GainPos = std::clamp(*n, -FRules.GainLimit, FRules.GainLimit);
    ShowGainPos(row);
    e->end(false);
    MakeCurrent(row);
    Change();
}

void TPeqTableCore::FrequencyUpDownClick(int row)
{
    if (!Built(row) || !FUpdownVisable)
        return;
    TPeqUpDown* u = FRows[std::size_t(row)]->Spinners[0];
    FBands[std::size_t(row)].FreqPos = u->Position;
    FBands[std::size_t(row)].FreqSet = true;
    ShowFreq(row);
    MakeCurrent(row);
    Change();
    if (u->isVisible())
        u->SetFocus();
}

void TPeqTableCore::QfactorUpDownClick(int row)
{
    if (!Built(row) || !FUpdownVisable)
        return;
    TPeqUpDown* u = FRows[std::size_t(row)]->Spinners[1];
    FBands[std::size_t(row)].QIndex = std::clamp(u->Position, 0, 100);
    ShowQ(row);
    MakeCurrent(row);
    Change();
    if (u->isVisible())
        u->SetFocus();
}

void TPeqTableCore::GainUpDownClick(int row)
{
    if (!Built(row) || !FUpdownVisable)
        return;
    TPeqUpDown* u = FRows[std::size_t(row)]->Spinners[2];
    FBands[std::size_t(row)].GainPos = u->Position;
    ShowGainPos(row);
    MakeCurrent(row);
    Change();
    if (u->isVisible())
        u->SetFocus();
}

void TPeqTableCore::ByPassClick(int row)
{
    if (!Built(row))
        return;
    MakeCurrent(row);
    Band& b = FBands[std::size_t(row)];
    b.Bypass = b.Bypass ? 0 : 1;
    FRows[std::size_t(row)]->Bypass->SetColor(b.Bypass ? BypassedColour : FBypassBackColor);
    Change();
}

void TPeqTableCore::PeqTypeChange(int row)
{
    if (!Built(row))
        return;
    const int sel = FRows[std::size_t(row)]->Type->ItemIndex();
    if (sel >= 0 && sel < TypeCount())
        FBands[std::size_t(row)].Type = sel;
    MakeCurrent(row);
    Change();
}

// ---------------------------------------------------------------------------------------------------
// Layout

TPeqEdit* TPeqTableCore::FreqEdit(int row) const
{
    BuildPendingRows();
    return Built(row) ? FRows[std::size_t(row)]->Edits[0] : nullptr;
}
TPeqEdit* TPeqTableCore::QEdit(int row) const
{
    BuildPendingRows();
    return Built(row) ? FRows[std::size_t(row)]->Edits[1] : nullptr;
}
TPeqEdit* TPeqTableCore::GainEdit(int row) const
{
    BuildPendingRows();
    return Built(row) ? FRows[std::size_t(row)]->Edits[2] : nullptr;
}
sk::TSkComboBox* TPeqTableCore::TypeBox(int row) const
{
    BuildPendingRows();
    return Built(row) ? FRows[std::size_t(row)]->Type : nullptr;
}
sk::TSkButton* TPeqTableCore::BypassButton(int row) const
{
    BuildPendingRows();
    return Built(row) ? FRows[std::size_t(row)]->Bypass : nullptr;
}
sk::TSkLabel* TPeqTableCore::NumberLabel(int row) const
{
    BuildPendingRows();
    return Built(row) ? FRows[std::size_t(row)]->Number : nullptr;
}

void TPeqTableCore::RePaint()
{
    if (FLaidOut && Width() == FLayoutW && Height() == FLayoutH)
        return;
    Layout();
}

void TPeqTableCore::Resized()
{
    RePaint();
}

void TPeqTableCore::Layout()
{
    FLaidOut = true;
    FLayoutW = Width();
    FLayoutH = Height();
    const int T = FTitleVisable ? 13 : 0;
    const int rows = std::max(1, FChannelNumber);
    const int W = (Width() - 68) / 5;
    const int H = (Height() - FTopBottomSpace - T - 16) / rows;
    // The normal text colour of a row that is not the green one.
    for (int j = 0; j < int(FRows.size()); ++j)
        if (j != FGreenRow) {
            FNormalEditColor = TextColour(FRows[std::size_t(j)]->Edits[0]);
            break;
        }
    FTitles[0]->SetBounds(12, FTopBottomSpace, 20, H);
    for (int c = 1; c < 6; ++c)
        FTitles[std::size_t(c)]->SetBounds(8 * c + (c - 1) * W + 33, FTopBottomSpace, W - 15, H);
    for (int j = 0; j < int(FRows.size()); ++j) {
        Row& r = *FRows[std::size_t(j)];
        if (j >= FChannelNumber) {
            for (QWidget* w : r.All) {
                w->setVisible(false);
                w->move(w->x(), 10000);
            }
            continue;
        }
        const int top = FTopBottomSpace + T + H * j + 8;
        r.Number->SetBounds(12, top, 20, H);
        r.Number->setVisible(true);
        const int L = 40, Y = top - 1;
        const int ew = FUpdownVisable ? W - 20 : W;
        const int eh = std::max(12, H - 4);
        for (int k = 0; k < 3; ++k) {
            TPeqEdit* e = r.Edits[k];
            e->setGeometry(L + k * (W + 8), Y, ew, eh);
            e->setVisible(true);
            TPeqUpDown* u = r.Spinners[k];
            u->SetBounds(e->x() + e->width() - 16 + 20, e->y() + 1, 16, eh - 2);
            u->SetVisible(FUpdownVisable);
        }
        r.Type->SetBounds(L + 3 * W + 24, Y, W + 8, H);
        r.Type->setVisible(true);
        const int sel = r.Type->ItemIndex();
        r.Type->ClearItems();
        FillTypes(r.Type);
        r.Type->SetItemIndex(sel);
        r.Bypass->SetBounds(L + 4 * W + 38, Y, W - 14, eh);
        r.Bypass->SetCaption(FRules.BypassText);
        r.Bypass->setVisible(true);
    }
    update();
}

void TPeqTableCore::Paint(fw::TCanvas& canvas)
{
    TSkGroupBox::Paint(canvas);
    // The edits, painted next, find their idle look up to date (an edit cannot render itself from
    // its own paint).
    for (int j = 0; j < std::min(FChannelNumber, int(FRows.size())); ++j)
        for (auto* e : FRows[std::size_t(j)]->Edits)
            e->RefreshLook();
    if (!FUpdownVisable)
        return;
    // The spinners' frames, one pixel wider than the spinner on each side.
    canvas.Pen.Color = fw::clGradientActiveCaption;
    canvas.Brush.Style = fw::bsClear;
    for (int j = 0; j < std::min(FChannelNumber, int(FRows.size())); ++j)
        for (auto* u : FRows[std::size_t(j)]->Spinners)
            canvas.Rectangle(u->Left() - 1, u->Top() - 1, u->Left() + u->Width() + 1,
                             u->Top() + u->Height() + 1);
}

} // namespace eq
