#include "controls/panels/LedButtons.h"

#include <QPointer>

namespace sk
{

using namespace fw;

TLedPowerButton::TLedPowerButton(QWidget* parent) : TLedCustomImageControl(parent)
{
    SetColor(clBtnFace);
    resize(125, 25);
    SetTabStop(false); // a click takes the focus only from a tab stop
    FPalette.OnChange = [this](TLedPersistent*) { UpdateControl(); };
    CalcLayout();
}

void TLedPowerButton::SetActive(bool value)
{
    if (value == FActive)
        return;
    FActive = value;
    UpdateControl();
}

void TLedPowerButton::SetLedWidth(int v)
{
    v = std::max(1, v);
    if (v == FLedWidth)
        return;
    FLedWidth = v;
    CalcLayout();
}

void TLedPowerButton::SetLedHeight(int v)
{
    v = std::max(1, v);
    if (v == FLedHeight)
        return;
    FLedHeight = v;
    CalcLayout();
}

void TLedPowerButton::SetLayout(TLedImageTextLayout v)
{
    if (v == FLayout)
        return;
    FLayout = v;
    CalcLayout();
}

void TLedPowerButton::SetMargin(int v)
{
    if (v == FMargin)
        return;
    FMargin = v;
    CalcLayout();
}

void TLedPowerButton::SetSpacing(int v)
{
    if (v == FSpacing)
        return;
    FSpacing = v;
    CalcLayout();
}

void TLedPowerButton::CalcLayout()
{
    TRect client = ClientRect();
    const int inset = FBevelWidth + FOutlineWidth;
    InflateRect(client, -inset, -inset);
    int tw = 0, th = 0;
    if (!Caption().isEmpty()) {
        TRect m = Rect(0, 0, client.Width(), 0);
        MeasureText(Font(), Caption(), m, DT_CALCRECT);
        tw = m.Width();
        th = m.Height();
    }
    TPoint pos;
    CalcButtonLayoutSized(client, tw, th, int(FLayout) + 1, FMargin, FSpacing, {FLedWidth, FLedHeight}, pos,
                          FTextBounds);
    FImageRect = Bounds(pos.X, pos.Y, FLedWidth, FLedHeight);
    UpdateControl();
}

void TLedPowerButton::PaintImage(TCanvas& c)
{
    TRect r = ClientRect();
    const TColor k = FFocused ? FFocusColor : FOutlineColor;
    DrawFrame3D(c, r, k, k, FOutlineWidth);
    if (FPressed) {
        r = ClientRect();
        DrawFrame3D(c, r, FOutlineColor, FHighlightColor, FOutlineWidth);
        DrawFrame3D(c, r, FShadowColor, FOutlineColor, FBevelWidth);
    } else {
        DrawFrame3D(c, r, FHighlightColor, FShadowColor, FBevelWidth);
    }
    const TColor lamp = Enabled() ? FPalette.Colors(FActive ? 1 : 0) : Color();
    TRect l = FImageRect;
    DrawFrame3D(c, l, FShadowColor, FHighlightColor, 1);
    DrawFrame3D(c, l, clBlack, clBlack, 1);
    c.Brush.Style = bsSolid;
    c.Brush.Color = lamp;
    c.FillRect(l);
    c.Font.Assign(Font());
    // The caption sits in its laid-out place beside the lamp.
    DrawButtonCaption(c, Caption(), FTextBounds, Enabled());
}

void TLedPowerButton::Toggle()
{
    QPointer<TLedPowerButton> guard(this);
    SetActive(!FActive);
    if (guard && OnClick)
        OnClick(this);
}

bool TLedPowerButton::DialogChar(QChar Key)
{
    if (!IsAccel(Key, Caption()) || !isEnabled())
        return false;
    if (OnClick)
        OnClick(this);
    return true;
}

void TLedPowerButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && Enabled()) {
        FDown = true;
        FPressed = true;
        UpdateControl();
        if (TabStop())
            SetFocus();
    }
    TLedCustomImageControl::MouseDown(Button, Shift, X, Y);
}

void TLedPowerButton::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FDown) {
        const bool inside = ClientRect().Contains({X, Y});
        if (inside != FPressed) {
            FPressed = inside;
            UpdateControl();
        }
    }
    TLedCustomImageControl::MouseMove(Shift, X, Y);
}

void TLedPowerButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // Only the release of the button that pressed it, inside, toggles.
    bool toggled = false;
    if (Button == mbLeft && FDown) {
        FDown = false;
        if (FPressed && ClientRect().Contains({X, Y})) {
            FPressed = false;
            FActive = !FActive;
            toggled = true;
        }
        FPressed = false;
        UpdateControl();
    }
    QPointer<TLedPowerButton> guard(this);
    TLedCustomImageControl::MouseUp(Button, Shift, X, Y);
    if (guard && toggled && OnClick)
        OnClick(this);
}

void TLedPowerButton::KeyDown(Word& Key, TShiftState Shift)
{
    TLedCustomImageControl::KeyDown(Key, Shift);
    if (Key == VK_SPACE && Enabled()) {
        FSpacePressed = true;
        FPressed = true;
        UpdateControl();
    }
}

void TLedPowerButton::KeyUp(Word& Key, TShiftState Shift)
{
    TLedCustomImageControl::KeyUp(Key, Shift);
    if (Key == VK_SPACE && FSpacePressed) {
        FSpacePressed = false;
        FPressed = false;
        Toggle();
    }
}

void TLedPowerButton::MouseEnter()
{
    if (FDown && !FPressed) {
        FPressed = true;
        UpdateControl();
    }
    TLedCustomImageControl::MouseEnter();
}

void TLedPowerButton::MouseLeave()
{
    if (FDown && FPressed) {
        FPressed = false;
        UpdateControl();
    }
    TLedCustomImageControl::MouseLeave();
}

void TLedPowerButton::DoEnter()
{
    if (!FFocused) {
        FFocused = true;
        UpdateControl();
    }
    TLedCustomImageControl::DoEnter();
}

void TLedPowerButton::DoExit()
{
    FSpacePressed = false;
    if (FFocused) {
        FFocused = false;
        FPressed = FDown && FPressed;
        UpdateControl();
    }
    TLedCustomImageControl::DoExit();
}

// A press in progress ends without a toggle when the button is disabled.
void TLedPowerButton::EnabledChanged()
{
    if (!isEnabled())
        FDown = FPressed = FSpacePressed = false;
    UpdateControl();
}

// ---- Demo button ----

TLedDemoButton::TLedDemoButton(QWidget* parent) : TLedCustomImageControl(parent)
{
    SetColor(clBtnFace);
    resize(150, 25);
    SetTabStop(false);
    for (TFont* f : {&FFontEnter, &FFontLeave}) {
        f->SetName(QStringLiteral("Arial"));
        f->SetSize(12);
        f->SetStyle(fsBold);
        f->OnChange = [this](TFont*) { UpdateControl(); };
    }
    FFontEnter.SetColor(clRed);
    FFontLeave.SetColor(clBlack);
    FFont3D.OnChange = [this](TLedPersistent*) { UpdateControl(); };
}

void TLedDemoButton::PaintImage(TCanvas& c)
{
    TRect r = ClientRect();
    if (FDownState)
        OffsetRect(r, 1, 1);
    if (!FBitmap.isNull())
        TileBitmap(c, r, FBitmap);
    r = ClientRect();
    const TColor k = FFocused ? FFocusColor : FOutlineColor;
    DrawFrame3D(c, r, k, k, FOutlineWidth);
    if (FDownState)
        DrawFrame3D(c, r, FShadowColor, FHighlightColor, FBevelWidth);
    else if (!FFlat || FHasMouse)
        DrawFrame3D(c, r, FHighlightColor, FShadowColor, FBevelWidth);
    else
        InflateRect(r, -FBevelWidth, -FBevelWidth);
    c.Font.Assign(FHasMouse && Enabled() ? FFontEnter : FFontLeave);
    if (!Enabled())
        c.Font.SetColor(FDisabledTextColor);
    c.Brush.Style = bsClear;
    if (FDownState)
        OffsetRect(r, 1, 1);
    unsigned flags = DT_SINGLELINE;
    switch (FTextAlignment) {
    case vtaLeft:
        flags |= DT_LEFT | DT_VCENTER;
        break;
    case vtaCenter:
        flags |= DT_CENTER | DT_VCENTER;
        break;
    case vtaRight:
        flags |= DT_RIGHT | DT_VCENTER;
        break;
    case vtaTopLeft:
        flags |= DT_LEFT | DT_TOP;
        break;
    case vtaTop:
        flags |= DT_CENTER | DT_TOP;
        break;
    case vtaTopRight:
        flags |= DT_RIGHT | DT_TOP;
        break;
    case vtaBottomLeft:
        flags |= DT_LEFT | DT_BOTTOM;
        break;
    case vtaBottom:
        flags |= DT_CENTER | DT_BOTTOM;
        break;
    case vtaBottomRight:
        flags |= DT_RIGHT | DT_BOTTOM;
        break;
    }
    FFont3D.Paint(c, r, flags, Caption());
}

void TLedDemoButton::PressAt(int x, int y)
{
    if (!ClientRect().Contains({x, y}))
        return;
    FPressed = true;
    FDownState = true;
    if (TabStop())
        SetFocus();
    UpdateControl();
}

void TLedDemoButton::Fire()
{
    if (OnClick)
        OnClick(this);
}

bool TLedDemoButton::DialogChar(QChar Key)
{
    if (!IsAccel(Key, Caption()) || !isEnabled())
        return false;
    Fire();
    return true;
}

void TLedDemoButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TLedCustomImageControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && Enabled())
        PressAt(X, Y);
}

void TLedDemoButton::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FPressed) {
        const bool in = ClientRect().Contains({X, Y});
        if (in != FDownState) {
            FDownState = in;
            UpdateControl();
        }
    }
    TLedCustomImageControl::MouseMove(Shift, X, Y);
}

void TLedDemoButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    bool fire = false;
    if (Button == mbLeft) {
        if (FPressed && FDownState && ClientRect().Contains({X, Y}))
            fire = true;
        const bool was = FDownState;
        FDownState = false;
        FPressed = false;
        if (was || fire)
            UpdateControl();
    }
    QPointer<TLedDemoButton> guard(this);
    if (fire)
        Fire();
    if (guard)
        TLedCustomImageControl::MouseUp(Button, Shift, X, Y);
}

void TLedDemoButton::KeyDown(Word& Key, TShiftState Shift)
{
    TLedCustomImageControl::KeyDown(Key, Shift);
    if (Key == VK_SPACE && !FDownState && Enabled()) {
        FPressed = true;
        FDownState = true;
        UpdateControl();
    }
}

void TLedDemoButton::KeyUp(Word& Key, TShiftState Shift)
{
    TLedCustomImageControl::KeyUp(Key, Shift);
    if (Key != VK_SPACE)
        return;
    const bool fire = FPressed && FDownState;
    FPressed = false;
    if (fire) {
        FDownState = false;
        UpdateControl();
        Fire();
    }
}

void TLedDemoButton::EnabledChanged()
{
    if (!isEnabled())
        FPressed = FDownState = false;
    UpdateControl();
}

void TLedDemoButton::MouseEnter()
{
    FHasMouse = true;
    UpdateControl();
    TLedCustomImageControl::MouseEnter();
}

void TLedDemoButton::MouseLeave()
{
    FHasMouse = false;
    UpdateControl();
    TLedCustomImageControl::MouseLeave();
}

void TLedDemoButton::DoEnter()
{
    FFocused = true;
    UpdateControl();
    TLedCustomImageControl::DoEnter();
}

void TLedDemoButton::DoExit()
{
    FFocused = false;
    UpdateControl();
    TLedCustomImageControl::DoExit();
}

} // namespace sk
