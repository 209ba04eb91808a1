#include "controls/panels/SkBmpButton.h"

#include "controls/panels/SkGraphics.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

namespace sk
{

using namespace fw;

const QImage& DownPatternBitmap()
{
    static const QImage pattern = [] {
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(ToQColor(clBtnFace));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if ((x & 1) == (y & 1))
                    img.setPixel(x, y, qRgb(255, 255, 255));
        return img;
    }();
    return pattern;
}

TSkBmpButton::TSkBmpButton(QWidget* parent) : TSkGroupedButton(parent)
{
    resize(80, 30);
    SetTabStop(true);
    FBitmaps.OnChange = [this] {
        if (FButtonSize == bszButtonToBitmap)
            ResizeCheck();
        update();
    };
}

bool TSkBmpButton::DialogChar(QChar Key)
{
    if (!IsAccel(Key, Caption()) || !isEnabled())
        return false;
    Click();
    return true;
}

void TSkBmpButton::SetButtonBorder(TButtonBorder v)
{
    if (v == FButtonBorder)
        return;
    FButtonBorder = v;
    ResizeCheck();
    update();
}

void TSkBmpButton::SetButtonSize(TBtnSize v)
{
    if (v == FButtonSize)
        return;
    FButtonSize = v;
    ResizeCheck();
    update();
}

void TSkBmpButton::SetButtonStyle(TButtonStyle v)
{
    if (v == FButtonStyle)
        return;
    FButtonStyle = v;
    ResizeCheck();
    update();
}

void TSkBmpButton::ResizeCheck()
{
    if (Loading() || FButtonSize != bszButtonToBitmap || FBitmaps.Up().isNull())
        return;
    const int b = FButtonBorder == bbNone ? 0 : FButtonBorder == bbSingle ? 1 : NewStyle() ? 2 : 3;
    SetBounds(Left(), Top(), FBitmaps.Up().width() + 2 * b, FBitmaps.Up().height() + 2 * b);
    update();
}

void TSkBmpButton::Loaded()
{
    TControl::Loaded();
    ResizeCheck();
}

void TSkBmpButton::SetDown(bool value)
{
    if (FGroupIndex == 0)
        value = false;
    if (value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = value;
    FState = value ? bsExclusive : bsUp;
    update();
    if (value)
        UpdateExclusive(false);
}

void TSkBmpButton::FinishPress(bool clicked)
{
    if (FGroupIndex == 0) {
        if (FState != bsDisabled)
            FState = bsUp;
        repaint();
    } else if (clicked) {
        SetDown(!FDown);
        if (FDown)
            FState = bsExclusive;
        repaint();
    } else {
        FState = FDown ? bsExclusive : bsUp;
        repaint();
    }
    if (clicked)
        Click();
}

void TSkBmpButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    QPointer<TSkBmpButton> guard(this);
    TControl::MouseDown(Button, Shift, X, Y);
    if (!guard)
        return;
    if (Enabled() && CanFocus() && !Focused())
        SetFocus();
    if (Button != mbLeft || !Enabled() || !CanFocus())
        return;
    if (!FDown) {
        FState = bsDown;
        repaint();
    }
    FDragging = true;
}

void TSkBmpButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TControl::MouseMove(Shift, X, Y);
    if (!FDragging)
        return;
    TButtonState want = bsUp;
    if (FDown)
        want = bsExclusive;
    else if (InClient(X, Y))
        want = bsDown;
    if (want != FState) {
        FState = want;
        repaint();
    }
}

void TSkBmpButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (EndMousePress(Button, Shift, X, Y))
        FinishPress(InClient(X, Y));
}

void TSkBmpButton::KeyDown(Word& Key, TShiftState Shift)
{
    QPointer<TSkBmpButton> guard(this);
    TControl::KeyDown(Key, Shift);
    if (!guard)
        return;
    if (Key == VK_RETURN) {
        Click();
        return;
    }
    if (Key == VK_SPACE && Enabled() && !FDragging) {
        if (!FDown) {
            FState = bsDown;
            repaint();
        }
        FDragging = true;
    }
}

void TSkBmpButton::KeyUp(Word& Key, TShiftState Shift)
{
    QPointer<TSkBmpButton> guard(this);
    TControl::KeyUp(Key, Shift);
    // Any key's release ends a press in progress, by Space or by the mouse, as a click.
    if (!guard || !FDragging)
        return;
    FDragging = false;
    if (FGroupIndex == 0)
        FState = bsUp;
    FinishPress(true);
}

void TSkBmpButton::DblClick()
{
    if (FDown)
        TControl::DblClick();
}

void TSkBmpButton::MouseEnter()
{
    FMouseOver = true;
    TControl::MouseEnter();
    if (!FBitmaps.Hot().isNull())
        update();
}

void TSkBmpButton::MouseLeave()
{
    FMouseOver = false;
    TControl::MouseLeave();
    if (!FBitmaps.Hot().isNull())
        update();
}

void TSkBmpButton::DoEnter()
{
    FFocused = true;
    update();
    TControl::DoEnter();
}

// A press in progress ends without a click when the button is disabled.
void TSkBmpButton::EnabledChanged()
{
    if (!isEnabled() && FDragging) {
        FDragging = false;
        FState = FDown ? bsExclusive : bsUp;
    }
    TSkGroupedButton::EnabledChanged();
}

void TSkBmpButton::DoExit()
{
    FFocused = false;
    if (FDragging) { // a Space press that loses the focus ends without a click
        FDragging = false;
        FState = FDown ? bsExclusive : bsUp;
    }
    update();
    TControl::DoExit();
}

QImage TSkBmpButton::EmbossedFromUp() const
{
    // Dark pixels of Up (neither white nor the key colour) in a highlight copy one pixel down-right and a
    // shadow copy in place, on a picture of Up's size filled with the button face colour.
    const QImage up = FBitmaps.Up().convertToFormat(QImage::Format_RGB32);
    const QRgb key = ToQColor(FBitmaps.TransparentColor()).rgb() & 0xFFFFFF;
    QImage out(up.size(), QImage::Format_RGB32);
    out.fill(ToQColor(clBtnFace));
    auto dark = [&](int x, int y) {
        const QRgb p = up.pixel(x, y) & 0xFFFFFF;
        return p != 0xFFFFFF && p != key;
    };
    const QRgb hi = ToQColor(clBtnHighlight).rgb(), sh = ToQColor(clBtnShadow).rgb();
    for (int y = 0; y < up.height(); ++y)
        for (int x = 0; x < up.width(); ++x)
            if (dark(x, y) && x + 1 < up.width() && y + 1 < up.height())
                out.setPixel(x + 1, y + 1, hi);
    for (int y = 0; y < up.height(); ++y)
        for (int x = 0; x < up.width(); ++x)
            if (dark(x, y))
                out.setPixel(x, y, sh);
    return out;
}

QImage TSkBmpButton::PictureFor(TButtonState state)
{
    const bool upSet = !FBitmaps.Up().isNull();
    if (!upSet && !(state == bsDisabled && !FBitmaps.Disabled().isNull()))
        return {};
    switch (state) {
    case bsUp:
        if (FMouseOver && !FBitmaps.Hot().isNull())
            return FBitmaps.Hot();
        if (FFocused && FShowFocus && !FBitmaps.UpAndFocused().isNull())
            return FBitmaps.UpAndFocused();
        return FBitmaps.Up();
    case bsDisabled:
        return !FBitmaps.Disabled().isNull() ? FBitmaps.Disabled() : EmbossedFromUp();
    case bsDown:
        return !FBitmaps.Down().isNull() ? FBitmaps.Down() : FBitmaps.Up();
    case bsExclusive:
        if (!FBitmaps.StayDown().isNull())
            return FBitmaps.StayDown();
        return !FBitmaps.Down().isNull() ? FBitmaps.Down() : FBitmaps.Up();
    }
    return {};
}

QImage TSkBmpButton::CurrentPicture()
{
    if (!Enabled())
        return PictureFor(bsDisabled);
    return PictureFor(FState == bsDisabled ? (FDown ? bsExclusive : bsUp) : FState);
}

TRect TSkBmpButton::PaintBorder(TCanvas& c, TRect R)
{
    switch (FButtonBorder) {
    case bbNone:
        // The parent's background shows through the cleared image; the paint never sleeps.
        c.Painter().setCompositionMode(QPainter::CompositionMode_Source);
        c.Painter().fillRect(R.ToQRect(), Qt::transparent);
        c.Painter().setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    case bbSingle:
        c.Brush.Style = bsSolid;
        c.FillRect(R);
        c.Brush.Color = clBlack;
        c.FrameRect(R);
        InflateRect(R, -1, -1);
        break;
    case bbButton: {
        const bool pressed = FState == bsDown || FState == bsExclusive;
        c.Brush.Style = bsSolid;
        c.Brush.Color = Color();
        c.FillRect(R);
        R = PaintPushFrame(c, R, pressed);
        if (!NewStyle())
            R = PaintSideLines(c, R, clNone, clNone, AllSides);
        InflateRect(R, -1, -1);
        break;
    }
    }
    return R;
}

void TSkBmpButton::PaintStayDownBackground(TCanvas& c, const TRect& R)
{
    const int d = NewStyle() ? 1 : 2;
    TRect p = R;
    p.Right -= NewStyle() ? 2 : 1;
    p.Bottom -= NewStyle() ? 2 : 1;
    InflateRect(p, d, d);
    QPainter& qp = c.Painter();
    if (FShowDownPattern)
        qp.fillRect(p.ToQRect(), QBrush(DownPatternBitmap()));
    else
        qp.fillRect(p.ToQRect(), ToQColor(Color()));
}

void TSkBmpButton::LayOutGlyphAndCaption(TCanvas& c, const QImage& pic, TRect& R, TRect& textRect)
{
    const int W = R.Width(), H = R.Height();
    const bool sized = !pic.isNull() && FButtonSize == bszNeither;
    const int pw = sized ? pic.width() : 0, ph = sized ? pic.height() : 0;
    int tw = 0, th = 0;
    if (!Caption().isEmpty()) {
        TRect m = Rect(0, 0, W, 0);
        c.DrawText(Caption(), m, DT_CALCRECT | DT_SINGLELINE);
        tw = m.Width();
        th = m.Height();
    }
    const bool vertical = FLayout == blGlyphTop || FLayout == blGlyphBottom;
    int picX = 0, picY = 0, capX = 0, capY = 0;
    if (vertical) {
        picX = W / 2 - pw / 2;
        capX = W / 2 - tw / 2;
    } else {
        picY = H / 2 - ph / 2;
        capY = H / 2 - th / 2;
    }
    const int extent = vertical ? H : W, pe = vertical ? ph : pw, te = vertical ? th : tw;
    int s = FSpacing, m = FMargin;
    if (tw == 0 || pw == 0)
        s = 0;
    if (m == -1) {
        if (s == -1) {
            m = (extent - pe - te) / 3;
            s = m;
        } else {
            m = extent / 2 - (pe + s + te) / 2;
        }
    } else if (s == -1) {
        s = (extent - m - pe) / 2 - te / 2;
    }
    switch (FLayout) {
    case blGlyphLeft:
        picX = m;
        capX = m + pw + s;
        break;
    case blGlyphRight:
        picX = W - m - pw;
        capX = picX - s - tw;
        break;
    case blGlyphTop:
        picY = m;
        capY = m + ph + s;
        break;
    case blGlyphBottom:
        picY = H - m - ph;
        capY = picY - s - th;
        break;
    }
    textRect = Bounds(R.Left + capX, R.Top + capY, tw, th);
    if (pw > 0)
        R = Bounds(R.Left + picX, R.Top + picY, pw, ph);
}

void TSkBmpButton::PaintPicture(TCanvas& c, const QImage& pic, const TRect& R)
{
    const TColor key = FBitmaps.TransparentColor();
    switch (FButtonSize) {
    case bszNeither:
        CopyTransparentPart(c, pic, R, key, Rect(0, 0, pic.width(), pic.height()));
        break;
    case bszButtonToBitmap:
    case bszStretchToButton:
        DrawTransparentBitmap(c, pic, R, key);
        break;
    case bszTileToButton:
        TileTransparentBitmap(c, pic, R, key);
        break;
    }
}

void TSkBmpButton::PaintCaption(TCanvas& c, const TRect& textRect)
{
    c.Brush.Style = bsClear;
    const unsigned flags = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP;
    if (!Enabled()) {
        TRect t = textRect;
        OffsetRect(t, 1, 1);
        c.Font.SetColor(clWhite);
        c.DrawText(Caption(), t, flags);
        c.Font.SetColor(clGray);
        t = textRect;
        c.DrawText(Caption(), t, flags);
    } else {
        TRect t = textRect;
        if (FState == bsDown || FState == bsExclusive)
            OffsetRect(t, FCaptionDownOffset, FCaptionDownOffset);
        c.DrawText(Caption(), t, flags);
    }
    if (FFocused && FShowFocus) {
        c.Brush.Style = bsSolid;
        c.Brush.Color = clBtnFace;
        TRect f = textRect;
        InflateRect(f, 2, 2);
        c.DrawFocusRect(f);
    }
}

void TSkBmpButton::PaintTo(TCanvas& c, QImage&)
{
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = FDown ? bsExclusive : bsUp;
    }
    c.Brush.Color = Color();
    TRect R = PaintBorder(c, ClientRect());
    if (FState == bsExclusive && FButtonBorder != bbNone)
        PaintStayDownBackground(c, R);
    const QImage pic = PictureFor(FState);
    c.Font.Assign(Font());
    TRect textRect;
    LayOutGlyphAndCaption(c, pic, R, textRect);
    if (!pic.isNull())
        PaintPicture(c, pic, R);
    if (!Caption().isEmpty())
        PaintCaption(c, textRect);
}

QImage TSkBmpButton::Render()
{
    QImage image(std::max(1, Width()), std::max(1, Height()), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        TCanvas c(p);
        PaintTo(c, image);
    }
    return image;
}

void TSkBmpButton::Paint(TCanvas& canvas)
{
    canvas.Draw(0, 0, Render());
}

} // namespace sk
