#include "chart/editor/EditorControls.h"

#include "chart/component/ChartDraw.h"
#include "chart/core/ChartError.h"
#include "chart/core/PropertyText.h"
#include "chart/editor/EditorDialogs.h"
#include "chart/editor/ValueConverter.h"
#include "framework/FloatFormat.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <limits>

namespace chart
{

// ---- form ----

std::function<void(TcCustomEditorForm*)> TcCustomEditorForm::ModalRunner;

TcCustomEditorForm::TcCustomEditorForm(QWidget* parent) : fw::TForm(parent)
{
    setWindowFlag(Qt::Window);
}

void TcCustomEditorForm::SetModalResult(int Value)
{
    FModalResult = Value;
    if (Value != mrNone && FInModal)
        hide();
}

int TcCustomEditorForm::ShowModal()
{
    FModalResult = mrNone;
    FInModal = true;
    if (ModalRunner) {
        ModalRunner(this);
    } else {
        setWindowModality(Qt::ApplicationModal);
        show();
        QEventLoop loop;
        QPointer<TcCustomEditorForm> guard(this);
        while (guard && isVisible() && FModalResult == mrNone)
            loop.processEvents(QEventLoop::WaitForMoreEvents);
        if (!guard)
            return mrCancel;
        hide();
    }
    FInModal = false;
    if (FModalResult == mrNone)
        FModalResult = mrCancel;
    return FModalResult;
}

void TcCustomEditorForm::closeEvent(QCloseEvent* e)
{
    if (FModalResult == mrNone)
        FModalResult = mrCancel;
    fw::TForm::closeEvent(e);
}

TcCustomEditorForm* EditorFormOf(const QWidget* Control)
{
    for (QWidget* w = Control ? Control->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto* f = dynamic_cast<TcCustomEditorForm*>(w))
            return f;
    return nullptr;
}

void NotifyUserChange(const QWidget* Control)
{
    if (TcCustomEditorForm* f = EditorFormOf(Control))
        f->UserChange();
}

bool HandleEditorTab(QWidget* Control, QEvent* Event)
{
    if (Event->type() != QEvent::KeyPress)
        return false;
    auto* k = static_cast<QKeyEvent*>(Event);
    if ((k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab) ||
        (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const bool back = k->key() == Qt::Key_Backtab || (k->modifiers() & Qt::ShiftModifier) || IsShiftKeyDown();
    QWidget* window = Control->window();
    QWidget* w = Control;
    for (;;) {
        w = back ? w->previousInFocusChain() : w->nextInFocusChain();
        if (!w || w == Control)
            break;
        if (w->window() == window && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() &&
            w->isEnabled() && w->isVisibleTo(window)) {
            w->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
            break;
        }
    }
    k->accept();
    return true;
}

namespace
{

// Runs a handler of the user's; a failure is logged and goes no further.
template <class F> void UserHook(const char* where, F&& f)
{
    GuardChartCall(where, std::forward<F>(f));
}

void ShadeWidget(QWidget* w, bool enabled, QPalette::ColorRole role = QPalette::Base)
{
    QPalette pal = w->palette();
    const QColor c = fw::ToQColor(enabled ? fw::clWindow : fw::clBtnFace);
    pal.setColor(QPalette::Active, role, c);
    pal.setColor(QPalette::Inactive, role, c);
    pal.setColor(QPalette::Disabled, role, c);
    w->setPalette(pal);
}

QString FloatText(double v)
{
    return QString::fromStdString(fw::FloatToStrF(v, fw::sffGeneral, 15, 0));
}

} // namespace

// ---- edit ----

TcComponentEditorEdit::TcComponentEditorEdit(QWidget* parent) : QLineEdit(parent)
{
    resize(121, 21);
    setFrame(true);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!FBlockingEvents && OnChange)
            UserHook("edit change", [&] { OnChange(this); });
    });
}

void TcComponentEditorEdit::SetSilently(const QString& Value)
{
    FBlockingEvents = true;
    setText(Value);
    FOriginalText = Value;
    FBlockingEvents = false;
}

void TcComponentEditorEdit::SetAsString(const QString& Value)
{
    SetSilently(Value);
}

int TcComponentEditorEdit::AsInteger() const
{
    const QString t = text().trimmed();
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (ok)
        return int(
            std::clamp<qlonglong>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    // A whole number too long even for 64 bits.
    static const QRegularExpression digits(QStringLiteral("^[+-]?\\d+$"));
    if (digits.match(t).hasMatch())
        return t.startsWith(QLatin1Char('-')) ? std::numeric_limits<int>::min()
                                              : std::numeric_limits<int>::max();
    return 0;
}

void TcComponentEditorEdit::SetAsInteger(int Value)
{
    SetSilently(QString::number(Value));
}

double TcComponentEditorEdit::AsFloat() const
{
    const QString t = text().trimmed();
    if (t.isEmpty())
        return 0;
    try {
        return TextToFloat(t);
    } catch (const EChartError&) {
        return 0;
    }
}

void TcComponentEditorEdit::SetAsFloat(double Value)
{
    SetSilently(FloatText(Value));
}

double TcComponentEditorEdit::AsDateTime() const
{
    return TextToDateTime(text().trimmed());
}

void TcComponentEditorEdit::SetAsDateTime(double Value)
{
    SetSilently(DateTimeToText(Value));
}

void TcComponentEditorEdit::SetStringWithEvent(const QString& Value)
{
    setText(Value);
    NotifyUserChange(this);
    Commit();
}

void TcComponentEditorEdit::SetIntegerWithEvent(int Value)
{
    SetStringWithEvent(QString::number(Value));
}

void TcComponentEditorEdit::SetDoubleWithEvent(double Value)
{
    SetStringWithEvent(FloatText(Value));
}

void TcComponentEditorEdit::Commit()
{
    if (text() == FOriginalText)
        return;
    FOriginalText = text();
    QPointer<TcComponentEditorEdit> guard(this);
    if (OnUpdate)
        UserHook("edit update", [&] { OnUpdate(this); });
    if (guard && !FBlockingEvents)
        NotifyUserChange(this);
}

void TcComponentEditorEdit::Shade(bool Enabled)
{
    ShadeWidget(this, Enabled);
}

void TcComponentEditorEdit::Enable()
{
    SetEnabled(true);
}

void TcComponentEditorEdit::Disable()
{
    FBlockingEvents = true;
    setEnabled(false);
    clear();
    FOriginalText.clear();
    Shade(false);
    FBlockingEvents = false;
}

void TcComponentEditorEdit::DisableNoClear()
{
    FBlockingEvents = true;
    setEnabled(false);
    Shade(false);
    FBlockingEvents = false;
}

void TcComponentEditorEdit::SetEnabled(bool Value)
{
    setEnabled(Value);
    Shade(Value);
}

bool TcComponentEditorEdit::event(QEvent* e)
{
    return HandleEditorTab(this, e) || QLineEdit::event(e);
}

void TcComponentEditorEdit::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        QPointer<TcComponentEditorEdit> guard(this);
        Commit();
        if (guard)
            selectAll();
        e->accept();
        return;
    }
    case Qt::Key_Escape: {
        const QString original = FOriginalText;
        SetSilently(original);
        selectAll();
        e->accept();
        return;
    }
    default:
        break;
    }
    if (e->text() == QLatin1String("\n")) {
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TcComponentEditorEdit::focusOutEvent(QFocusEvent* e)
{
    QPointer<TcComponentEditorEdit> guard(this);
    Commit();
    if (guard)
        QLineEdit::focusOutEvent(e);
}

// ---- up-down ----

TcUpDown::TcUpDown(QWidget* parent) : fw::TControl(parent)
{
    SetBounds(0, 0, 15, 21);
    setFocusPolicy(Qt::NoFocus);
    FTimer.SetEnabled(false);
    FTimer.OnTimer = [this](fw::TTimer*) { TimerTick(); };
}

void TcUpDown::SetAssociate(TcComponentEditorEdit* Value)
{
    FAssociate = Value;
    if (Value)
        SetBounds(Value->x() + Value->width(), Value->y(), Width(), Value->height());
}

int TcUpDown::AsInteger() const
{
    return FAssociate ? FAssociate->AsInteger() : 0;
}

void TcUpDown::SetAsInteger(int Value)
{
    SetValue(Value, false);
}

void TcUpDown::SetValue(long long Value, bool User)
{
    if (!FAssociate)
        return;
    if (!(FMin == 0 && FMax == 0))
        Value = std::clamp<long long>(Value, FMin, std::max(FMin, FMax));
    const int v =
        int(std::clamp<long long>(Value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    if (User)
        FAssociate->SetIntegerWithEvent(v);
    else
        FAssociate->SetAsInteger(v);
}

void TcUpDown::Step()
{
    const long long delta = FUpButtonPressed ? FIncrement : -(long long)FIncrement;
    SetValue((long long)AsInteger() + delta, true);
}

void TcUpDown::TimerTick()
{
    if (FFirstTimerMessage) {
        FFirstTimerMessage = false;
        FTimer.SetInterval(50);
    }
    GuardChartCall("up-down repeat", [&] { Step(); });
}

fw::TRect TcUpDown::UpButtonRect(int Width, int Height)
{
    return fw::Rect(0, 0, Width, (Height - 1) / 2);
}

fw::TRect TcUpDown::DownButtonRect(int Width, int Height)
{
    return fw::Rect(0, Height - (Height - 1) / 2, Width, Height);
}

void TcUpDown::UpdatePressed()
{
    const fw::TPoint p{FMouseDownX, FMouseDownY};
    FUpButtonPressed = FMouseDown && UpButtonRect(Width(), Height()).Contains(p);
    FDownButtonPressed = FMouseDown && DownButtonRect(Width(), Height()).Contains(p);
}

void TcUpDown::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y)
{
    fw::TControl::MouseDown(Button, Shift, X, Y);
    if (Button != fw::mbLeft || !isEnabled())
        return;
    FMouseDown = true;
    FMouseDownX = X;
    FMouseDownY = Y;
    UpdatePressed();
    FTimer.SetInterval(500);
    FTimer.SetEnabled(true);
    FFirstTimerMessage = true;
    QPointer<TcUpDown> guard(this);
    Step();
    if (guard)
        update();
}

void TcUpDown::MouseMove(fw::TShiftState Shift, int X, int Y)
{
    fw::TControl::MouseMove(Shift, X, Y);
    FMouseDownX = X;
    FMouseDownY = Y;
    if (FMouseDown) {
        UpdatePressed();
        update();
    }
}

void TcUpDown::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y)
{
    FTimer.SetEnabled(false);
    FMouseDown = false;
    UpdatePressed();
    update();
    fw::TControl::MouseUp(Button, Shift, X, Y);
}

void TcUpDown::Enable()
{
    fw::TControl::SetEnabled(true);
    if (FAssociate)
        FAssociate->Enable();
    update();
}

void TcUpDown::Disable()
{
    fw::TControl::SetEnabled(false);
    FTimer.SetEnabled(false);
    if (FAssociate)
        FAssociate->Disable();
    update();
}

void TcUpDown::Paint(fw::TCanvas& Canvas)
{
    Canvas.Brush.Color = fw::clBtnFace;
    Canvas.Brush.Style = fw::bsSolid;
    Canvas.FillRect(ClientRect());
    const int s = std::min(Height() / 2, Width()) / 7;
    const fw::TColor arrow = isEnabled() ? fw::clBlack : fw::TColor(8421504);
    auto button = [&](const fw::TRect& r, bool pressed, bool up) {
        DrawButtonFrame(Canvas, r, pressed ? 0 : 1);
        const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
        Canvas.Pen.Color = arrow;
        Canvas.Brush.Color = arrow;
        if (up)
            Canvas.Polygon({{cx - 2 * s, cy + s}, {cx + 2 * s, cy + s}, {cx, cy - s}});
        else
            Canvas.Polygon({{cx - 2 * s, cy - s}, {cx + 2 * s, cy - s}, {cx, cy + s}});
    };
    button(UpButtonRect(Width(), Height()), FUpButtonPressed, true);
    button(DownButtonRect(Width(), Height()), FDownButtonPressed, false);
}

// ---- page control, button ----

TcComponentEditorPageControl::TcComponentEditorPageControl(QWidget* parent) : QTabWidget(parent) {}

void TcComponentEditorPageControl::SetTabIndex(int Value)
{
    if (Value >= 0 && Value < count())
        setCurrentIndex(Value);
}

QWidget* TcComponentEditorPageControl::AddPage(const QString& Caption)
{
    auto* page = new QWidget;
    addTab(page, Caption);
    return page;
}

bool TcComponentEditorPageControl::event(QEvent* e)
{
    return HandleEditorTab(this, e) || QTabWidget::event(e);
}

TcComponentEditorButton::TcComponentEditorButton(QWidget* parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, [this] { GuardChartCall("button click", [&] { Click(); }); });
}

void TcComponentEditorButton::Click()
{
    if (OnClick)
        OnClick(this);
}

bool TcComponentEditorButton::event(QEvent* e)
{
    return HandleEditorTab(this, e) || QPushButton::event(e);
}

// ---- check box, radio group ----

TcComponentEditorCheckBox::TcComponentEditorCheckBox(QWidget* parent) : TcCheckBox(parent) {}

void TcComponentEditorCheckBox::SetAsBoolean(bool Value)
{
    auto click = std::move(OnClick);
    OnClick = nullptr;
    FBlockingEvents = true;
    try {
        SetChecked(Value);
    } catch (...) {
        FBlockingEvents = false;
        OnClick = std::move(click);
        throw;
    }
    FBlockingEvents = false;
    OnClick = std::move(click);
}

void TcComponentEditorCheckBox::DoChange()
{
    QPointer<TcComponentEditorCheckBox> guard(this);
    TcCheckBox::DoChange();
    if (!guard)
        return;
    if (!FBlockingEvents)
        NotifyUserChange(this);
    if (guard && OnClick)
        OnClick(this);
}

void TcComponentEditorCheckBox::Enable()
{
    fw::TControl::SetEnabled(true);
}

void TcComponentEditorCheckBox::Disable()
{
    SetAsBoolean(false);
    fw::TControl::SetEnabled(false);
}

bool TcComponentEditorCheckBox::event(QEvent* e)
{
    return HandleEditorTab(this, e) || TcCheckBox::event(e);
}

TcComponentEditorRadioGroup::TcComponentEditorRadioGroup(QWidget* parent) : TcRadioGroup(parent) {}

void TcComponentEditorRadioGroup::SetAsInteger(int Value)
{
    auto click = std::move(OnClick);
    auto change = std::move(OnChange);
    OnClick = nullptr;
    OnChange = nullptr;
    FBlockingEvents = true;
    auto restore = [&] {
        FBlockingEvents = false;
        OnClick = std::move(click);
        OnChange = std::move(change);
    };
    try {
        SetItemIndex(Value);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void TcComponentEditorRadioGroup::DoChange()
{
    QPointer<TcComponentEditorRadioGroup> guard(this);
    TcRadioGroup::DoChange();
    if (!guard)
        return;
    if (OnClick)
        OnClick(this);
    if (guard && !FBlockingEvents)
        NotifyUserChange(this);
}

void TcComponentEditorRadioGroup::Enable()
{
    fw::TControl::SetEnabled(true);
}

void TcComponentEditorRadioGroup::Disable()
{
    SetAsInteger(-1);
    fw::TControl::SetEnabled(false);
}

bool TcComponentEditorRadioGroup::event(QEvent* e)
{
    return HandleEditorTab(this, e) || TcRadioGroup::event(e);
}

// ---- combo box ----

TcComponentEditorComboBox::TcComponentEditorComboBox(QWidget* parent) : QComboBox(parent)
{
    resize(145, 21);
    connect(this, &QComboBox::activated, this, [this] { UserChanged(); });
}

void TcComponentEditorComboBox::UserChanged()
{
    if (FBlockingEvents)
        return;
    QPointer<TcComponentEditorComboBox> guard(this);
    NotifyUserChange(this);
    if (guard && OnChange)
        UserHook("combo box change", [&] { OnChange(this); });
}

void TcComponentEditorComboBox::SetAsInteger(int Value)
{
    FBlockingEvents = true;
    setCurrentIndex(Value >= -1 && Value < count() ? Value : -1);
    FBlockingEvents = false;
}

void TcComponentEditorComboBox::SetAsString(const QString& Value)
{
    FBlockingEvents = true;
    const int i = findText(Value);
    if (i >= 0)
        setCurrentIndex(i);
    else if (isEditable())
        setEditText(Value);
    else
        setCurrentIndex(-1);
    FBlockingEvents = false;
}

void TcComponentEditorComboBox::SetItems(const QStringList& Items)
{
    FBlockingEvents = true;
    clear();
    addItems(Items);
    FBlockingEvents = false;
}

void TcComponentEditorComboBox::Shade(bool Enabled)
{
    ShadeWidget(this, Enabled);
}

void TcComponentEditorComboBox::Enable()
{
    setEnabled(true);
    Shade(true);
}

void TcComponentEditorComboBox::Disable()
{
    FBlockingEvents = true;
    setCurrentIndex(-1);
    if (isEditable())
        setEditText(QString());
    setEnabled(false);
    Shade(false);
    FBlockingEvents = false;
}

bool TcComponentEditorComboBox::event(QEvent* e)
{
    return HandleEditorTab(this, e) || QComboBox::event(e);
}

void TcComponentEditorComboBox::showPopup()
{
    QPointer<TcComponentEditorComboBox> guard(this);
    if (OnDropDown)
        UserHook("combo box drop down", [&] { OnDropDown(this); });
    if (guard)
        QComboBox::showPopup();
}

// ---- list box ----

class TcListBoxDelegate : public QStyledItemDelegate
{
  public:
    explicit TcListBoxDelegate(TcComponentEditorListBox* list) : QStyledItemDelegate(list), FList(list) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        fw::TCanvas canvas(*painter);
        canvas.Font.Assign(fw::TFont());
        canvas.Font.SetName(FList->font().family());
        const fw::TRect r = fw::TRect::FromQRect(option.rect);
        const bool selected = option.state & QStyle::State_Selected;
        if (FList->OnDrawItem) {
            FList->OnDrawItem(FList, index.row(), canvas, r, selected);
            painter->restore();
            return;
        }
        const auto look = FList->RowLook(index.row());
        canvas.Brush.Style = fw::bsSolid;
        canvas.Brush.Color = selected ? fw::clTeal : fw::clWindow;
        canvas.FillRect(r);
        canvas.Font.SetColor(selected ? fw::clWhite : fw::clBlack);
        int textLeft = r.Left + 2;
        if (look.DrawColorBox) {
            textLeft = r.Left + 22;
            canvas.Pen.Color = fw::clBlack;
            canvas.Brush.Color = look.Color;
            canvas.Rectangle(r.Left + 2, r.Top + 1, r.Left + 18, r.Bottom - 1);
        }
        canvas.Brush.Style = fw::bsClear;
        const int h = QFontMetrics(painter->font()).height();
        canvas.TextOut(textLeft, r.Top + (r.Height() - h) / 2, look.Text);
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(std::max(s.height(), 18));
        return s;
    }

  private:
    TcComponentEditorListBox* FList;
};

TcComponentEditorListBox::TcComponentEditorListBox(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new TcListBoxDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false);
    setUniformItemSizes(true);
    setSortingEnabled(false);
    connect(this, &QListWidget::currentRowChanged, this, [this] {
        if (!FBlockingEvents && OnClick)
            UserHook("list box click", [&] { OnClick(this); });
    });
}

void TcComponentEditorListBox::SetItemIndex(int Value)
{
    Quietly([&] { setCurrentRow(Value >= 0 && Value < count() ? Value : -1); });
}

int TcComponentEditorListBox::TopIndex() const
{
    const QModelIndex i = indexAt(QPoint(1, 1));
    return i.isValid() ? i.row() : 0;
}

int TcComponentEditorListBox::ItemHeight() const
{
    return count() ? std::max(1, sizeHintForRow(0)) : 18;
}

void TcComponentEditorListBox::AddObject(const QString& Text, void* Object)
{
    auto* item = new QListWidgetItem(Text);
    item->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(Object)));
    addItem(item);
}

void* TcComponentEditorListBox::Object(int Index) const
{
    const QListWidgetItem* it = item(Index);
    return it ? reinterpret_cast<void*>(it->data(Qt::UserRole).value<quintptr>()) : nullptr;
}

QString TcComponentEditorListBox::ItemText(int Index) const
{
    const QListWidgetItem* it = item(Index);
    return it ? it->text() : QString();
}

int TcComponentEditorListBox::IndexOfObject(const void* Object) const
{
    for (int i = 0; i < count(); ++i)
        if (this->Object(i) == Object)
            return i;
    return -1;
}

void TcComponentEditorListBox::Clear()
{
    Quietly([&] { clear(); });
}

void TcComponentEditorListBox::SelectLast()
{
    SetItemIndex(count() - 1);
}

void TcComponentEditorListBox::DeleteSelectedObject()
{
    const int i = currentRow();
    if (count() == 0 || i < 0)
        return;
    void* object = Object(i);
    Quietly([&] { delete takeItem(i); });
    if (FreeObject && object)
        FreeObject(object);
    if (count() > 0)
        SetItemIndex(std::min(i, count() - 1));
}

void TcComponentEditorListBox::DeleteObjectIndex(const void* Object)
{
    const int i = IndexOfObject(Object);
    if (i < 0)
        return;
    const int selected = currentRow();
    Quietly([&] { delete takeItem(i); });
    if (count() > 0)
        SetItemIndex(selected >= 0 && selected < count() ? selected : count() - 1);
}

void TcComponentEditorListBox::MoveItem(int From, int To)
{
    if (From < 0 || From >= count() || To < 0 || To >= count() || From == To)
        return;
    Quietly([&] {
        QListWidgetItem* it = takeItem(From);
        insertItem(To, it);
        setCurrentRow(To);
    });
    if (OnItemMove)
        UserHook("list box move", [&] { OnItemMove(this); });
}

int TcComponentEditorListBox::DropIndex(int Y, int TopIndex, int ItemHeight, int Count)
{
    if (Count <= 0 || ItemHeight <= 0)
        return -1;
    const long long i = ((long long)Y + (long long)TopIndex * ItemHeight) / ItemHeight;
    return int(std::clamp<long long>(i, 0, Count - 1));
}

TcComponentEditorListBox::TcRowLook TcComponentEditorListBox::RowLook(int Index)
{
    TcRowLook look;
    look.Text = ItemText(Index);
    if (OnGetData)
        UserHook("list box data", [&] { OnGetData(this, Index, look.DrawColorBox, look.Color, look.Text); });
    return look;
}

bool TcComponentEditorListBox::event(QEvent* e)
{
    return HandleEditorTab(this, e) || QListWidget::event(e);
}

void TcComponentEditorListBox::mousePressEvent(QMouseEvent* e)
{
    QListWidget::mousePressEvent(e);
    if (e->button() == Qt::LeftButton) {
        FPressPos = e->position().toPoint();
        FDragFrom = currentRow();
        FDragging = false;
    }
}

void TcComponentEditorListBox::mouseMoveEvent(QMouseEvent* e)
{
    if ((e->buttons() & Qt::LeftButton) && FDragFrom >= 0) {
        if (!FDragging && (e->position().toPoint() - FPressPos).manhattanLength() >= 5)
            FDragging = true;
        if (FDragging)
            return;
    }
    QListWidget::mouseMoveEvent(e);
}

void TcComponentEditorListBox::mouseReleaseEvent(QMouseEvent* e)
{
    const bool dropped = FDragging && e->button() == Qt::LeftButton;
    FDragging = false;
    const int from = FDragFrom;
    FDragFrom = -1;
    if (dropped && rect().contains(e->position().toPoint())) {
        const int to = DropIndex(int(e->position().y()), TopIndex(), ItemHeight(), count());
        if (to >= 0 && to != from)
            MoveItem(from, to);
        return;
    }
    QListWidget::mouseReleaseEvent(e);
}

void TcComponentEditorListBox::focusInEvent(QFocusEvent* e)
{
    // The view makes a row current when it takes the focus; that is no click.
    Quietly([&] { QListWidget::focusInEvent(e); });
}

void TcComponentEditorListBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    QListWidget::mouseDoubleClickEvent(e);
    if (OnDblClick)
        UserHook("list box double click", [&] { OnDblClick(this); });
}

// ---- colour picker ----

TcComponentEditorColorPicker::TcComponentEditorColorPicker(QWidget* parent)
    : fw::TControl(parent), FButton(new TcComponentEditorButton(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    FButton->setText(QStringLiteral("..."));
    QFont f = FButton->font();
    f.setBold(true);
    FButton->setFont(f);
    FButton->OnClick = [this](TcComponentEditorButton*) { Choose(); };
    SetBounds(0, 0, 47, 21);
}

void TcComponentEditorColorPicker::SetColor(TColor Value)
{
    FColor = Value;
    update();
}

void TcComponentEditorColorPicker::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    fw::TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    Resized();
}

void TcComponentEditorColorPicker::Resized()
{
    FButton->setGeometry(Width() - 21, 0, 21, Height());
}

void TcComponentEditorColorPicker::Enable()
{
    fw::TControl::SetEnabled(true);
    FButton->setEnabled(true);
    update();
}

void TcComponentEditorColorPicker::Disable()
{
    fw::TControl::SetEnabled(false);
    FButton->setEnabled(false);
    update();
}

namespace
{
// After a picker took its dialog's choice: UserChange, then (while the picker lives) repaint and
// OnChange.
template <class Picker> void ReportPickerChange(Picker* P)
{
    QPointer<Picker> guard(P);
    NotifyUserChange(P);
    if (!guard)
        return;
    P->update();
    if (P->OnChange)
        P->OnChange(P);
}
} // namespace

void TcComponentEditorColorPicker::Choose()
{
    TcColorDialog dlg(this);
    dlg.SetColor(FColor);
    if (!dlg.Execute())
        return;
    FColor = dlg.Color();
    ReportPickerChange(this);
}

void TcComponentEditorColorPicker::Paint(fw::TCanvas& Canvas)
{
    Canvas.Brush.Style = fw::bsSolid;
    Canvas.Brush.Color = fw::clBtnFace;
    Canvas.FillRect(ClientRect());
    Canvas.Pen.Color = fw::clBlack;
    Canvas.Brush.Color = isEnabled() ? FColor : fw::clBtnFace;
    Canvas.Rectangle(0, 0, Width() - FButton->width() - 1, Height());
}

void TcComponentEditorColorPicker::DblClick()
{
    fw::TControl::DblClick();
    if (isEnabled())
        Choose();
}

bool TcComponentEditorColorPicker::event(QEvent* e)
{
    return HandleEditorTab(this, e) || fw::TControl::event(e);
}

// ---- pickers ----

TcComponentEditorFontPicker::TcComponentEditorFontPicker(QWidget* parent) : TcComponentEditorButton(parent)
{
    setText(QStringLiteral("Font"));
    resize(75, 25);
}

void TcComponentEditorFontPicker::Click()
{
    QPointer<TcComponentEditorFontPicker> guard(this);
    TcComponentEditorButton::Click();
    if (!guard)
        return;
    TcFontDialog dlg(this);
    dlg.SetFont(FFont);
    if (!dlg.Execute())
        return;
    FFont.Assign(dlg.Font());
    ReportPickerChange(this);
}

namespace
{
// The picker's choice for its dialog; the folder to start in goes only with the first opening.
void ChoiceForDialog(const TcFileChoice& Picker, bool& DefaultDirUsed, TcFileChoice& Dialog)
{
    Dialog.FileName = Picker.FileName.endsWith(QLatin1Char('/'))
                          ? Picker.FileName + QStringLiteral("Untitled")
                          : Picker.FileName;
    Dialog.Filter = Picker.Filter;
    Dialog.DefaultExt = Picker.DefaultExt;
    if (!DefaultDirUsed) {
        Dialog.DefaultDir = Picker.DefaultDir;
        DefaultDirUsed = true;
    }
}
} // namespace

TcComponentEditorOpenPicker::TcComponentEditorOpenPicker(QWidget* parent) : TcComponentEditorButton(parent)
{
    setText(QStringLiteral("Open"));
    resize(75, 25);
    setFocusPolicy(Qt::StrongFocus);
}

void TcComponentEditorOpenPicker::Click()
{
    QPointer<TcComponentEditorOpenPicker> guard(this);
    TcComponentEditorButton::Click();
    if (!guard)
        return;
    TcOpenDialog dlg(this);
    ChoiceForDialog(*this, FDefaultDirUsed, dlg);
    dlg.FileMustExist = FileMustExist;
    dlg.AllowMultiSelect = AllowMultiSelect;
    if (!dlg.Execute())
        return;
    FileName = dlg.FileName;
    FFiles = dlg.Files();
    ReportPickerChange(this);
}

TcComponentEditorSavePicker::TcComponentEditorSavePicker(QWidget* parent) : TcComponentEditorButton(parent)
{
    setText(QStringLiteral("Save"));
    resize(75, 25);
    setFocusPolicy(Qt::StrongFocus);
}

bool TcComponentEditorSavePicker::Execute()
{
    TcSaveDialog dlg(this);
    ChoiceForDialog(*this, FDefaultDirUsed, dlg);
    dlg.FilterIndex = FilterIndex;
    if (!dlg.Execute())
        return false;
    FileName = dlg.FileName;
    FilterIndex = dlg.FilterIndex;
    ReportPickerChange(this);
    return true;
}

void TcComponentEditorSavePicker::Click()
{
    QPointer<TcComponentEditorSavePicker> guard(this);
    TcComponentEditorButton::Click();
    if (guard)
        Execute();
}

TcComponentEditorValueConverterPicker::TcComponentEditorValueConverterPicker(QWidget* parent)
    : TcComponentEditorButton(parent)
{
    setText(QStringLiteral("..."));
    resize(21, 21);
    setFocusPolicy(Qt::StrongFocus);
}

void TcComponentEditorValueConverterPicker::Click()
{
    QPointer<TcComponentEditorValueConverterPicker> guard(this);
    TcComponentEditorButton::Click();
    if (!guard)
        return;
    auto form = std::make_unique<TcValueConverterEditForm>(this);
    form->SelectPage(FDefaultPage);
    if (TranslationMethod)
        TranslationMethod(form.get());
    form->SetValue(FAssociate ? FAssociate->AsFloat() : FDateTime);
    const int result = form->ShowModal();
    if (!guard || result != mrOk)
        return;
    FDateTime = form->Value();
    form.reset();
    if (FAssociate)
        FAssociate->SetDoubleWithEvent(FDateTime);
    if (guard && OnChange)
        OnChange(this);
}

// ---- paint box ----

TcPaintBox::TcPaintBox(QWidget* parent) : fw::TControl(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TcPaintBox::Paint(fw::TCanvas& Canvas)
{
    if (OnPaint)
        OnPaint(this, Canvas);
}

} // namespace chart
