#include "chart/component/ChartDraw.h"

#include "chart/core/ChartError.h"
#include "framework/Control.h"
#include "framework/Fonts.h"
#include "platform/WholeFile.h"

#include <QGuiApplication>
#include <QImage>
#include <QTabWidget>
#include <algorithm>
#include <cmath>

namespace chart
{

using namespace fw;

unsigned TextLayoutToDrawTextFlags(std::uint16_t layout)
{
    static const unsigned map[16] = {
        DT_LEFT,         DT_CENTER,        DT_RIGHT,         DT_TOP,         DT_VCENTER, DT_BOTTOM,
        DT_WORDBREAK,    DT_SINGLELINE,    DT_EXPANDTABS,    DT_NOCLIP,      0,          DT_CALCRECT,
        DT_END_ELLIPSIS, DT_PATH_ELLIPSIS, DT_WORD_ELLIPSIS, DT_MODIFYSTRING};
    unsigned flags = 0;
    for (int bit = 0; bit < 16; ++bit)
        if (layout & (1u << bit))
            flags |= map[bit];
    if (!(layout & (1u << 10)))
        flags |= DT_NOPREFIX;
    return flags;
}

TColor ShiftColor(TColor color, int amount, bool lighten)
{
    const TColor c = ColorToRGB(color);
    const int d = lighten ? amount : -amount;
    auto ch = [&](int v) { return std::clamp(v + d, 0, 255); };
    return RGB(ch(GetRValue(c)), ch(GetGValue(c)), ch(GetBValue(c)));
}

int DrawTextInRect(TCanvas& Canvas, const QString& Text, TRect& Rect, unsigned Flags, bool Enabled,
                   TColor BackGroundColor)
{
    if (Enabled || (Flags & DT_CALCRECT) || ColorToRGB(BackGroundColor) == 0)
        return Canvas.DrawText(Text, Rect, Flags);
    const TColor keep = Canvas.Font.Color();
    Canvas.Font.SetColor(ShiftColor(clBtnFace, 64, true));
    TRect shifted = Rect;
    OffsetRect(shifted, 1, 1);
    Canvas.DrawText(Text, shifted, Flags);
    Canvas.Font.SetColor(ShiftColor(clBtnFace, 32, false));
    const int h = Canvas.DrawText(Text, Rect, Flags);
    Canvas.Font.SetColor(keep);
    return h;
}

void DrawRotatedText(TCanvas& Canvas, const QString& Text, const TRect& Rect, TcRotationAngle Rotation,
                     TcAlignmentHorizontal Alignment, bool Enabled, TColor BackGroundColor, TRect& DrawnRect)
{
    const int cx = (Rect.Left + Rect.Right) / 2, cy = (Rect.Top + Rect.Bottom) / 2;
    const int W = Canvas.TextWidth(Text), H = GetTextHeight(Canvas, Text);
    if (Rotation == ira000) {
        std::uint16_t layout = 528;
        layout |= Alignment == iahCenter ? 2 : Alignment == iahLeft ? 1 : 4;
        if (!Text.contains(QLatin1Char('\r')))
            layout |= 128;
        TRect r = Rect;
        DrawTextInRect(Canvas, Text, r, TextLayoutToDrawTextFlags(layout), Enabled, BackGroundColor);
        DrawnRect = {cx - W / 2, cy - H / 2, cx + W / 2, cy + H / 2};
        return;
    }
    TPoint ref;
    if (Rotation == ira090) {
        ref = {cx - H / 2, cy + W / 2};
        DrawnRect = {cx - H / 2, cy - W / 2, cx + H / 2, cy + W / 2};
    } else if (Rotation == ira180) {
        ref = {cx + W / 2, cy + H / 2};
        DrawnRect = {cx - W / 2, cy - H / 2, cx + W / 2, cy + H / 2};
    } else {
        ref = {cx - H / 2 + H, cy - W / 2};
        DrawnRect = {cx - H / 2, cy - W / 2, cx + H / 2, cy + W / 2};
    }
    const int keep = Canvas.Font.Orientation();
    Canvas.Font.SetOrientation(Rotation == ira090 ? 900 : Rotation == ira180 ? 1800 : 2700);
    TRect r{ref.X, ref.Y, ref.X, ref.Y};
    try {
        DrawTextInRect(Canvas, Text, r, TextLayoutToDrawTextFlags(649), Enabled, BackGroundColor);
    } catch (...) {
        Canvas.Font.SetOrientation(keep);
        throw;
    }
    Canvas.Font.SetOrientation(keep);
}

namespace
{

// How a gradient steps for a direction: the number of steps, the pen width and whether it runs from
// the stop colour.
struct GradientSteps {
    int n = 0, width = 1;
    bool reversed = false;
};

GradientSteps StepsFor(TcFillDirection Direction, int W, int H, int M)
{
    switch (Direction) {
    case ifdTopBottom:
    case ifdBottomTop:
        return {H - 1, 1, Direction == ifdBottomTop};
    case ifdLeftRight:
    case ifdRightLeft:
        return {W - 1, 1, Direction == ifdRightLeft};
    case ifdTopLeftBottomRight:
    case ifdBottomRightTopLeft:
    case ifdBottomLeftTopRight:
    case ifdTopRightBottomLeft:
        return {2 * (M - 1), 1, Direction == ifdBottomRightTopLeft || Direction == ifdTopRightBottomLeft};
    case ifdRectangleOut:
    case ifdRectangleIn:
        return {(M - 1) / 3, 2, Direction == ifdRectangleIn};
    case ifdCircleOut:
    case ifdCircleIn:
        return {(M - 1) / 8, 16, Direction == ifdCircleIn};
    }
    return {};
}

// One step of the gradient at fraction t, in the current pen.
void DrawGradientStep(TCanvas& Canvas, const TRect& Rect, TcFillDirection Direction, int i, double t)
{
    const double a = (Rect.Right - 1) / 2.0, b = (Rect.Bottom - 1) / 2.0;
    switch (Direction) {
    case ifdTopBottom:
    case ifdBottomTop:
        Canvas.MoveTo(Rect.Left, Rect.Top + i);
        Canvas.LineTo(Rect.Right, Rect.Top + i);
        break;
    case ifdLeftRight:
    case ifdRightLeft:
        Canvas.MoveTo(Rect.Left + i, Rect.Top);
        Canvas.LineTo(Rect.Left + i, Rect.Bottom);
        break;
    case ifdTopLeftBottomRight:
    case ifdBottomRightTopLeft:
        Canvas.MoveTo(RoundInt(2 * t * (Rect.Right - 1)) - 1, 0);
        Canvas.LineTo(-1, RoundInt(2 * t * (Rect.Bottom - 1)));
        break;
    case ifdBottomLeftTopRight:
    case ifdTopRightBottomLeft:
        Canvas.MoveTo(0, (Rect.Bottom - 1) - RoundInt(2 * t * (Rect.Bottom - 1)));
        Canvas.LineTo(RoundInt(2 * t * (Rect.Right - 1)), Rect.Bottom - 1);
        break;
    case ifdRectangleOut:
    case ifdRectangleIn:
        Canvas.Rectangle(RoundInt(a - t * a), RoundInt(b + t * b), RoundInt(a + t * a), RoundInt(b - t * b));
        break;
    case ifdCircleOut:
    case ifdCircleIn: {
        const double s = 1.414 * t;
        Canvas.Ellipse(RoundInt(a - s * a), RoundInt(b + s * b), RoundInt(a + s * a), RoundInt(b - s * b));
        break;
    }
    }
}

} // namespace

void FillGradient(TCanvas& Canvas, const TRect& Rect, TcFillDirection Direction, TColor StartColor,
                  TColor StopColor)
{
    const int W = Rect.Right - Rect.Left, H = Rect.Bottom - Rect.Top;
    const int M = std::max(Rect.Right, Rect.Bottom);
    Canvas.Brush.Style = bsClear;
    const GradientSteps steps = StepsFor(Direction, W, H, M);
    const int n = steps.n;
    if (n <= 0)
        return;
    const TColor A = steps.reversed ? StopColor : StartColor, B = steps.reversed ? StartColor : StopColor;
    Canvas.Pen.Width = steps.width;
    Canvas.Pen.Style = psSolid;
    for (int i = 0; i <= n; ++i) {
        const double t = double(i) / n;
        auto mix = [&](int ca, int cb) { return RoundInt(t * cb + (1 - t) * ca); };
        Canvas.Pen.Color = RGB(mix(GetRValue(A), GetRValue(B)), mix(GetGValue(A), GetGValue(B)),
                               mix(GetBValue(A), GetBValue(B)));
        DrawGradientStep(Canvas, Rect, Direction, i, t);
    }
    if (Direction == ifdRectangleOut || Direction == ifdRectangleIn)
        Canvas.SetPixel(W / 2 + Rect.Left - 1, H / 2 + Rect.Top - 1,
                        Direction == ifdRectangleOut ? StartColor : StopColor);
}

void DrawButtonFrame(TCanvas& Canvas, const TRect& Rect, int Style)
{
    auto edge = [&](const TRect& r, TColor topLeft, TColor bottomRight) {
        Canvas.Pen.Style = psSolid;
        Canvas.Pen.Width = 1;
        Canvas.Pen.Color = topLeft;
        Canvas.MoveTo(r.Left, r.Bottom - 1);
        Canvas.LineTo(r.Left, r.Top);
        Canvas.LineTo(r.Right - 1, r.Top);
        Canvas.Pen.Color = bottomRight;
        Canvas.LineTo(r.Right - 1, r.Bottom - 1);
        Canvas.LineTo(r.Left - 1, r.Bottom - 1);
    };
    TRect inner = Rect;
    InflateRect(inner, -1, -1);
    if (Style == 0) {
        edge(Rect, clBtnShadow, clBtnHighlight);
        edge(inner, cl3DDkShadow, cl3DLight);
    } else if (Style == 1) {
        edge(Rect, cl3DLight, cl3DDkShadow);
        edge(inner, clBtnHighlight, clBtnShadow);
    } else if (Style == 2) {
        Canvas.Pen.Style = psSolid;
        Canvas.Pen.Width = 1;
        Canvas.Pen.Color = clBtnShadow;
        Canvas.Polygon({{Rect.Left, Rect.Top},
                        {Rect.Right - 1, Rect.Top},
                        {Rect.Right - 1, Rect.Bottom - 1},
                        {Rect.Left, Rect.Bottom - 1}});
    }
}

void DrawFocusRectangle(TCanvas& Canvas, const TRect& Rect)
{
    Canvas.DrawFocusRect(Rect);
}

int GetMaxLineWidth(TCanvas& Canvas, const QString& Text)
{
    int w = 0;
    TextLineIterator it(Text);
    QString line;
    while (it.Next(line))
        w = std::max(w, Canvas.TextWidth(line));
    return w;
}

int GetTextHeight(TCanvas& Canvas, const QString& Text)
{
    const int lines = std::max<int>(1, TextLines(Text).size());
    return lines * Canvas.TextHeight(Text);
}

int WrappedTextHeight(TCanvas& Canvas, const QString& Text, int Width)
{
    TRect r{0, 0, Width, 0};
    return Canvas.DrawText(Text, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
}

TRect RectFromCorners(int X1, int Y1, int X2, int Y2)
{
    return {std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
}

namespace
{
std::function<bool(bool)>& KeySource()
{
    static std::function<bool(bool)> source;
    return source;
}
bool KeyDown(bool control)
{
    if (KeySource())
        return KeySource()(control);
    if (!qGuiApp)
        return false;
    const auto mods = QGuiApplication::queryKeyboardModifiers();
    return control ? mods.testFlag(Qt::ControlModifier) : mods.testFlag(Qt::ShiftModifier);
}
} // namespace

bool IsShiftKeyDown()
{
    return KeyDown(false);
}
bool IsControlKeyDown()
{
    return KeyDown(true);
}
void SetKeyStateSource(std::function<bool(bool control)> source)
{
    KeySource() = std::move(source);
}

QWidget* GetOwnerForm(const QObject* Component)
{
    QWidget* outermost = nullptr;
    for (QObject* o = Component ? Component->parent() : nullptr; o; o = o->parent()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w)
            continue;
        if (dynamic_cast<TForm*>(w) || w->isWindow())
            return w;
        outermost = w;
    }
    return outermost;
}

void SetFocusTo(QWidget* Control)
{
    if (Control)
        Control->setFocus(Qt::OtherFocusReason);
}

void SetActivePageIndex(QTabWidget* Pages, int Index)
{
    if (Pages && Index >= 0 && Index < Pages->count())
        Pages->setCurrentIndex(Index);
}

int GetActivePageIndex(const QTabWidget* Pages)
{
    return Pages ? Pages->currentIndex() : -1;
}

bool LoadImageFile(const QString& FileName, QImage& Image, QString* Error)
{
    std::vector<std::uint8_t> bytes;
    const std::string failure = platform::ReadFileLimited(FileName.toStdString(), MaxImageFileSize, bytes);
    QImage image;
    if (failure.empty())
        image.loadFromData(bytes.data(), int(bytes.size()));
    if (image.isNull()) {
        if (Error)
            *Error = QStringLiteral("Cannot open file \"%1\"").arg(FileName) +
                     (failure.empty() ? QString() : QStringLiteral(" - ") + QString::fromStdString(failure));
        return false;
    }
    Image = image;
    return true;
}

} // namespace chart
