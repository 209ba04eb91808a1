#include "controls/smooth/OfficeImage.h"

namespace fx
{

void TFxHintInfo::Assign(const TFxHintInfo& s)
{
    if (&s == this)
        return;
    Title = s.Title;
    Notes = s.Notes;
    ShowHelp = s.ShowHelp;
    FPicture.Assign(&s.FPicture);
    WideTitle = s.WideTitle;
    WideNotes = s.WideNotes;
}

TFxOfficeImage::TFxOfficeImage(QWidget* parent) : TControl(parent)
{
    SetBounds(Left(), Top(), 128, 128);
    SetShowHint(false);
    FIPicture.OnChange = [this](TPictureBytes*) { update(); };
}

void TFxOfficeImage::SetPicture(const TGDIPPicture* p)
{
    FIPicture.Assign(p);
    update();
}

void TFxOfficeImage::SetCenter(bool v)
{
    if (v == FCenter)
        return;
    FCenter = v;
    update();
}

void TFxOfficeImage::SetStretch(bool v)
{
    if (v == FStretch)
        return;
    FStretch = v;
    update();
}

fw::TRect TFxOfficeImage::PictureRect()
{
    if (FIPicture.Empty())
        return {};
    FIPicture.GetImageSizes();
    if (FStretch)
        return ClientRect();
    int x = 0, y = 0;
    if (FCenter) {
        x = (Width() - FIPicture.Width()) / 2;
        y = (Height() - FIPicture.Height()) / 2;
    }
    return fw::Bounds(x, y, FIPicture.Width(), FIPicture.Height());
}

void TFxOfficeImage::Paint(fw::TCanvas& Canvas)
{
    PaintPicture(Canvas);
}

void TFxOfficeImage::PaintPicture(fw::TCanvas& Canvas)
{
    if (FIPicture.Empty())
        return; // an empty image draws nothing at run time
    FIPicture.Draw(Canvas, PictureRect());
}

} // namespace fx
