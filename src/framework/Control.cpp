#include "framework/Control.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace fw
{

// Follows the focus between controls: enter and exit fire when the focus moves from one control to
// another, not when the window loses activation or a popup takes the focus for a while.
class FocusTracker
{
  public:
    static void Install()
    {
        static bool installed = false;
        if (installed || !qApp)
            return;
        installed = true;
        QObject::connect(qApp, &QApplication::focusChanged, qApp,
                         [](QWidget*, QWidget* now) { Changed(now); });
    }
    static void Forget(TControl* c)
    {
        if (Entered() == c)
            Entered() = nullptr;
    }

  private:
    static QPointer<TControl>& Entered()
    {
        static QPointer<TControl> entered;
        return entered;
    }
    static void Changed(QWidget* now)
    {
        if (!now)
            return; // deactivation
        if (QWidget* win = now->window();
            win && (win->windowType() == Qt::Popup || win->windowType() == Qt::ToolTip))
            return;
        TControl* t = TControl::ControlOf(now);
        QPointer<TControl> old = Entered();
        if (t == old)
            return;
        Entered() = t;
        if (old)
            old->DoExit();
        if (t && Entered() == t)
            t->DoEnter();
    }
};

TControl::TControl(QWidget* parent) : QWidget(parent)
{
    FocusTracker::Install();
    setFocusPolicy(Qt::NoFocus);
    // Every control sees plain moves (hot thumbs, hot buttons, OnMouseMove without a button held).
    setMouseTracking(true);
    FFont.OnChange = [this](TFont*) { FontChanged(); };
    if (parent)
        QWidget::setVisible(true);
}

TControl::~TControl()
{
    FocusTracker::Forget(this);
}

TControl* TControl::ControlOf(QWidget* w)
{
    for (; w; w = w->parentWidget())
        if (auto* c = dynamic_cast<TControl*>(w))
            return c;
    return nullptr;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    setGeometry(ALeft, ATop, std::max(0, AWidth), std::max(0, AHeight));
}

void TControl::SetVisible(bool value)
{
    FVisible = value;
    QWidget::setVisible(value);
}

void TControl::SetEnabled(bool value)
{
    if (value == Enabled())
        return;
    setEnabled(value);
}

void TControl::SetCaption(const QString& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    TextChanged();
}

void TControl::SetHint(const QString& value)
{
    FHint = value;
    setToolTip(FShowHint ? FHint : QString());
}

void TControl::SetShowHint(bool value)
{
    FShowHint = value;
    setToolTip(FShowHint ? FHint : QString());
}

void TControl::SetColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    ColorChanged();
}

bool TControl::Focused() const
{
    const QWidget* f = QApplication::focusWidget();
    return f && (f == this || isAncestorOf(f));
}

void TControl::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

bool TControl::CanFocus() const
{
    return isVisible() && isEnabled();
}

void TControl::SetTabStop(bool value)
{
    setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
}

void TControl::Paint(TCanvas&) {}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

void TControl::KeyDown(Word& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TControl::KeyUp(Word& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TControl::KeyPress(QChar& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void TControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TControl::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TControl::MouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    TCanvas canvas(p);
    canvas.Font.Assign(FFont);
    canvas.Brush.Color = FColor;
    Paint(canvas);
}

void TControl::mousePressEvent(QMouseEvent* e)
{
    TMouseButton b;
    if (!ButtonFromQt(e->button(), b))
        return;
    const QPoint p = e->position().toPoint();
    FCaptured = true;
    if (b == mbLeft)
        FClicked = true;
    QPointer<TControl> guard(this);
    MouseDown(b, ShiftFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
    if (guard)
        e->accept();
}

void TControl::mouseDoubleClickEvent(QMouseEvent* e)
{
    TMouseButton b;
    if (!ButtonFromQt(e->button(), b))
        return;
    const QPoint p = e->position().toPoint();
    QPointer<TControl> guard(this);
    if (b == mbLeft)
        DblClick();
    if (guard)
        MouseDown(b, ShiftFromQt(e->modifiers(), e->buttons()) | ssDouble, p.x(), p.y());
}

void TControl::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    MouseMove(ShiftFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
}

void TControl::mouseReleaseEvent(QMouseEvent* e)
{
    TMouseButton b;
    if (!ButtonFromQt(e->button(), b))
        return;
    const QPoint p = e->position().toPoint();
    if (e->buttons() == Qt::NoButton)
        FCaptured = false;
    QPointer<TControl> guard(this);
    if (b == mbLeft && FClicked) {
        FClicked = false;
        if (rect().contains(p))
            Click();
    }
    if (guard)
        MouseUp(b, ShiftFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
}

void TControl::wheelEvent(QWheelEvent* e)
{
    int delta = e->angleDelta().y();
    if (delta == 0)
        delta = e->angleDelta().x();
    // Partial deltas (high-resolution wheels) add up to whole notches.
    if ((FWheelAccumulator > 0 && delta < 0) || (FWheelAccumulator < 0 && delta > 0))
        FWheelAccumulator = 0;
    FWheelAccumulator += delta;
    bool handled = false;
    const QPoint gp = e->globalPosition().toPoint();
    const TShiftState shift = ShiftFromQt(e->modifiers(), e->buttons());
    QPointer<TControl> guard(this);
    while (guard && std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
        const int notch = FWheelAccumulator > 0 ? WHEEL_DELTA : -WHEEL_DELTA;
        FWheelAccumulator -= notch;
        handled = DoMouseWheel(shift, notch, {gp.x(), gp.y()}) || handled;
    }
    if (!guard)
        return;
    if (handled || delta != 0)
        e->accept();
    else
        e->ignore();
}

void TControl::keyPressEvent(QKeyEvent* e)
{
    Word key = KeyFromQt(*e);
    const TShiftState shift = ShiftFromQt(e->modifiers());
    QPointer<TControl> guard(this);
    if (key != 0)
        KeyDown(key, shift);
    if (!guard)
        return;
    QString text = e->text();
    const bool alt = e->modifiers() & Qt::AltModifier;
    // Alt with a letter or digit may come without its text.
    if (alt && text.isEmpty() &&
        ((e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) ||
         (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9)))
        text = QChar(char16_t(e->key()));
    for (QChar ch : text) {
        if (!guard)
            return;
        if (!alt)
            KeyPress(ch);
        if (guard && !ch.isNull() && ch.isPrint() && !ch.isSpace() && (alt || !WantsChars()))
            DispatchDialogChar(window(), ch);
    }
    e->accept();
}

bool TControl::DialogChar(QChar)
{
    return false;
}

QChar AcceleratorOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return QChar();
}

bool IsAccel(QChar Key, const QString& caption)
{
    const QChar accel = AcceleratorOf(caption);
    return !accel.isNull() && accel == Key.toLower();
}

bool DispatchDialogChar(QWidget* root, QChar Key)
{
    if (!root || !root->isVisible())
        return false;
    if (auto* c = dynamic_cast<TControl*>(root); c && !root->isWindow() && c->DialogChar(Key))
        return true;
    const auto children = root->children();
    for (QObject* o : children) {
        auto* w = qobject_cast<QWidget*>(o);
        // Another window (a dialog of this one) answers its own keys.
        if (!w || w->isWindow())
            continue;
        QPointer<QWidget> guard(root);
        if (DispatchDialogChar(w, Key))
            return true;
        if (!guard)
            return true;
    }
    return false;
}

void TControl::keyReleaseEvent(QKeyEvent* e)
{
    // A held key repeats its key-down only; X11 pairs each repeat with a release, which is not one.
    if (e->isAutoRepeat()) {
        e->accept();
        return;
    }
    Word key = KeyFromQt(*e);
    if (key != 0)
        KeyUp(key, ShiftFromQt(e->modifiers()));
    e->accept();
}

void TControl::enterEvent(QEnterEvent*)
{
    FMouseInControl = true;
    MouseEnter();
}

void TControl::leaveEvent(QEvent*)
{
    FMouseInControl = false;
    MouseLeave();
}

void TControl::resizeEvent(QResizeEvent*)
{
    Resized();
}

void TControl::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange)
        EnabledChanged();
    QWidget::changeEvent(e);
}

void TControl::SetName(const QString& value)
{
    setObjectName(value);
    for (QObject* o = parent(); o; o = o->parent())
        if (TForm* form = TForm::Of(o)) {
            form->NoteComponent(this);
            break;
        }
}

namespace
{
// The forms alive (UI thread only).
QHash<const QObject*, TForm*>& LiveForms()
{
    static QHash<const QObject*, TForm*> forms;
    return forms;
}
} // namespace

TForm::TForm(QWidget* parent) : TControl(parent)
{
    LiveForms().insert(this, this);
}

TForm::~TForm()
{
    LiveForms().remove(this);
}

TForm* TForm::Of(const QObject* o)
{
    return LiveForms().value(o, nullptr);
}

namespace
{
// The key of a component name: lower case, with a quick path for the plain ASCII names forms use.
QString NameKey(const QString& name)
{
    QString key(name.size(), Qt::Uninitialized);
    QChar* out = key.data();
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u >= 0x80)
            return name.toLower();
        *out++ = QChar(u >= 'A' && u <= 'Z' ? char16_t(u + ('a' - 'A')) : u);
    }
    return key;
}
} // namespace

void TForm::NoteComponent(QObject* component)
{
    const QString name = component->objectName();
    if (name.isEmpty())
        return;
    auto [it, added] = FNames.try_emplace(NameKey(name), component);
    if (!added && (!it->second || it->second->objectName().compare(name, Qt::CaseInsensitive) != 0))
        it->second = component;
}

QObject* TForm::FindComponent(const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    const QString key = NameKey(name);
    auto valid = [&](const QPointer<QObject>& p) {
        if (!p || p->objectName().compare(name, Qt::CaseInsensitive) != 0)
            return false;
        for (QObject* o = p->parent(); o; o = o->parent())
            if (o == this)
                return true;
        return false;
    };
    auto it = FNames.find(key);
    if (it != FNames.end() && valid(it->second))
        return it->second;
    // A miss walks the tree for this one name instead of rebuilding the whole map: forms look up
    // names that do not exist (yet) often, and rebuilding means thousands of inserts each time.
    const auto children = findChildren<QObject*>();
    for (QObject* o : children)
        if (o->objectName().compare(name, Qt::CaseInsensitive) == 0) {
            FNames.insert_or_assign(key, QPointer<QObject>(o));
            return o;
        }
    if (it != FNames.end())
        FNames.erase(it);
    return nullptr;
}

} // namespace fw
