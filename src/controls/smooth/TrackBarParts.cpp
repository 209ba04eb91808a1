#include "controls/smooth/TrackBarParts.h"

#include "controls/smooth/TrackBar.h"

namespace fx
{

// ---- thumb ----

TTrackBarThumb::TTrackBarThumb(TCustomTrackBar* owner) : FAdvTrackBar(owner)
{
    for (TGDIPPicture* p : {&FPicture, &FPictureHot, &FPictureDown, &FPictureDisabled})
        p->OnChange = [this](TPictureBytes*) { PictureChanged(); };
}

void TTrackBarThumb::SetSize(int value)
{
    if (!FPicture.Empty() || value == FSize)
        return;
    FSize = value;
    Changed();
}

void TTrackBarThumb::SetWidth(int value)
{
    if (!FPicture.Empty() || value == FWidth)
        return;
    FWidth = value;
    Changed();
}

void TTrackBarThumb::SetThumbPointer(TThumbPointer value)
{
    if (!FAdvTrackBar || value == FThumbPointer)
        return;
    FThumbPointer = value;
    Changed();
}

void TTrackBarThumb::MeasurePicture()
{
    if (FPicture.Empty() || !FAdvTrackBar)
        return;
    FPicture.GetImageSizes();
    if (FAdvTrackBar->Orientation() == trVertical) {
        FWidth = FPicture.Height();
        FSize = FPicture.Width();
    } else {
        FSize = FPicture.Height();
        FWidth = FPicture.Width();
    }
}

void TTrackBarThumb::PictureChanged()
{
    MeasurePicture();
    Changed();
}

void TTrackBarThumb::Assign(const TTrackBarThumb& s)
{
    if (&s == this)
        return;
    FColor = s.FColor;
    FColorTo = s.FColorTo;
    FColorMirror = s.FColorMirror;
    FColorMirrorTo = s.FColorMirrorTo;
    FColorHot = s.FColorHot;
    FColorHotTo = s.FColorHotTo;
    FColorMirrorHot = s.FColorMirrorHot;
    FColorMirrorHotTo = s.FColorMirrorHotTo;
    FColorDown = s.FColorDown;
    FColorDownTo = s.FColorDownTo;
    FColorMirrorDown = s.FColorMirrorDown;
    FColorMirrorDownTo = s.FColorMirrorDownTo;
    FColorDisabled = s.FColorDisabled;
    FColorDisabledTo = s.FColorDisabledTo;
    FColorMirrorDisabled = s.FColorMirrorDisabled;
    FColorMirrorDisabledTo = s.FColorMirrorDisabledTo;
    FBorderColor = s.FBorderColor;
    FBorderColorHot = s.FBorderColorHot;
    FBorderColorDown = s.FBorderColorDown;
    FBorderColorDisabled = s.FBorderColorDisabled;
    FGradient = s.FGradient;
    FGradientMirror = s.FGradientMirror;
    FSteps = s.FSteps;
    SetWidth(s.FWidth);
    SetShape(s.FShape);
    SetSize(s.FSize);
    SetThumbPointer(s.FThumbPointer);
    FPicture.Assign(&s.FPicture);
    FPictureHot.Assign(&s.FPictureHot);
    FPictureDown.Assign(&s.FPictureDown);
    FPictureDisabled.Assign(&s.FPictureDisabled);
    Changed();
}

// ---- slider ----

TTrackBarSlider::TTrackBarSlider(TCustomTrackBar* owner) : FAdvTrackBar(owner)
{
    for (TGDIPPicture* p : {&FPicture, &FPictureDisabled, &FPictureCompleted, &FPictureCompletedDisabled})
        p->OnChange = [this](TPictureBytes*) { PictureChanged(); };
}

void TTrackBarSlider::PictureChanged()
{
    if (!FPicture.Empty()) {
        FPicture.GetImageSizes();
        const bool vertical = FAdvTrackBar && FAdvTrackBar->Orientation() == trVertical;
        FSize = vertical ? FPicture.Width() : FPicture.Height();
        FBorderColor = fw::clNone;
    }
    Changed();
}

void TTrackBarSlider::Assign(const TTrackBarSlider& s)
{
    if (&s == this)
        return;
    FColor = s.FColor;
    FColorTo = s.FColorTo;
    FColorDisabled = s.FColorDisabled;
    FColorDisabledTo = s.FColorDisabledTo;
    FColorCompleted = s.FColorCompleted;
    FColorCompletedTo = s.FColorCompletedTo;
    FColorCompletedDisabled = s.FColorCompletedDisabled;
    FColorCompletedDisabledTo = s.FColorCompletedDisabledTo;
    FBorderColor = s.FBorderColor;
    FBorderColorDisabled = s.FBorderColorDisabled;
    FPictureStretched = s.FPictureStretched;
    FSize = s.FSize;
    FRounded = s.FRounded;
    SetVisible(s.FVisible);
    SetOffset(s.FOffset);
    FPicture.Assign(&s.FPicture);
    FPictureDisabled.Assign(&s.FPictureDisabled);
    FPictureCompleted.Assign(&s.FPictureCompleted);
    FPictureCompletedDisabled.Assign(&s.FPictureCompletedDisabled);
    Changed();
}

// ---- tick mark ----

TTrackBarTick::TTrackBarTick()
{
    FFont.SetName(QStringLiteral("Tahoma"));
    FFont.OnChange = [this](fw::TFont*) { Changed(); };
    FPicture.OnChange = [this](TPictureBytes*) { Changed(); };
    FPictureDisabled.OnChange = [this](TPictureBytes*) { Changed(); };
}

void TTrackBarTick::Assign(const TTrackBarTick& s)
{
    if (&s == this)
        return;
    FColor = s.FColor;
    FColorDisabled = s.FColorDisabled;
    FLine3D = s.FLine3D;
    FPosition = s.FPosition;
    FStyle = s.FStyle;
    FShowText = s.FShowText;
    FShowImageAtThumbOnly = s.FShowImageAtThumbOnly;
    FShowImageAtSteps = s.FShowImageAtSteps;
    FSpacing = s.FSpacing;
    FSize = s.FSize;
    FFont.Assign(s.FFont);
    FPicture.Assign(&s.FPicture);
    FPictureDisabled.Assign(&s.FPictureDisabled);
    Changed();
}

// ---- step buttons ----

TTrackBarButtons::TTrackBarButtons(TCustomTrackBar* owner) : FAdvTrackBar(owner)
{
    FMinPicture.OnChange = [this](TPictureBytes*) { PictureChanged(); };
    FMaxPicture.OnChange = [this](TPictureBytes*) { PictureChanged(); };
}

void TTrackBarButtons::SetSize(int value)
{
    if (!FMinPicture.Empty() || !FMaxPicture.Empty() || value == FSize)
        return;
    FSize = value;
    Changed();
}

void TTrackBarButtons::MeasurePicture()
{
    if ((FMinPicture.Empty() && FMaxPicture.Empty()) || !FAdvTrackBar)
        return;
    TGDIPPicture& p = FMinPicture.Empty() ? FMaxPicture : FMinPicture;
    p.GetImageSizes();
    FSize = FAdvTrackBar->Orientation() == trVertical ? p.Height() : p.Width();
}

void TTrackBarButtons::PictureChanged()
{
    MeasurePicture();
    Changed();
}

void TTrackBarButtons::Assign(const TTrackBarButtons& s)
{
    if (&s == this)
        return;
    FColor = s.FColor;
    FColorTo = s.FColorTo;
    FColorHot = s.FColorHot;
    FColorHotTo = s.FColorHotTo;
    FColorDown = s.FColorDown;
    FColorDownTo = s.FColorDownTo;
    FColorMirror = s.FColorMirror;
    FColorMirrorTo = s.FColorMirrorTo;
    FColorMirrorHot = s.FColorMirrorHot;
    FColorMirrorHotTo = s.FColorMirrorHotTo;
    FColorMirrorDown = s.FColorMirrorDown;
    FColorMirrorDownTo = s.FColorMirrorDownTo;
    FBorderColor = s.FBorderColor;
    FBorderColorHot = s.FBorderColorHot;
    FBorderColorDown = s.FBorderColorDown;
    FInitRepeatPause = s.FInitRepeatPause;
    FRepeatPause = s.FRepeatPause;
    FRepeatClick = s.FRepeatClick;
    FStep = s.FStep;
    FRotateText = s.FRotateText;
    FVisible = s.FVisible;
    FSize = s.FSize;
    FShape = s.FShape;
    FSpacing = s.FSpacing;
    FCornerRadius = s.FCornerRadius;
    FMinPicture.Assign(&s.FMinPicture);
    FMaxPicture.Assign(&s.FMaxPicture);
    FMinPictureHot.Assign(&s.FMinPictureHot);
    FMinPictureDown.Assign(&s.FMinPictureDown);
    FMaxPictureHot.Assign(&s.FMaxPictureHot);
    FMaxPictureDown.Assign(&s.FMaxPictureDown);
    Changed();
}

// ---- value label ----

TTrackBarLabel::TTrackBarLabel()
{
    FFont.SetName(QStringLiteral("Tahoma"));
    FFont.OnChange = [this](fw::TFont*) { Changed(); };
}

void TTrackBarLabel::Assign(const TTrackBarLabel& s)
{
    if (&s == this)
        return;
    FVisible = s.FVisible;
    FFormat = s.FFormat;
    FPosition = s.FPosition;
    FFont.Assign(s.FFont);
    Changed();
}

} // namespace fx
