#include "controls/smooth/SplashItems.h"

#include <algorithm>
#include <memory>

namespace fx
{

namespace
{
std::function<std::optional<TVersionStrings>()> FVersionReader;

gp::ARGB Argb(int opacity, fw::TColor c)
{
    return gp::ArgbFromColor(std::uint8_t(std::clamp(opacity, 0, 255)), c);
}
} // namespace

void SetVersionInfoReader(std::function<std::optional<TVersionStrings>()> reader)
{
    FVersionReader = std::move(reader);
}

TSplashHeadingText::TSplashHeadingText()
{
    FFont.SetName(QStringLiteral("Tahoma"));
}

void TSplashHeadingText::SetText(const QString& v)
{
    if (v == FText)
        return;
    FText = v;
    if (OnChange)
        OnChange(this);
}

void TSplashHeadingText::Assign(const TSplashHeadingText& s)
{
    if (&s == this)
        return;
    Angle = s.Angle;
    FText = s.FText;
    FFont.Assign(s.FFont);
    Location = s.Location;
    PosX = s.PosX;
    PosY = s.PosY;
    HatchStyle = s.HatchStyle;
    FPicture.Assign(&s.FPicture);
    ColorStart = s.ColorStart;
    ColorEnd = s.ColorEnd;
    OpacityStart = s.OpacityStart;
    OpacityEnd = s.OpacityEnd;
    GradientType = s.GradientType;
}

TBasicProgramInfo::TBasicProgramInfo()
{
    FName.Font().SetSize(14);
    FName.Font().SetStyle(fw::fsBold);
    FVersion.Font().SetSize(14);
    FVersion.PosX = 80;
    FVersion.PosY = 100;
    const auto changed = [this](TSplashHeadingText*) {
        if (OnChange)
            OnChange(this);
    };
    FName.OnChange = changed;
    FVersion.OnChange = changed;
}

void TBasicProgramInfo::ReadVersionInfo()
{
    if (!AutoLoad || !FVersionReader)
        return;
    const std::optional<TVersionStrings> v = FVersionReader();
    if (!v)
        return;
    CopyRight = v->CopyRight;
    FName.SetText(v->ProductName);
    FVersion.SetText(v->FileVersion);
}

bool TSplashItem::Assign(const TCollectionItem& source)
{
    const auto* s = dynamic_cast<const TSplashItem*>(&source);
    if (!s)
        return false;
    if (s == this)
        return true;
    Text = s->Text;
    ImageIndex = s->ImageIndex;
    Tag = s->Tag;
    FPicture.Assign(&s->FPicture);
    PosX = s->PosX;
    PosY = s->PosY;
    FFont.Assign(s->FFont);
    Visible = s->Visible;
    return true;
}

bool TSplashListItem::Assign(const TCollectionItem& source)
{
    const auto* s = dynamic_cast<const TSplashListItem*>(&source);
    if (!s)
        return false;
    HTMLText = s->HTMLText;
    Tag = s->Tag;
    ImageIndex = s->ImageIndex;
    return true;
}

bool TFxSplashTopLayerItem::Assign(const TCollectionItem& source)
{
    const auto* s = dynamic_cast<const TFxSplashTopLayerItem*>(&source);
    if (!s)
        return false;
    if (s == this)
        return true;
    Visible = s->Visible;
    Top = s->Top;
    Left = s->Left;
    HTMLText.Text = s->HTMLText.Text;
    HTMLText.Location = s->HTMLText.Location;
    HTMLText.Top = s->HTMLText.Top;
    HTMLText.Left = s->HTMLText.Left;
    HTMLText.URLColor = s->HTMLText.URLColor;
    HTMLText.ShadowColor = s->HTMLText.ShadowColor;
    HTMLText.ShadowOffset = s->HTMLText.ShadowOffset;
    HTMLText.Font.Assign(s->HTMLText.Font);
    FFill.Assign(s->FFill);
    Align = s->Align;
    Width = s->Width;
    Height = s->Height;
    return true;
}

// ---------------------------------------------------------------------------------------------------

QSize DrawHeadingText(gp::TGPGraphics* g, const QString& text, int x, int y, gdip::TextRenderingHint hint,
                      int angle, bool measureOnly, fw::TColor colorStart, fw::TColor colorEnd,
                      int opacityStart, int opacityEnd, int hatchStyle, const TFxGDIPPicture* picture,
                      gp::TFxGradientType gradientType, const fw::TFont& font)
{
    if (text.isEmpty() || !g)
        return {0, 0};
    std::unique_ptr<gp::TGPFont> f(gp::TGPGraphics::MakeFont(font));
    g->SetTextRenderingHint(hint);
    gp::TGPStringFormat format;
    format.SetAlignment(gdip::StringAlignmentNear);
    gp::TGPRectF box;
    g->MeasureString(text, int(text.size()), f.get(), {gp::REAL(x), gp::REAL(y), 1500, 500}, &format, box);
    const int w = gp::Round(box.Width), h = gp::Round(box.Height);
    if (measureOnly)
        return {w, h};
    const gp::ARGB start = Argb(opacityStart, colorStart), end = Argb(opacityEnd, colorEnd);
    if (colorEnd == fw::clNone && gradientType != gp::gtTexture && gradientType != gp::gtNone)
        gradientType = gp::gtSolid;
    const gp::REAL X = gp::REAL(x), Y = gp::REAL(y), W = gp::REAL(w), H = gp::REAL(h);
    std::unique_ptr<gp::TGPBrush> brush;
    std::unique_ptr<gp::TGPImage> image;
    switch (gradientType) {
    case gp::gtSolid:
        brush = std::make_unique<gp::TGPSolidBrush>(start);
        break;
    case gp::gtVertical:
        brush = std::make_unique<gp::TGPLinearGradientBrush>(gp::TGPPointF{X, Y}, gp::TGPPointF{X, Y + H},
                                                             start, end);
        break;
    case gp::gtHorizontal:
        brush = std::make_unique<gp::TGPLinearGradientBrush>(gp::TGPPointF{X, Y}, gp::TGPPointF{X + W, Y},
                                                             start, end);
        break;
    case gp::gtForwardDiagonal:
        brush = std::make_unique<gp::TGPLinearGradientBrush>(gp::TGPPointF{X, Y}, gp::TGPPointF{X + W, Y + H},
                                                             start, end);
        break;
    case gp::gtBackwardDiagonal:
        brush = std::make_unique<gp::TGPLinearGradientBrush>(gp::TGPPointF{X, Y + H}, gp::TGPPointF{X + W, Y},
                                                             end, start);
        break;
    case gp::gtAngle: {
        auto b = std::make_unique<gp::TGPLinearGradientBrush>(gp::TGPRectF{X, Y, W + 10, H + 10}, start, end,
                                                              gp::REAL(angle), true);
        b->SetGammaCorrection(true);
        brush = std::move(b);
        break;
    }
    case gp::gtHatch:
        brush = std::make_unique<gp::TGPHatchBrush>(hatchStyle, start, end);
        break;
    case gp::gtTexture:
        if (picture && !picture->Empty()) {
            image = std::make_unique<gp::TGPImage>(picture->Data());
            brush = std::make_unique<gp::TGPTextureBrush>(image.get(), gdip::WrapModeTile);
        }
        break;
    default:
        break;
    }
    if (brush)
        g->DrawString(text, int(text.size()), f.get(), {X, Y, gp::REAL(gp::Round(W + 10)), H + 10}, &format,
                      brush.get());
    return {w, h};
}

void DrawPicture(gp::TGPGraphics& g, int x, int y, const TFxGDIPPicture& picture)
{
    if (picture.Empty())
        return;
    gp::TGPBitmap image(picture.Data());
    const int w = int(image.GetWidth()), h = int(image.GetHeight());
    if (w <= 0 || h <= 0)
        return;
    const gp::TGPImageFormat format = image.GetFormat();
    // A photograph has no key colour: only pictures that can carry one are keyed.
    if (format == gp::ifPNG || format == gp::ifJPEG) {
        g.DrawImageRect(&image, x, y, w, h);
        return;
    }
    gp::ARGB key = 0;
    image.GetPixel(0, h - 1, key);
    gp::TGPImageAttributes attributes;
    attributes.SetColorKey(key, key);
    g.DrawImage(&image, {gp::REAL(x), gp::REAL(y), gp::REAL(w), gp::REAL(h)}, 0, 0, gp::REAL(w), gp::REAL(h),
                gdip::UnitPixel, &attributes);
}

// ---------------------------------------------------------------------------------------------------

fw::TRect ProgramInfoArea(int w, int h, const TGDIPFill& fill)
{
    fw::TRect r{0, 0, w - 1, h - 1};
    const int s = fill.BorderColor() != fw::clNone ? (fill.BorderWidth() + 1) / 2 : 0;
    const int o = fill.ShadowColor() != fw::clNone ? fill.ShadowOffset() : 0;
    r = {r.Left + s, r.Top + s, r.Right - s, r.Bottom - s};
    r.Right = r.Right - s - o;
    r.Bottom = r.Bottom - s - o;
    const int k = fill.Rounding() / 2;
    r = {r.Left + k, r.Top + k, r.Right - k, r.Bottom - k};
    r.Right -= 5;
    return r;
}

TProgramInfoPlaces PlaceProgramInfo(const fw::TRect& a, TItemLocation name, QSize n, TItemLocation version,
                                    QSize v, TItemLocation copyRight, QSize c, QPoint nameCustom,
                                    QPoint versionCustom, QPoint copyRightCustom)
{
    const int L = a.Left, T = a.Top, R = a.Right, B = a.Bottom;
    const auto centred = [&](int width) { return L + (R - L - width) / 2; };
    const int nw = n.width(), nh = n.height(), vw = v.width(), vh = v.height(), cw = c.width(),
              ch = c.height();
    TProgramInfoPlaces p;
    switch (name) {
    case ilTopLeft:
        p.Name = {L, T};
        break;
    case ilTopCenter:
        p.Name = {centred(nw), T};
        break;
    case ilTopRight:
        p.Name = {R - nw - (version == ilTopRight && vw > 0 ? vw + 1 : 0), T};
        break;
    case ilBottomLeft:
        p.Name = {L, B - nh - (copyRight == ilBottomLeft && ch > 0 ? ch + 3 : 0)};
        break;
    case ilBottomCenter:
        p.Name = {centred(nw), B - nh - (copyRight == ilBottomCenter ? ch + 3 + vh : 0)};
        break;
    case ilBottomRight:
        p.Name = {R - nw - (version == ilBottomRight && vw > 0 ? vw + 1 : 0),
                  B - nh - (copyRight == ilBottomRight && ch > 0 ? ch + 3 : 0)};
        break;
    case ilCustom:
        p.Name = nameCustom;
        break;
    }
    const int up = ch > 0 ? ch + 3 : 0;
    switch (version) {
    case ilTopLeft:
        p.Version = name == ilTopLeft && nw >= 1 ? QPoint(L + nw + 1, T + (nh - vh) / 2) : QPoint(L, T);
        break;
    case ilTopCenter:
        p.Version = {centred(vw), T + (name == ilTopCenter ? nh + vh : 0)};
        break;
    case ilTopRight:
        p.Version = {R - vw, T};
        break;
    case ilBottomLeft:
        p.Version = name == ilBottomLeft && nw > 0 ? QPoint(L + nw + 1, B - nh) : QPoint(L, B - vh);
        p.Version.ry() -= copyRight == ilBottomLeft ? up : 0;
        break;
    case ilBottomCenter:
        p.Version = {centred(vw), (nh < 1 ? B - vh : B - nh) - (copyRight == ilBottomCenter ? up : 0)};
        break;
    case ilBottomRight:
        p.Version = {R - vw, (nh < 1 ? B - vh : B - nh) - (copyRight == ilBottomRight ? up : 0)};
        break;
    case ilCustom:
        p.Version = versionCustom;
        break;
    }
    const auto below = [&](TItemLocation at) {
        if (name == at && nh > 0)
            return nh + 3;
        if (version == at && vh > 0)
            return vh + 3;
        return 0;
    };
    switch (copyRight) {
    case ilTopLeft:
        p.CopyRight = {L, T + below(ilTopLeft)};
        break;
    case ilTopCenter:
        p.CopyRight = {centred(cw), T + below(ilTopCenter)};
        break;
    case ilTopRight:
        p.CopyRight = {R - cw, T + below(ilTopRight)};
        break;
    case ilBottomLeft:
        p.CopyRight = {L, B - ch};
        break;
    case ilBottomCenter:
        p.CopyRight = {centred(cw), B - ch};
        break;
    case ilBottomRight:
        p.CopyRight = {R - cw, B - ch};
        break;
    case ilCustom:
        p.CopyRight = copyRightCustom;
        break;
    }
    return p;
}

std::vector<fw::TRect> StackListItems(const fw::TRect& rect, int space, const std::vector<int>& heights)
{
    std::vector<fw::TRect> out;
    const int width = rect.Right - rect.Left;
    int y = rect.Top;
    for (int h : heights) {
        out.push_back({rect.Left, y, rect.Left + width, y + h});
        y += h + space;
    }
    if (out.empty() || out.back().Bottom <= rect.Bottom)
        return out;
    int overflow = out.back().Bottom - rect.Bottom;
    std::size_t first = 0;
    while (overflow > 0 && first + 1 < out.size()) {
        overflow -= heights[first] + space;
        out[first] = {-1, -1, -1, -1};
        ++first;
    }
    const int shift = out[first].Top - rect.Top;
    for (std::size_t i = first; i < out.size(); ++i) {
        out[i].Top -= shift;
        out[i].Bottom -= shift;
    }
    return out;
}

fw::TRect TopLayerBox(TAlign align, int x, int y, int w, int h, int left, int top, int width, int height)
{
    const auto box = [](int bx, int by, int bw, int bh) { return fw::TRect{bx, by, bx + bw, by + bh}; };
    switch (align) {
    case alTop:
        return box(x, y, w - x, height);
    case alBottom:
        return box(x, y + h - height, w - x, height);
    case alLeft:
        return box(x, y, width, h);
    case alRight:
        return box(w - width, y, width, h);
    case alClient:
        return box(x, y, w - x, h);
    case alCustom:
        return box(x + left, y + top, width, height);
    case alNone:
        break;
    }
    return {0, 0, 0, 0};
}

QPoint TextOrigin(TFxSmoothSplashScreenLocation location, const fw::TRect& b, QSize t)
{
    const int bw = b.Right - b.Left, bh = b.Bottom - b.Top;
    const int col = int(location) % 3, row = int(location) / 3;
    const int dx = col == 0 ? 0 : col == 1 ? (bw - t.width()) / 2 : bw - t.width();
    const int dy = row == 0 ? 0 : row == 1 ? (bh - t.height()) / 2 : bh - t.height();
    return {b.Left + dx, b.Top + dy};
}

} // namespace fx
