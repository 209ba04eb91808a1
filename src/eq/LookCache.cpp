#include "eq/LookCache.h"

#include <QGuiApplication>
#include <QPainter>

namespace eq
{

bool IsIdle(const QWidget& w)
{
    return !w.hasFocus() && !w.underMouse() && QGuiApplication::mouseButtons() == Qt::NoButton;
}

TLookKey WidgetLookKey(const QWidget& w)
{
    TLookKey k;
    k.V = {double(w.width()),           double(w.height()),
           double(w.isEnabled()),       double(w.palette().cacheKey()),
           double(w.layoutDirection()), double(reinterpret_cast<quintptr>(w.style()))};
    k.Font = w.font();
    return k;
}

void AddControlLook(TLookKey& k, const fw::TControl& c)
{
    const fw::TFont& f = c.Font();
    k.V.insert(k.V.end(), {double(c.Color()), double(c.Enabled()), double(f.Height()), double(f.Color()),
                           double(f.Style()), double(f.Charset()), double(f.Orientation())});
    k.S << f.Name() << c.Caption();
}

TLookKey LookKey(const sk::TSkComboBox& c)
{
    TLookKey k = WidgetLookKey(c);
    AddControlLook(k, c);
    k.V.insert(k.V.end(), {double(c.ItemIndex()), double(c.ReadOnly()), double(c.FrameVisible()),
                           double(c.FrameStyle()), double(c.FrameColor()), double(c.FlatButtons()),
                           double(c.FlatButtonColor()), double(c.DroppedDown())});
    k.S << c.Text();
    return k;
}

TLookKey LookKey(const sk::TSkButton& c)
{
    TLookKey k = WidgetLookKey(c);
    AddControlLook(k, c);
    k.V.insert(k.V.end(),
               {double(c.HotTrack()), double(c.HotTrackColor()), double(c.HighlightColor()),
                double(c.FrameColor()), double(c.ThemeAware()), double(c.TextStyle()),
                double(c.LightTextStyle()), double(c.TextHighlightColor()), double(c.TextShadowColor()),
                double(c.TextShadowDepth()), double(c.AlignmentVertical()), double(c.Alignment()),
                double(c.Default()), double(c.Down()), double(c.ShowDownPattern()), double(c.ShowFocusRect()),
                double(c.GroupIndex()), double(c.Transparent())});
    return k;
}

TLookKey LookKey(const sk::TSkLabel& c)
{
    TLookKey k = WidgetLookKey(c);
    AddControlLook(k, c);
    k.V.insert(k.V.end(), {double(c.Angle()),       double(c.Rotation()),       double(c.CenterPoint()),
                           double(c.TextStyle()),   double(c.LightTextStyle()), double(c.HighlightColor()),
                           double(c.ShadowColor()), double(c.ShadowDepth()),    double(c.TextMargin()),
                           double(c.BorderOuter()), double(c.BorderInner()),    double(c.BorderSides()),
                           double(c.BorderWidth()), double(c.BevelWidth()),     double(c.FlatColor()),
                           double(c.Alignment()),   double(c.Layout()),         double(c.Transparent()),
                           double(c.WordWrap()),    double(c.CurrentColor())});
    return k;
}

TLookKey LookKey(const QLineEdit& e)
{
    TLookKey k = WidgetLookKey(e);
    const QMargins m = e.textMargins();
    k.V.insert(k.V.end(),
               {double(e.alignment()), double(e.hasFrame()), double(e.isReadOnly()),
                double(e.cursorPosition()), double(e.selectionStart()), double(e.selectionLength()),
                double(e.echoMode()), double(m.left()), double(m.top()), double(m.right()),
                double(m.bottom()), double(e.isClearButtonEnabled())});
    k.S << e.displayText() << e.placeholderText();
    return k;
}

QImage& TLookCache::Begin(const QSize& size, qreal ratio)
{
    FImage = QImage(size * ratio, QImage::Format_ARGB32_Premultiplied);
    FImage.setDevicePixelRatio(ratio);
    FImage.fill(Qt::transparent);
    return FImage;
}

} // namespace eq
