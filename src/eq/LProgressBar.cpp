#include "eq/LProgressBar.h"

namespace eq
{

LProgressBar::LProgressBar(QWidget* parent) : TControl(parent)
{
    SetColor(fw::clBlack);
    resize(14, 132);
    Layout();
}

void LProgressBar::Layout()
{
    FLayoutW = Width();
    FLayoutH = Height();
    const int n = FState.Count();
    FBoxes.clear();
    for (int i = 0; i < n; ++i)
        FBoxes.push_back(SegmentBox(i, n, FLayoutW, FLayoutH));
}

void LProgressBar::Resized()
{
    if (Width() != FLayoutW || Height() != FLayoutH)
        Layout();
}

void LProgressBar::SetFirstNum(int v)
{
    if (v == FState.FirstNum())
        return;
    FState.SetCounts(v, FState.SecondNum(), FState.ThirdNum());
    Layout();
    update();
}

void LProgressBar::SetSecondNum(int v)
{
    if (v == FState.SecondNum())
        return;
    FState.SetCounts(FState.FirstNum(), v, FState.ThirdNum());
    Layout();
    update();
}

void LProgressBar::SetThirdNum(int v)
{
    if (v == FState.ThirdNum())
        return;
    FState.SetCounts(FState.FirstNum(), FState.SecondNum(), v);
    Layout();
    update();
}

void LProgressBar::SetUnlit(int zone, TColor v)
{
    if (FUnlit[zone] == v)
        return;
    FUnlit[zone] = v;
    FState.UnlightZone(zone);
    update();
}

void LProgressBar::SetLit(int zone, TColor v)
{
    if (FLitColour[zone] == v)
        return;
    FLitColour[zone] = v;
    update();
}

void LProgressBar::SetPosition(int v)
{
    if (FState.SetPosition(v))
        update();
}

TColor LProgressBar::SegmentColor(int i) const
{
    const int zone = FState.ZoneOf(i);
    return FState.Lit()[std::size_t(i)] ? FLitColour[zone] : FUnlit[zone];
}

void LProgressBar::PaintTo(fw::TCanvas& c, int dx, int dy) const
{
    c.Brush.Style = fw::bsSolid;
    c.Brush.Color = Color();
    c.FillRect(fw::Rect(dx, dy, dx + Width(), dy + Height()));
    // A meter that cannot show a level shows its background only.
    if (!FState.Drawable())
        return;
    c.Pen.Color = fw::clBlack;
    c.Pen.Width = 1;
    for (std::size_t i = 0; i < FBoxes.size(); ++i) {
        const TSegmentBox& b = FBoxes[i];
        c.Brush.Color = SegmentColor(int(i));
        c.Rectangle(dx + b.Left, dy + b.Top, dx + b.Left + b.Width, dy + b.Top + b.Height);
    }
}

void LProgressBar::Paint(fw::TCanvas& canvas)
{
    if (Width() != FLayoutW || Height() != FLayoutH)
        Layout();
    PaintTo(canvas);
}

void ConfigureInputMeter(LProgressBar& m)
{
    m.SetFirstNum(1);
    m.SetSecondNum(2);
    m.SetThirdNum(6);
    m.SetMax(9);
}

void ConfigureOutputMeter(LProgressBar& m)
{
    m.SetFirstNum(1);
    m.SetSecondNum(3);
    m.SetThirdNum(4);
    m.SetMax(8);
}

void ConfigureLamp(LProgressBar& m)
{
    m.SetFirstNum(0);
    m.SetSecondNum(1);
    m.SetThirdNum(0);
    m.SetMax(1);
    m.SetSecondColor(fw::RGB(155, 78, 0));
    m.SetLSecondColor(fw::RGB(255, 163, 70));
}

} // namespace eq
