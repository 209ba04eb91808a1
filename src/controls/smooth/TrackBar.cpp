#include "controls/smooth/TrackBar.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <cmath>

namespace fx
{

using namespace fw;
using gp::Round;
using trackgeom::Absent;
using trackgeom::kAbsent;

// ---- pure geometry ----

namespace trackgeom
{

int ThumbOffset(int travel, int position, int min, int max)
{
    if (max == min || travel <= 0)
        return 0;
    const int off = Round(double(travel) * (position - min) / double(max - min));
    return std::clamp(off, 0, travel);
}

namespace
{
int ClampMapped(double raw, int min, int max, int current)
{
    if (!std::isfinite(raw))
        return current;
    raw = std::clamp(raw, -2.0e9, 2.0e9);
    int v = Round(raw);
    if (v > max)
        v = max;
    if (v < min)
        v = min;
    return v;
}
} // namespace

int JumpValue(bool vertical, const TRect& track, int thumbWidth, int pointerOffset, int x, int y, int min,
              int max, int current)
{
    const int travel = (vertical ? track.Height() : track.Width()) - thumbWidth;
    if (travel <= 0)
        return current; // a track no longer than the thumb has no positions to map to
    const double span = double(max) - double(min);
    const double raw = vertical ? double((track.Bottom - thumbWidth) - y) / travel * span + min
                                : double(x - track.Left - pointerOffset) / travel * span + min;
    return ClampMapped(raw, min, max, current);
}

int DragValue(bool vertical, const TRect& track, int thumbLength, int gripX, int gripY, int x, int y, int min,
              int max, int current)
{
    const int travel = (vertical ? track.Height() : track.Width()) - thumbLength;
    if (travel <= 0)
        return current;
    const double span = double(max) - double(min);
    const double raw =
        vertical ? double(track.Bottom - thumbLength + thumbLength / 2 + gripY - y) / travel * span + min
                 : double(x - track.Left - gripX - thumbLength / 2) / travel * span + min;
    return ClampMapped(raw, min, max, current);
}

QPoint HintPosition(QPoint wanted, QSize size, const QRect& monitor)
{
    // Edges as one past the last pixel, for the hint and the monitor alike.
    const int right = monitor.x() + monitor.width(), bottom = monitor.y() + monitor.height();
    QPoint at = wanted;
    if (at.x() + size.width() > right)
        at.setX(right - 2 - size.width());
    if (at.y() + size.height() > bottom)
        at.setY(bottom - 2 - size.height());
    return at;
}

} // namespace trackgeom

// ---- construction ----

TCustomTrackBar::TCustomTrackBar(QWidget* parent) : TControl(parent)
{
    SetColor(clNone);
    SetBounds(Left(), Top(), 150, 26);
    SetTabStop(true);
    FTrackHint = ShowHint();
    FThumb = std::make_unique<TTrackBarThumb>(this);
    FSlider = std::make_unique<TTrackBarSlider>(this);
    FTickMark = std::make_unique<TTrackBarTick>();
    FButtons = std::make_unique<TTrackBarButtons>(this);
    FTrackLabel = std::make_unique<TTrackBarLabel>();
    FThumb->OnChange = [this] { PartChanged(); };
    FSlider->OnChange = [this] { PartChanged(); };
    FButtons->OnChange = [this] { PartChanged(); };
    FTrackLabel->OnChange = [this] { PartChanged(); };
    FTickMark->OnChange = [this] { TickChanged(); };
    for (TGDIPPicture* p : {&FIBackGround, &FIBackGroundDisabled, &FIRateActive, &FIRateInActive})
        p->OnChange = [this](TPictureBytes*) { update(); };
    TickChanged();
}

TCustomTrackBar::~TCustomTrackBar()
{
    delete FTrackHintWnd;
}

void TCustomTrackBar::TickChanged()
{
    FTextHeight = CurrentTextMetrics().Height(FTickMark->Font().ToQFont()) + 2 * FTickTextOffset;
    update();
}

void TCustomTrackBar::Loaded()
{
    TControl::Loaded();
    TickChanged();
    FButtons->MeasurePicture();
    FThumb->MeasurePicture();
    update();
}

void TCustomTrackBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

// ---- properties ----

void TCustomTrackBar::SetMin(int value)
{
    if (value == FMin)
        return;
    FMin = value;
    if (FMin > FPosition)
        SetPosition(FMin);
    update();
}

void TCustomTrackBar::SetMax(int value)
{
    if (value == FMax)
        return;
    FMax = value;
    if (FPosition > FMax)
        SetPosition(FMax);
    update();
}

void TCustomTrackBar::SetOrientation(TTrackBarOrientation value)
{
    if (value == FOrientation)
        return;
    FOrientation = value;
    if (!Loading())
        SetBounds(Left(), Top(), Height(), Width());
    update();
}

void TCustomTrackBar::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    update();
}

void TCustomTrackBar::SetBorderColor(TColor value)
{
    if (value == FBorderColor)
        return;
    FBorderColor = value;
    update();
}

void TCustomTrackBar::SetColorTo(TColor value)
{
    if (value == FColorTo)
        return;
    FColorTo = value;
    update();
}

void TCustomTrackBar::SetDirection(TGradientDirection value)
{
    if (value == FDirection)
        return;
    FDirection = value;
    update();
}

void TCustomTrackBar::SetBackGroundStretched(bool value)
{
    if (value == FBackGroundStretched)
        return;
    FBackGroundStretched = value;
    update();
}

void TCustomTrackBar::SetTickImages(TCustomImageList* value)
{
    if (value == FImages)
        return;
    if (FImagesGone)
        QObject::disconnect(FImagesGone);
    FImages = value;
    if (value)
        FImagesGone = connect(value, &QObject::destroyed, this, [this] { update(); });
    update();
}

bool TCustomTrackBar::IsRatingMode() const
{
    return !FIRateActive.Empty() && !FIRateInActive.Empty();
}

// ---- geometry ----

bool TCustomTrackBar::HasTopLeftTicks() const
{
    return FTickMark->Style() != tsNone &&
           (FTickMark->Position() == tmTopLeft || FTickMark->Position() == tmBoth);
}

bool TCustomTrackBar::HasBottomRightTicks() const
{
    return FTickMark->Style() != tsNone &&
           (FTickMark->Position() == tmBottomRight || FTickMark->Position() == tmBoth);
}

TRect TCustomTrackBar::GetInnerRect() const
{
    TRect r = ClientRect();
    InflateRect(r, -(FBorderWidth + FOffset), -(FBorderWidth + FOffset));
    return r;
}

TRect TCustomTrackBar::GetMinButtonRect() const
{
    const TRect in = GetInnerRect();
    const int s = FButtons->Size();
    return Vertical() ? TRect{in.Left, in.Bottom - s, in.Right, in.Bottom}
                      : TRect{in.Left, in.Top, in.Left + s, in.Bottom};
}

TRect TCustomTrackBar::GetMaxButtonRect() const
{
    const TRect in = GetInnerRect();
    const int s = FButtons->Size();
    return Vertical() ? TRect{in.Left, in.Top, in.Right, in.Top + s}
                      : TRect{in.Right - s, in.Top, in.Right, in.Bottom};
}

QString TCustomTrackBar::TrackLabelText() const
{
    QString text = FTrackLabel->Format();
    // The format takes one integer.
    const int at = text.indexOf(QStringLiteral("%d"));
    if (at >= 0)
        text.replace(at, 2, QString::number(FPosition));
    if (OnGetTrackLabelText)
        OnGetTrackLabelText(const_cast<TCustomTrackBar*>(this), FPosition, text);
    return text;
}

TRect TCustomTrackBar::GetTrackLabelRect(bool textExtent) const
{
    if (!FTrackLabel->Visible())
        return kAbsent;
    QString text = TrackLabelText();
    if (text.isEmpty() && OnGetTrackLabelText)
        text = QStringLiteral("Pos");
    const QFont f = FTrackLabel->Font().ToQFont();
    const int w = CurrentTextMetrics().Width(f, text), h = CurrentTextMetrics().Height(f);
    const TRect in = GetInnerRect();
    const bool top = FTrackLabel->Position() <= lpTopRight;
    TRect r = in;
    const int thick = h + FTrackLabel->Spacing();
    if (Vertical()) {
        int start = in.Left + FSlider->Offset();
        if (!top) {
            const TRect br = GetBottomRightTickRect();
            start = Absent(br) ? in.Left + FSlider->Offset() : br.Right + 1;
        }
        r.Left = start;
        r.Right = start + thick;
    } else {
        int start = in.Top + FSlider->Offset();
        if (!top) {
            const TRect br = GetBottomRightTickRect();
            start = Absent(br) ? in.Top + FSlider->Offset() : br.Bottom + 1;
        }
        r.Top = start;
        r.Bottom = start + thick;
    }
    if (textExtent) {
        const TLabelPosition p = FTrackLabel->Position();
        const bool left = p == lpTopLeft || p == lpBottomLeft, right = p == lpTopRight || p == lpBottomRight;
        if (Vertical()) {
            // Text reads upward from the stored top, which lies below the stored bottom.
            if (left) {
                r.Top = in.Bottom;
                r.Bottom = in.Bottom - (w + 5);
            } else if (right) {
                r.Top = in.Top + w + 5;
                r.Bottom = in.Top;
            } else {
                r.Top = in.Top + (in.Height() + w) / 2;
                r.Bottom = r.Top - w;
            }
        } else {
            if (left)
                r.Right = r.Left + w + 5;
            else if (right)
                r.Left = r.Right - (w + 5);
            else {
                r.Left = in.Left + (in.Width() - w) / 2;
                r.Right = r.Left + w;
            }
        }
    }
    return r;
}

TRect TCustomTrackBar::GetTrackRect() const
{
    TRect r = GetInnerRect();
    int inset = FSlider->Offset();
    if (FTrackLabel->Visible() && FTrackLabel->Position() <= lpTopRight) {
        const QFont f = FTrackLabel->Font().ToQFont();
        inset += CurrentTextMetrics().Height(f) + FTrackLabel->Spacing() + 1;
    }
    if (Vertical())
        r.Left += inset;
    else
        r.Top += inset;
    if (FButtons->Visible()) {
        const TRect mn = GetMinButtonRect(), mx = GetMaxButtonRect();
        if (Vertical()) {
            r.Bottom = mn.Top - FButtons->Spacing();
            r.Top = mx.Bottom + FButtons->Spacing();
        } else {
            r.Left = mn.Right + FButtons->Spacing();
            r.Right = mx.Left - FButtons->Spacing();
        }
    }
    return r;
}

int TCustomTrackBar::TrackLength() const
{
    const TRect t = GetTrackRect();
    return Vertical() ? t.Height() : t.Width();
}

int TCustomTrackBar::GetThumbLength() const
{
    return FThumb->Width();
}

int TCustomTrackBar::GetThumbPointerOffset() const
{
    if (FThumb->Width() <= 0)
        return 0;
    switch (FThumb->ThumbPointer()) {
    case tpLeft:
        return 0;
    case tpCenter:
        return FThumb->Width() / 2;
    case tpRight:
        return FThumb->Width();
    }
    return 0;
}

TRect TCustomTrackBar::GetTopLeftTickRect() const
{
    if (!HasTopLeftTicks())
        return kAbsent;
    const TRect t = GetTrackRect();
    const int p = GetThumbPointerOffset();
    const int e = FTickMark->Size() + (FTickMark->ShowText() ? FTextHeight : 0);
    return Vertical() ? TRect{t.Left, t.Top + p, t.Left + e, t.Bottom - p}
                      : TRect{t.Left + p, t.Top, t.Right - p, t.Top + e};
}

TRect TCustomTrackBar::GetSliderRect() const
{
    if (FSlider->Size() <= 0 || !FSlider->Visible())
        return kAbsent;
    const TRect t = GetTrackRect();
    int start = Vertical() ? t.Left : t.Top;
    if (HasTopLeftTicks()) {
        const TRect tl = GetTopLeftTickRect();
        start = (Vertical() ? tl.Right : tl.Bottom) + FTickMark->Spacing();
    }
    return Vertical() ? TRect{start, t.Top, start + FSlider->Size(), t.Bottom}
                      : TRect{t.Left, start, t.Right, start + FSlider->Size()};
}

TRect TCustomTrackBar::GetBottomRightTickRect() const
{
    if (!HasBottomRightTicks())
        return kAbsent;
    const TRect t = GetTrackRect();
    const int p = GetThumbPointerOffset();
    const int e = FTickMark->Size() + (FTickMark->ShowText() ? FTextHeight : 0);
    int b;
    if (FSlider->Visible() && FSlider->Size() > 0) {
        const TRect s = GetSliderRect();
        b = (Vertical() ? s.Right : s.Bottom) - (FSlider->Border3D() ? 1 : 0) + FTickMark->Spacing();
    } else if (HasTopLeftTicks()) {
        const TRect tl = GetTopLeftTickRect();
        b = (Vertical() ? tl.Right : tl.Bottom) + 2 * FTickMark->Spacing();
    } else {
        b = Vertical() ? t.Left : t.Top;
    }
    return Vertical() ? TRect{b, t.Top + p, b + e, t.Bottom - p} : TRect{t.Left + p, b, t.Right - p, b + e};
}

TRect TCustomTrackBar::GetThumbRect() const
{
    const TRect t = GetTrackRect();
    int start;
    if (FSlider->Visible() && FSlider->Size() > 0) {
        const TRect s = GetSliderRect();
        const int s0 = Vertical() ? s.Left : s.Top, s1 = Vertical() ? s.Right : s.Bottom;
        start = s0 + (s1 - s0) / 2 - FThumb->Size() / 2;
    } else if (FTickMark->Style() == tsNone) {
        start = Vertical() ? t.Left : t.Top;
    } else if (HasBottomRightTicks() && !HasTopLeftTicks()) {
        const TRect br = GetBottomRightTickRect();
        start = Vertical() ? br.Left : br.Top;
    } else {
        const TRect tl = GetTopLeftTickRect();
        start = (Vertical() ? tl.Left : tl.Top) + FTickMark->Spacing() - FThumb->Size() / 2;
    }
    const int end = start + FThumb->Size();
    const int offset = trackgeom::ThumbOffset(TrackLength() - GetThumbLength(), FPosition, FMin, FMax);
    TRect r;
    if (Vertical()) {
        r.Bottom = t.Bottom - offset;
        r.Top = r.Bottom - FThumb->Width();
        r.Left = start;
        r.Right = end;
    } else {
        r.Left = t.Left + offset;
        r.Right = r.Left + FThumb->Width();
        r.Top = start;
        r.Bottom = end;
    }
    if (FThumb->Shape() == tsLine && FThumb->Picture().Empty()) {
        const TRect in = GetInnerRect();
        if (Vertical()) {
            r.Left = in.Left;
            r.Right = Width() - FBorderWidth;
        } else {
            r.Top = in.Top;
            r.Bottom = Height() - FBorderWidth;
        }
    }
    return r;
}

TRect TCustomTrackBar::GetRateRect(int value) const
{
    const int w = std::max(FIRateActive.Width(), FIRateInActive.Width());
    const int h = std::max(FIRateActive.Height(), FIRateInActive.Height());
    const TRect t = GetTrackRect();
    if (w <= 0 || h <= 0)
        return kAbsent;
    int x = t.Left, y = t.Top;
    for (int v = FMin + 1; v < value; ++v) {
        if (t.Right < x + 2 * w) {
            x = t.Left;
            y += h;
        } else {
            x += w;
        }
        if (y > t.Bottom)
            return kAbsent;
    }
    if (y > t.Bottom)
        return kAbsent;
    return {x, y, x + w, y + h};
}

int TCustomTrackBar::RateValueAt(int X, int Y) const
{
    for (int v = FMin + 1; v <= FMax; ++v) {
        const TRect r = GetRateRect(v);
        if (!Absent(r) && r.Contains({X, Y}))
            return v;
    }
    return -1;
}

// ---- value ----

void TCustomTrackBar::SetPosition(int Value)
{
    if (Value == FPosition)
        return;
    int v = Value;
    if (Value < FMin)
        v = FMin;
    else if (Value > FMax)
        v = FMax;
    TRect oldR = GetThumbRect();
    FPosition = v;
    TRect newR = GetThumbRect();
    if (IsRatingMode()) {
        update();
    } else {
        InflateRect(oldR, 1, 1);
        InflateRect(newR, 1, 1);
        QRegion region(oldR.ToQRect());
        region += newR.ToQRect();
        const bool completed = FSlider->ColorCompleted() != clNone || !FSlider->PictureCompleted().Empty();
        if (completed && !Absent(GetSliderRect()))
            region += GetSliderRect().ToQRect();
        if (FTickMark->ShowImageAtThumbOnly()) {
            const TRect t = GetTrackRect();
            for (const TRect& r : {oldR, newR})
                region += Vertical() ? QRect(t.Left, r.Top, t.Width(), r.Height())
                                     : QRect(r.Left, t.Top, r.Width(), t.Height());
        }
        update(region);
        InvalidateTrackLabel();
    }
    DoChange();
}

void TCustomTrackBar::DoChange()
{
    if (OnChange)
        OnChange(this);
}

void TCustomTrackBar::InvalidateTrackLabel()
{
    if (!FTrackLabel->Visible())
        return;
    TRect r = GetTrackLabelRect(!OnGetTrackLabelText);
    if (Vertical()) {
        const int top = std::min(r.Top, r.Bottom), bottom = std::max(r.Top, r.Bottom);
        r.Top = top - 10;
        r.Bottom = bottom + 10;
    } else {
        InflateRect(r, 5, 0);
    }
    update(r.ToQRect());
}

void TCustomTrackBar::StepDown()
{
    if (FPosition > FMin)
        SetPosition(FPosition - FButtons->Step());
}

void TCustomTrackBar::StepUp()
{
    if (FPosition < FMax)
        SetPosition(FPosition + FButtons->Step());
}

void TCustomTrackBar::PageStepToPressPoint()
{
    if (FMax <= FMin)
        return; // no range to page through
    const double s = double(TrackLength() - GetThumbLength()) / double(FMax - FMin);
    if (s <= 0)
        return;
    const TRect t = GetTrackRect();
    const int p = GetThumbPointerOffset();
    int dir = 0;
    if (Vertical()) {
        const int r = t.Bottom - Round((FPosition - FMin) * s);
        const int y = FSliderDownPt.Y;
        const int y2 = y >= r ? y + p : y;
        if (std::abs(y2 - r) >= s)
            dir = y < r ? 1 : -1;
    } else {
        const int r = t.Left + Round((FPosition - FMin) * s);
        const int x = FSliderDownPt.X;
        const int x2 = x < r ? x - p : x;
        if (std::abs(x2 - r) >= s)
            dir = x < r ? -1 : 1;
    }
    if (dir == 0)
        return;
    // Page toward the pressed point and stop once the thumb has reached it, rather than stepping back.
    if (FPageDirection == 0)
        FPageDirection = dir;
    else if (dir != FPageDirection)
        return;
    const long long target = (long long)FPosition + (long long)dir * FPageSize;
    const int next = int(std::clamp<long long>(target, FMin, FMax));
    if (next == FPosition)
        return;
    SetPosition(next);
}

// ---- repeat ----

void TCustomTrackBar::StartRepeatTimer()
{
    if (!FRepeatTimer) {
        FRepeatTimer = std::make_unique<TTimer>();
        FRepeatTimer->OnTimer = [this](TTimer*) { RepeatTimerTick(); };
    }
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(FButtons->InitRepeatPause());
    FRepeatTimer->SetEnabled(true);
}

void TCustomTrackBar::RepeatTimerTick()
{
    FRepeatTimer->SetInterval(FButtons->RepeatPause());
    if (!MouseCaptured())
        return;
    try {
        if (FSliderButtonDown)
            PageStepToPressPoint();
        else if (FMinButtonDown)
            StepDown();
        else if (FMaxButtonDown)
            StepUp();
        else
            FRepeatTimer->SetEnabled(false);
    } catch (...) {
        FRepeatTimer->SetEnabled(false);
        throw;
    }
}

// ---- mouse ----

void TCustomTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    QPointer<TCustomTrackBar> guard(this);
    TControl::MouseDown(Button, Shift, X, Y);
    if (!guard)
        return;
    if (!Focused() && CanFocus())
        SetFocus();
    TRect T = GetTrackRect();
    InflateRect(T, 4, 4);
    const TPoint pt{X, Y};
    const bool inMin = FButtons->Visible() && GetMinButtonRect().Contains(pt);
    const bool inMax = FButtons->Visible() && GetMaxButtonRect().Contains(pt);
    const TRect thumb = GetThumbRect();
    if (!IsRatingMode() && !thumb.Contains(pt) && Button == mbLeft &&
        (FMoveOnClick == mcMove || FMoveOnClick == mcMoveSlide) && !inMin && !inMax) {
        SetPosition(trackgeom::JumpValue(Vertical(), GetTrackRect(), FThumb->Width(), GetThumbPointerOffset(),
                                         X, Y, FMin, FMax, FPosition));
        if (guard && FMoveOnClick == mcMoveSlide) {
            FThumbDown = true;
            FSliding = true;
        }
        return;
    }
    if (Button != mbLeft || IsRatingMode())
        return;
    if (!thumb.Contains(pt)) {
        if (T.Contains(pt) && CanPageStep()) {
            FSliderButtonDown = true;
            FSliderDownPt = pt;
            FPageDirection = 0;
            PageStepToPressPoint();
            if (guard)
                StartRepeatTimer();
        } else if (FButtons->Visible()) {
            if (inMin && !FMinButtonDown) {
                FMinButtonDown = true;
                update(GetMinButtonRect().ToQRect());
                if (FButtons->RepeatClick())
                    StartRepeatTimer();
            }
            if (inMax && !FMaxButtonDown) {
                FMaxButtonDown = true;
                update(GetMaxButtonRect().ToQRect());
                if (FButtons->RepeatClick())
                    StartRepeatTimer();
            }
        }
        return;
    }
    if (CanDragThumb()) {
        FSliding = true;
        FThumbDown = true;
        update(thumb.ToQRect().adjusted(-1, -1, 1, 1));
        FThumbCenterOffsetX = X - (thumb.Left + thumb.Width() / 2);
        FThumbCenterOffsetY = Y - (thumb.Top + thumb.Height() / 2);
    }
}

void TCustomTrackBar::MouseMove(TShiftState Shift, int X, int Y)
{
    QPointer<TCustomTrackBar> guard(this);
    TControl::MouseMove(Shift, X, Y);
    if (!guard || IsRatingMode())
        return;
    const TPoint pt{X, Y};
    if (FSliding) {
        const int v = trackgeom::DragValue(Vertical(), GetTrackRect(), GetThumbLength(), FThumbCenterOffsetX,
                                           FThumbCenterOffsetY, X, Y, FMin, FMax, FPosition);
        if (v != FPosition && FTrackHint && v != FHintTickIndex) {
            ShowTrackHint(v);
            FHintTickIndex = v;
        }
        FSliderButtonDown = false;
        SetPosition(v);
        return;
    }
    if (FButtons->Visible()) {
        const bool inMin = GetMinButtonRect().Contains(pt), inMax = GetMaxButtonRect().Contains(pt);
        if (inMin != FMinButtonHot) {
            FMinButtonHot = inMin;
            if (!inMin)
                FMinButtonDown = false;
            update(GetMinButtonRect().ToQRect());
        }
        if (inMax != FMaxButtonHot) {
            FMaxButtonHot = inMax;
            if (!inMax)
                FMaxButtonDown = false;
            update(GetMaxButtonRect().ToQRect());
        }
    }
    const TRect thumb = GetThumbRect();
    if (thumb.Contains(pt) && CanDragThumb()) {
        if (!FThumbHot) {
            FThumbHot = true;
            update(thumb.ToQRect().adjusted(-1, -1, 1, 1));
        }
    } else if (FThumbHot) {
        FThumbHot = false;
        FThumbDown = false;
        update(thumb.ToQRect().adjusted(-1, -1, 1, 1));
    }
}

void TCustomTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    QPointer<TCustomTrackBar> guard(this);
    if (FRepeatTimer)
        FRepeatTimer->SetEnabled(false);
    FSliderButtonDown = false;
    FPageDirection = 0;
    const TPoint pt{X, Y};
    if (IsRatingMode() && Button == mbLeft) {
        const int v = RateValueAt(X, Y);
        if (v >= 0) {
            SetPosition(v);
        } else {
            const TRect first = GetRateRect(FMin + 1);
            if (!Absent(first) && X >= first.Left - 4 && X <= first.Left - 1 && Y >= first.Top &&
                Y < first.Bottom)
                SetPosition(FMin);
        }
    } else if (Button == mbLeft) {
        HideTrackHint();
        FSliding = false;
        if (FThumbDown) {
            FThumbDown = false;
            const TRect thumb = GetThumbRect();
            if (!thumb.Contains(pt))
                FThumbHot = false;
            update(thumb.ToQRect().adjusted(-1, -1, 1, 1));
        }
        if (FButtons->Visible()) {
            if (FMinButtonDown && GetMinButtonRect().Contains(pt)) {
                FMinButtonDown = false;
                update(GetMinButtonRect().ToQRect());
                StepDown();
            }
            if (guard && FMaxButtonDown && GetMaxButtonRect().Contains(pt)) {
                FMaxButtonDown = false;
                update(GetMaxButtonRect().ToQRect());
                StepUp();
            }
        }
    }
    if (guard)
        TControl::MouseUp(Button, Shift, X, Y);
}

void TCustomTrackBar::MouseLeave()
{
    TControl::MouseLeave();
    if (FMinButtonHot || FMinButtonDown || FMaxButtonHot || FMaxButtonDown) {
        FMinButtonHot = FMinButtonDown = FMaxButtonHot = FMaxButtonDown = false;
        update();
    }
    if ((FThumbHot || FThumbDown) && !FSliding) {
        FThumbHot = FThumbDown = false;
        update();
    }
}

// ---- keys, wheel, focus ----

void TCustomTrackBar::KeyDown(Word& Key, TShiftState Shift)
{
    QPointer<TCustomTrackBar> guard(this);
    TControl::KeyDown(Key, Shift);
    if (!guard || (Shift & ssShift))
        return;
    switch (Key) {
    case VK_PRIOR:
        SetPosition(FPosition + FPageSize);
        break;
    case VK_NEXT:
        SetPosition(FPosition - FPageSize);
        break;
    case VK_END:
        SetPosition(Vertical() ? GetMinPosition() : GetMaxPosition());
        break;
    case VK_HOME:
        SetPosition(Vertical() ? GetMaxPosition() : GetMinPosition());
        break;
    case VK_UP:
    case VK_RIGHT:
        if (FPosition < FMax)
            SetPosition(FPosition + 1);
        break;
    case VK_LEFT:
    case VK_DOWN:
        if (FPosition > FMin)
            SetPosition(FPosition - 1);
        break;
    default:
        break;
    }
}

bool TCustomTrackBar::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    QPointer<TCustomTrackBar> guard(this);
    TControl::DoMouseWheel(Shift, WheelDelta, MousePos);
    if (!guard)
        return true;
    if (WheelDelta < 0) {
        if (FPosition > FMin)
            SetPosition(FPosition - 1);
    } else if (FPosition < FMax) {
        SetPosition(FPosition + 1);
    }
    return true;
}

void TCustomTrackBar::DoEnter()
{
    TControl::DoEnter();
    update();
}

void TCustomTrackBar::DoExit()
{
    TControl::DoExit();
    update();
}

// ---- value hint ----

void TCustomTrackBar::ShowTrackHint(int value)
{
    QString text = QString::number(value);
    if (OnGetTrackHint)
        OnGetTrackHint(this, value, text);
    if (!FTrackHintWnd) {
        FTrackHintWnd = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
        FTrackHintWnd->setAlignment(Qt::AlignCenter);
        FTrackHintWnd->setStyleSheet(
            QStringLiteral("QLabel { background: %1; border: 1px solid; "
                           "border-color: %2 %3 %3 %2; }")
                .arg(ToQColor(clInfoBk).name(), ToQColor(cl3DLight).name(), ToQColor(cl3DDkShadow).name()));
    }
    FTrackHintWnd->setText(text);
    const QFontMetrics m(FTrackHintWnd->font());
    const QSize size(m.horizontalAdvance(text) + 16, m.height() + 4);
    QPoint at = QCursor::pos() + QPoint(10, 0);
    QScreen* screen = QApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        at = trackgeom::HintPosition(at, size, screen->geometry());
    FTrackHintWnd->setGeometry(QRect(at, size));
    FTrackHintWnd->show();
    FTrackHintShow = true;
}

void TCustomTrackBar::HideTrackHint()
{
    if (FTrackHintShow && FTrackHintWnd)
        FTrackHintWnd->hide();
    FTrackHintShow = false;
}

// ---- colour styles ----

namespace
{
struct StyleColors {
    TColor color, colorTo, mirror, mirrorTo, border;
};
struct HotDown {
    StyleColors hot, down;
};
const HotDown kSetA{{13432063, 11332863, 5888767, 9556223, 10079963},
                    {7778289, 4296947, 946929, 5021693, 4548219}};
const HotDown kSetB{{15465983, 11332863, 5888767, 10807807, 10079963},
                    {7778289, 4296947, 946929, 5021693, 4548219}};
const HotDown kSetXP{{15717318, 15717318, 15717318, 15717318, clHighlight},
                     {11899524, 11899524, 11899524, 11899524, clHighlight}};
const HotDown kSetVista{{16776697, 16775920, clNone, clNone, 16703386},
                        {16710128, 16642263, clNone, clNone, 16703386}};
const HotDown kSet7{{16645114, 16643051, clNone, clNone, 14922381},
                    {16575452, 16571329, clNone, clNone, 13542013}};
const HotDown kSetTerminal{{clSilver, clSilver, clNone, clNone, clBlack},
                           {clHighlight, clHighlight, clNone, clNone, clBlack}};
const HotDown kSet2010{{14678013, 7987195, 7987195, 14678013, 3457776},
                       {6670325, 9102591, 9102591, 6670325, 2914498}};

struct StyleRow {
    TTMSStyle style;
    StyleColors thumb, buttons;
    TColor slider;
    const HotDown* set;
};
const StyleRow kStyles[] = {
    {tsOffice2003Blue,
     {15653832, 16178633, 15586496, 16245200, 14727579},
     {16706781, 16374724, 16706781, 14854529, 10248507},
     12752500,
     &kSetA},
    {tsOffice2003Silver,
     {15586496, 15128792, 15586496, 13152947, 9598070},
     {15586496, 15128792, 15586496, 13152947, 9598070},
     9598070,
     &kSetA},
    {tsOffice2003Olive,
     {13627626, 13627626, 13627626, 9224369, 9224369},
     {13627626, 13627626, 13627626, 9224369, 9224369},
     9224369,
     &kSetA},
    {tsOffice2003Classic,
     {16777215, 13226453, 16777215, 13226453, 0},
     {16777215, 13226453, 16777215, 13226453, 0},
     9598070,
     &kSetB},
    {tsOffice2007Luna,
     {15653832, 16178633, 15586496, 16245200, 14727579},
     {15653832, 16178633, 15586496, 16245200, 14727579},
     12752500,
     &kSetB},
    {tsOffice2007Obsidian,
     {14671574, 15000283, 14144974, 15197664, 12631218},
     {14671574, 15000283, 14144974, 15197664, 12631218},
     12631218,
     &kSetB},
    {tsWindowsXP,
     {16777215, 12179676, 12179676, 12179676, 12179676},
     {16777215, 12179676, 12179676, 12179676, 12179676},
     9598070,
     &kSetXP},
    {tsWhidbey,
     {16777215, 14675440, 14675440, 14675440, 10070188},
     {16777215, 14675440, 14675440, 14675440, 10070188},
     9598070,
     &kSetA},
    {tsOffice2007Silver,
     {15987697, 16119283, 15657703, 16316406, 13421257},
     {15987697, 16119283, 15657703, 16316406, 13421257},
     13421257,
     &kSetB},
    {tsWindowsVista,
     {16776697, 16642263, clNone, clNone, 16703386},
     {16776697, 16642263, 16776697, 16642263, 16703386},
     16703386,
     &kSetVista},
    {tsWindows7,
     {16575452, 16571329, clNone, clNone, 13542013},
     {16575452, 16571329, 16575452, 16571329, 13542013},
     13542013,
     &kSet7},
    {tsTerminal,
     {clBtnFace, clBtnFace, clNone, clNone, clBlack},
     {clBtnFace, clBtnFace, clBtnFace, clBtnFace, clBlack},
     clBlack,
     &kSetTerminal},
    {tsOffice2010Blue,
     {16710905, 15391181, clNone, clNone, 10060659},
     {16710905, 15391181, 15391181, 15391181, 10060659},
     10060659,
     &kSet2010},
    {tsOffice2010Silver,
     {16645370, 16645370, clNone, clNone, 9734527},
     {16645370, 16645370, 16645370, 16645370, 9734527},
     9734527,
     &kSet2010},
    {tsOffice2010Black,
     {13224393, 8421504, clNone, clNone, 2500134},
     {13224393, 8421504, 8421504, 8421504, 2500134},
     2500134,
     &kSet2010},
};
} // namespace

void TCustomTrackBar::SetComponentStyle(TTMSStyle AStyle)
{
    FSlider->SetOffset(10);
    for (TGDIPPicture* p :
         {&FSlider->Picture(), &FSlider->PictureDisabled(), &FSlider->PictureCompleted(),
          &FSlider->PictureCompletedDisabled(), &FTickMark->Picture(), &FTickMark->PictureDisabled(),
          &FThumb->Picture(), &FThumb->PictureHot(), &FThumb->PictureDown(), &FThumb->PictureDisabled()})
        p->Assign(nullptr);
    FSlider->SetPictureStretched(false);
    FTickMark->SetPosition(tmBottomRight);
    FThumb->SetShape(tsPointer);
    FButtons->SetSpacing(2);
    const StyleRow* row = nullptr;
    for (const auto& r : kStyles)
        if (r.style == AStyle)
            row = &r;
    if (row) {
        TTrackBarThumb& t = *FThumb;
        TTrackBarButtons& b = *FButtons;
        const HotDown& s = *row->set;
        t.SetColorHot(s.hot.color);
        t.SetColorHotTo(s.hot.colorTo);
        t.SetColorMirrorHot(s.hot.mirror);
        t.SetColorMirrorHotTo(s.hot.mirrorTo);
        t.SetBorderColorHot(s.hot.border);
        t.SetColorDown(s.down.color);
        t.SetColorDownTo(s.down.colorTo);
        t.SetColorMirrorDown(s.down.mirror);
        t.SetColorMirrorDownTo(s.down.mirrorTo);
        t.SetBorderColorDown(s.down.border);
        b.SetColorHot(s.hot.color);
        b.SetColorHotTo(s.hot.colorTo);
        b.SetColorMirrorHot(s.hot.mirror);
        b.SetColorMirrorHotTo(s.hot.mirrorTo);
        b.SetBorderColorHot(s.hot.border);
        b.SetColorDown(s.down.color);
        b.SetColorDownTo(s.down.colorTo);
        b.SetColorMirrorDown(s.down.mirror);
        b.SetColorMirrorDownTo(s.down.mirrorTo);
        b.SetBorderColorDown(s.down.border);
        t.SetColor(row->thumb.color);
        t.SetColorTo(row->thumb.colorTo);
        t.SetColorMirror(row->thumb.mirror);
        t.SetColorMirrorTo(row->thumb.mirrorTo);
        t.SetBorderColor(row->thumb.border);
        b.SetColor(row->buttons.color);
        b.SetColorTo(row->buttons.colorTo);
        b.SetColorMirror(row->buttons.mirror);
        b.SetColorMirrorTo(row->buttons.mirrorTo);
        b.SetBorderColor(row->buttons.border);
        t.SetGradient(ggVertical);
        t.SetGradientMirror(ggVertical);
        b.SetGradient(ggVertical);
        b.SetGradientMirror(ggVertical);
        FSlider->SetBorderColor(row->slider);
        FTickMark->SetColor(row->slider);
    }
    update();
}

} // namespace fx
