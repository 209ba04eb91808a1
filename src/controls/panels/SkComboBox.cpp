#include "controls/panels/SkComboBox.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace sk
{

using namespace fw;

namespace
{
constexpr int kSearchDelay = 1500;
constexpr int kButtonWidth = 17; // the scroll-bar width of the classic metrics
} // namespace

TSkComboBox::TSkComboBox(QWidget* parent) : TControl(parent)
{
    resize(145, 21);
    SetTabStop(true);
    SetColor(clWindow);
    FSearchTimer.SetInterval(kSearchDelay);
    FSearchTimer.OnTimer = [this](TTimer* t) {
        t->SetEnabled(false);
        FSearch.clear();
    };
}

TSkComboBox::~TSkComboBox()
{
    delete FList;
}

void TSkComboBox::ClearItems()
{
    FItems.clear();
    FItemIndex = -1;
    update();
}

int TSkComboBox::IndexOf(const QString& s) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[i].compare(s, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TSkComboBox::SetItemIndex(int index)
{
    if (index < -1 || index >= Count())
        index = -1;
    if (index == FItemIndex)
        return;
    FItemIndex = index;
    update();
}

bool TSkComboBox::FindItem(const QString& text)
{
    const int i = IndexOf(text);
    if (i >= 0)
        SetItemIndex(i);
    return i >= 0;
}

int TSkComboBox::FindClosest(const QString& text) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[i].startsWith(text, Qt::CaseInsensitive))
            return i;
    return -1;
}

bool TSkComboBox::FindClosestItem(const QString& text)
{
    const int i = FindClosest(text);
    if (i >= 0)
        SetItemIndex(i);
    return i >= 0;
}

QString TSkComboBox::GetItemValue(int index) const
{
    if (index >= 0 && index < FValues.size() && !FValues[index].isEmpty())
        return FValues[index];
    if (index >= 0 && index < Count())
        return FItems[index];
    return {};
}

QString TSkComboBox::Value() const
{
    if (FItemIndex >= 0)
        return GetItemValue(FItemIndex);
    return Text();
}

void TSkComboBox::SetValue(const QString& v, bool force)
{
    if (v == FValue && !force)
        return;
    FValue = v;
    int found = -1;
    for (int i = 0; i < Count() && found < 0; ++i)
        if (GetItemValue(i) == v)
            found = i;
    SetItemIndex(found);
}

void TSkComboBox::AddItemValue(const QString& item, const QString& value)
{
    while (FValues.size() < FItems.size())
        FValues.append(QString());
    FItems.append(item);
    FValues.append(value);
    update();
}

void TSkComboBox::SetReadOnly(bool v)
{
    if (v == FReadOnly)
        return;
    FReadOnly = v;
    UpdateColors();
    update();
}

void TSkComboBox::SetNormalColor(TColor v)
{
    if (FFocusColor == FNormalColor)
        FFocusColor = v;
    FNormalColor = v;
    UpdateColors();
}

void TSkComboBox::ColorChanged()
{
    if (!FUpdatingColor) {
        if (FFocusColor == FNormalColor)
            FFocusColor = Color();
        FNormalColor = Color();
    }
    update();
}

void TSkComboBox::UpdateColors()
{
    if (Loading())
        return;
    TColor c = FNormalColor;
    if (!Enabled())
        c = FDisabledColor;
    else if (FFocused)
        c = FFocusColor;
    else if (FReadOnly)
        c = FReadOnlyColor;
    FUpdatingColor = true;
    SetColor(c);
    FUpdatingColor = false;
    update();
}

void TSkComboBox::UserSelect(int index)
{
    if (index < 0 || index >= Count())
        return;
    QPointer<TSkComboBox> guard(this);
    FItemIndex = index;
    update();
    if (OnClick)
        OnClick(this);
    if (guard && OnChange)
        OnChange(this);
    if (guard)
        FValue = GetItemValue(index);
}

void TSkComboBox::SelectByUser(int index)
{
    SetDroppedDown(false);
    UserSelect(index);
}

bool TSkComboBox::SearchAndSelect(const QString& text)
{
    const int i = FindClosest(text);
    if (i < 0) {
        if (FBeepOnInvalidKey)
            Beep();
        return false;
    }
    FSearch = text;
    const bool changed = i != FItemIndex;
    UserSelect(i);
    if (changed && OnMatch)
        OnMatch(this);
    return true;
}

void TSkComboBox::KeyDown(Word& Key, TShiftState Shift)
{
    if (FReadOnly)
        return;
    TControl::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE || (Key >= VK_PRIOR && Key <= VK_DOWN)) {
        FSearch.clear();
        if (Key == VK_DOWN && (Shift & ssAlt)) {
            SetDroppedDown(!DroppedDown());
            return;
        }
        if (Key == VK_DOWN && FItemIndex + 1 < Count())
            UserSelect(FItemIndex + 1);
        else if (Key == VK_UP && FItemIndex > 0)
            UserSelect(FItemIndex - 1);
        else if (Key == VK_HOME && Count() > 0 && FItemIndex != 0)
            UserSelect(0);
        else if (Key == VK_END && Count() > 0 && FItemIndex != Count() - 1)
            UserSelect(Count() - 1);
    } else if (Key == VK_F4) {
        SetDroppedDown(!DroppedDown());
    }
}

void TSkComboBox::KeyPress(QChar& Key)
{
    if (FReadOnly)
        return;
    TControl::KeyPress(Key);
    if (Key == QChar(VK_BACK)) {
        if (FSearch.isEmpty()) {
            if (FBeepOnInvalidKey)
                Beep();
            return;
        }
        FSearch.chop(1);
        if (FSearch.isEmpty()) {
            if (Count() > 0)
                UserSelect(0);
            FSearch.clear();
        } else {
            SearchAndSelect(FSearch);
        }
        return;
    }
    if (Key.unicode() < 32)
        return;
    const QString wanted = FSearch + Key;
    SearchAndSelect(wanted);
    FSearchTimer.SetEnabled(false);
    FSearchTimer.SetEnabled(true);
}

bool TSkComboBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (TControl::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    if (FReadOnly)
        return true;
    if (WheelDelta < 0) {
        // A step down at the last item stays there, as a step up at the first does.
        if (FItemIndex + 1 < Count())
            UserSelect(FItemIndex + 1);
    } else {
        if (FItemIndex > 0)
            UserSelect(FItemIndex - 1);
        else if (Count() > 0)
            SetItemIndex(0);
    }
    return true;
}

void TSkComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TControl::MouseDown(Button, Shift, X, Y);
    if (FReadOnly || Button != mbLeft || !Enabled())
        return;
    if (CanFocus())
        SetFocus();
    SetDroppedDown(!DroppedDown());
}

int TSkComboBox::ActualDropDownWidth() const
{
    if (FDropDownWidth > 0)
        return FDropDownWidth;
    int w = 0;
    const QFont f = Font().ToQFont();
    for (const QString& s : FItems)
        w = std::max(w, CurrentTextMetrics().Width(f, s));
    if (Count() > FDropDownCount)
        w += kButtonWidth;
    return std::max(w + 8, Width());
}

bool TSkComboBox::DroppedDown() const
{
    return FList && FList->isVisible();
}

void TSkComboBox::SetDroppedDown(bool v)
{
    if (v == DroppedDown())
        return;
    if (!v) {
        FList->hide();
        update();
        return;
    }
    if (!FList) {
        FList = new QListWidget();
        FList->setWindowFlags(Qt::Popup);
        FList->installEventFilter(this);
        FList->viewport()->installEventFilter(this);
        FList->setFont(Font().ToQFont());
        QObject::connect(FList, &QListWidget::itemClicked, FList,
                         [this](QListWidgetItem* item) { SelectByUser(FList->row(item)); });
        // Enter on the highlighted item chooses it too; a click that also activates has closed the list.
        QObject::connect(FList, &QListWidget::itemActivated, FList, [this](QListWidgetItem* item) {
            if (FList->isVisible())
                SelectByUser(FList->row(item));
        });
    }
    FList->clear();
    FList->addItems(FItems);
    FList->setCurrentRow(FItemIndex);
    const int rows = std::min(std::max(1, Count()), FDropDownCount);
    FList->setGeometry(QRect(mapToGlobal(QPoint(0, Height())), QSize(ActualDropDownWidth(), rows * 16 + 4)));
    FList->setAttribute(Qt::WA_NoMouseReplay, false);
    FList->show();
}

bool TSkComboBox::eventFilter(QObject* o, QEvent* e)
{
    if (!FList || (o != FList && o != FList->viewport()) || !FList->isVisible())
        return TControl::eventFilter(o, e);
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Escape || (key == Qt::Key_F4 && !(static_cast<QKeyEvent*>(e)->modifiers()))) {
            SetDroppedDown(false);
            return true;
        }
    } else if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
        const QPoint global = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
        if (!FList->rect().contains(FList->mapFromGlobal(global))) {
            // A press on the combo itself only closes the list: it is not passed on to reopen it.
            FList->setAttribute(Qt::WA_NoMouseReplay, rect().contains(mapFromGlobal(global)));
            SetDroppedDown(false);
            return true;
        }
    }
    return TControl::eventFilter(o, e);
}

void TSkComboBox::MouseEnter()
{
    FMouseOver = true;
    TControl::MouseEnter();
    if (FFlatButtons)
        update();
}

void TSkComboBox::MouseLeave()
{
    FMouseOver = false;
    TControl::MouseLeave();
    if (FFlatButtons)
        update();
}

void TSkComboBox::DoEnter()
{
    FFocused = true;
    UpdateColors();
    TControl::DoEnter();
}

void TSkComboBox::DoExit()
{
    FFocused = false;
    FSearch.clear();
    UpdateColors();
    TControl::DoExit();
}

void TSkComboBox::Paint(TCanvas& c)
{
    TRect r = ClientRect();
    // the box: sunken border unless a custom frame is shown
    c.Brush.Style = bsSolid;
    c.Brush.Color = Color();
    c.FillRect(r);
    TRect inner = r;
    if (FFrameVisible) {
        switch (FFrameStyle) {
        case fsFlat:
            inner = PaintSideLines(c, r, FFrameColor, FFrameColor, AllSides);
            break;
        case fsFlatBold:
            inner = PaintBevelLines(c, r, FFrameColor, FFrameColor, AllSides, 2);
            break;
        default:
            inner = ColorToRGB(Color()) == ColorToRGB(clWindow)
                        ? PaintStyleFrame(c, r, FFrameStyle)
                        : PaintTintedStyleFrame(c, r, Color(), FFrameStyle);
            break;
        }
    } else {
        inner = PaintSunkenRaisedSides(c, r, true, AllSides);
    }
    TRect button = Rect(inner.Right - kButtonWidth, inner.Top, inner.Right, inner.Bottom);
    if (!FReadOnly) {
        if (!FFlatButtons) {
            c.Brush.Color = clBtnFace;
            c.FillRect(button);
            const TRect in = PaintPushFrame(c, button, DroppedDown());
            c.Brush.Color = clBtnFace;
            PaintDropArrow(c, in, 2, Enabled());
        } else if (!FMouseOver && !FFocused) {
            c.Brush.Color = Color();
            c.FillRect(button);
            PaintDropArrow(c, button, 2, Enabled());
        } else {
            c.Brush.Color = FFlatButtonColor;
            c.FillRect(button);
            TRect in;
            if (ColorToRGB(FFlatButtonColor) == ColorToRGB(clBtnFace))
                in = DroppedDown() ? PaintSideLines(c, button, clBtnShadow, clBtnHighlight, AllSides)
                                   : PaintSideLines(c, button, clBtnHighlight, clBtnShadow, AllSides);
            else
                in = PaintTintedStyleFrame(c, button, FFlatButtonColor, DroppedDown() ? fsStatus : fsPopup);
            c.Brush.Color = FFlatButtonColor;
            PaintDropArrow(c, in, 2, Enabled());
        }
    } else {
        button.Left = button.Right; // no button shows
    }
    TRect text = Rect(inner.Left + 2, inner.Top, button.Left - 1, inner.Bottom);
    c.Font.Assign(Font());
    if (!Enabled())
        c.Font.SetColor(clGrayText);
    if (FFocused && !FReadOnly) {
        c.Brush.Style = bsSolid;
        c.Brush.Color = clHighlight;
        TRect h = Rect(inner.Left + 1, inner.Top + 1, button.Left - 1, inner.Bottom - 1);
        c.FillRect(h);
        c.Font.SetColor(clHighlightText);
    }
    c.Brush.Style = bsClear;
    c.DrawText(Text(), text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

} // namespace sk
