// TControl: the framework's component base over QWidget. It gives every control of the program
// Name (objectName), Tag, bounds, its own Visible flag, Enabled, Caption, Hint, Color, an owned Font,
// a TCanvas in Paint, and mouse/key/wheel virtuals with the framework's arguments. Events are
// std::function members, set after the stored values; setters fire only what their control says.
// Enter/exit follow the focus between controls and ignore window deactivation and popups.
// TForm keeps the case-insensitive name lookup. UI thread only; a control is owned by its Qt parent.
#pragma once

#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Events.h"
#include "framework/Fonts.h"
#include "framework/Types.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <unordered_map>

namespace fw
{

class TControl;

using TNotifyEvent = std::function<void(TControl* Sender)>;
using TMouseEvent =
    std::function<void(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TControl* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TControl* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TControl* Sender, QChar& Key)>;
using TMouseWheelEvent =
    std::function<void(TControl* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;

class TControl : public QWidget
{
  public:
    explicit TControl(QWidget* parent = nullptr);
    ~TControl() override;

    QString Name() const { return objectName(); }
    // Also tells the form it lies on, so that the form finds it without walking its tree.
    void SetName(const QString& value);
    long long Tag() const { return FTag; }
    void SetTag(long long value) { FTag = value; }

    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
    TRect ClientRect() const { return Rect(0, 0, Width(), Height()); }

    // The control's own flag, not whether its parents show.
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void SetEnabled(bool value);

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& value) { FFont.Assign(value); }

    bool Focused() const;
    void SetFocus();
    // Visible and enabled with its parents; a control that is no tab stop can still be focused from code.
    bool CanFocus() const;
    // A tab stop takes the focus by Tab and by a click; otherwise only its own code (SetFocus) focuses it.
    bool TabStop() const { return (focusPolicy() & Qt::TabFocus) != 0; }
    void SetTabStop(bool value);

    // Layout reading: stored values are set between BeginLoad and Loaded.
    void BeginLoad() { FLoading = true; }
    virtual void Loaded() { FLoading = false; }
    bool Loading() const { return FLoading; }
    static bool Designing() { return false; }

    void Invalidate() { update(); }
    void Repaint() { repaint(); }
    bool MouseInControl() const { return FMouseInControl; }
    bool MouseCaptured() const { return FCaptured; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // The nearest TControl at or above w (nullptr when none).
    static TControl* ControlOf(QWidget* w);

    // An accelerator key pressed in the window ("&O" in a caption marks O): true when this control
    // took it. Offered by DispatchDialogChar.
    virtual bool DialogChar(QChar Key);
    // Typed characters are this control's own: without Alt they are not offered as accelerators.
    virtual bool WantsChars() const { return false; }

  protected:
    // What a property of the one property shape (framework/Property.h) does after a change; hand
    // written setters store through Set.
    void PropertyChanged() { update(); }
    template <class T> void Set(T& f, T v)
    {
        if (f == v)
            return;
        f = v;
        PropertyChanged();
    }
    // Painting: the default fills nothing (controls are transparent unless they paint).
    virtual void Paint(TCanvas& Canvas);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Click();
    virtual void DblClick();
    // Called once per 120 units of accumulated wheel delta; returns whether it was handled.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(QChar& Key);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void EnabledChanged() { update(); }
    virtual void FontChanged() { update(); }
    virtual void ColorChanged() { update(); }
    virtual void TextChanged() { update(); }
    virtual void Resized() {}

    // Qt plumbing.
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    friend class FocusTracker;
    long long FTag = 0;
    bool FVisible = true;
    QString FCaption;
    QString FHint;
    bool FShowHint = false;
    TColor FColor = clBtnFace;
    TFont FFont;
    bool FLoading = false;
    bool FMouseInControl = false;
    bool FCaptured = false;
    bool FClicked = false;
    int FWheelAccumulator = 0;
};

// The accelerator character of a caption ("&Ok" → 'o'), or a null char.
QChar AcceleratorOf(const QString& caption);
// Whether Key is the accelerator of the caption, in any case.
bool IsAccel(QChar Key, const QString& caption);
// Offers an accelerator key to the visible controls under root, in creation order, until one takes it.
bool DispatchDialogChar(QWidget* root, QChar Key);

// A window: finds its components by name, case-insensitively.
class TForm : public TControl
{
  public:
    explicit TForm(QWidget* parent = nullptr);
    ~TForm() override;
    // The form that `o` is, or nullptr (cheaper than a cast up the tree of every named control).
    static TForm* Of(const QObject* o);
    // nullptr when no control of that name lives on the form.
    QObject* FindComponent(const QString& name);
    template <class T> T* Find(const QString& name) { return dynamic_cast<T*>(FindComponent(name)); }
    // Remembers a named control of this form; the first of a name stays found, as in the tree walk.
    void NoteComponent(QObject* component);

  private:
    std::unordered_map<QString, QPointer<QObject>> FNames;
};

} // namespace fw
