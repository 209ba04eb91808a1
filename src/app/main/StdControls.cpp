#include "app/main/StdControls.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPointer>

namespace app
{

TRadioButton::TRadioButton(QWidget* parent) : TControl(parent)
{
    SetColor(fw::clNone);
    setCursor(Qt::PointingHandCursor);
}

void TRadioButton::SetChecked(bool value)
{
    if (value == FChecked)
        return;
    FChecked = value;
    update();
    if (!value)
        return;
    if (parentWidget())
        for (auto* w : parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (auto* sibling = dynamic_cast<TRadioButton*>(w);
                sibling && sibling != this && sibling->FChecked) {
                sibling->FChecked = false;
                sibling->update();
            }
    if (OnClick)
        OnClick(this);
}

void TRadioButton::MouseUp(fw::TMouseButton Button, fw::TShiftState, int X, int Y)
{
    if (Button == fw::mbLeft && X >= 0 && Y >= 0 && X < Width() && Y < Height())
        SetChecked(true);
}

void TRadioButton::Paint(fw::TCanvas& Canvas)
{
    QPainter& p = Canvas.Painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const int d = 12;
    const int y = (Height() - d) / 2;
    p.setPen(QColor(200, 200, 200));
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QRectF(1.5, y + 0.5, d, d));
    if (FChecked) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 230, 0));
        p.drawEllipse(QRectF(4.5, y + 3.5, d - 6, d - 6));
    }
    p.restore();
    Canvas.Font.Assign(Font());
    Canvas.Brush.Style = fw::bsClear;
    Canvas.TextOut(d + 6, (Height() - Canvas.TextHeight(Caption())) / 2, Caption());
}

TNameLabel::TNameLabel(QWidget* parent) : TControl(parent)
{
    SetColor(fw::clNone);
}

QRect TNameLabel::TextArea() const
{
    QRect r = rect();
    if (Frame && Frame->parentWidget() == parentWidget())
        r &= Frame->geometry().translated(-pos()).adjusted(3, 2, -3, -2); // within the frame's border
    return r;
}

QString TNameLabel::ShownText() const
{
    const QFontMetrics fm(Font().ToQFont());
    return fm.elidedText(Caption(), Qt::ElideRight, std::max(0, TextArea().width() - 4));
}

void TNameLabel::UpdateHint()
{
    SetHint(ShownText() == Caption() ? QString() : Caption());
}

void TNameLabel::TextChanged()
{
    UpdateHint();
    update();
}

void TNameLabel::Resized()
{
    UpdateHint();
}

void TNameLabel::Paint(fw::TCanvas& Canvas)
{
    const QRect area = TextArea();
    if (area.isEmpty())
        return;
    UpdateHint(); // the frame may have moved since the last change
    QPainter& p = Canvas.Painter();
    p.save();
    p.fillRect(area, Qt::white);
    p.setFont(Font().ToQFont());
    p.setPen(fw::ToQColor(Font().Color()));
    p.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, ShownText());
    p.restore();
}

TUpDown::TUpDown(QWidget* parent) : TControl(parent) {}

void TUpDown::SetPosition(int value)
{
    value = std::clamp(value, Min, Max);
    if (value == FPosition)
        return;
    bool allow = true;
    QPointer<TUpDown> guard(this);
    if (OnChangingEx)
        OnChangingEx(this, allow, value);
    if (!guard || !allow)
        return;
    FPosition = value;
    update();
}

void TUpDown::MouseDown(fw::TMouseButton Button, fw::TShiftState, int, int Y)
{
    if (Button != fw::mbLeft)
        return;
    SetPosition(FPosition + (Y < Height() / 2 ? Increment : -Increment));
    if (OnClick)
        OnClick(this);
}

void TUpDown::Paint(fw::TCanvas& Canvas)
{
    QPainter& p = Canvas.Painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const int h = Height() / 2;
    for (int half = 0; half < 2; ++half) {
        const QRectF r(0.5, half * h + 0.5, Width() - 1, h - 1);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(110, 110, 110));
        g.setColorAt(1, QColor(60, 60, 60));
        p.setPen(QColor(20, 20, 20));
        p.setBrush(g);
        p.drawRoundedRect(r, 2, 2);
        const double cx = Width() / 2.0, cy = half * h + h / 2.0;
        const double s = std::min(Width(), h) * 0.22;
        QPolygonF tri;
        if (half == 0)
            tri << QPointF(cx - s * 1.3, cy + s * 0.7) << QPointF(cx + s * 1.3, cy + s * 0.7)
                << QPointF(cx, cy - s * 0.8);
        else
            tri << QPointF(cx - s * 1.3, cy - s * 0.7) << QPointF(cx + s * 1.3, cy - s * 0.7)
                << QPointF(cx, cy + s * 0.8);
        p.setPen(Qt::NoPen);
        p.setBrush(Enabled() ? QColor(230, 230, 230) : QColor(130, 130, 130));
        p.drawPolygon(tri);
    }
    p.restore();
}

TImage::TImage(QWidget* parent) : TControl(parent)
{
    SetColor(fw::clNone);
}

void TImage::SetPicture(const QImage& image)
{
    FPicture = image;
    update();
}

void TImage::Paint(fw::TCanvas& Canvas)
{
    if (FPicture.isNull())
        return;
    if (Stretch)
        Canvas.StretchDraw(ClientRect(), FPicture);
    else
        Canvas.Draw(0, 0, FPicture);
}

TShape::TShape(QWidget* parent) : TControl(parent)
{
    SetColor(fw::clNone);
}

void TShape::Paint(fw::TCanvas& Canvas)
{
    QPainter& p = Canvas.Painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(fw::ToQColor(BorderColor), 1.5));
    p.setBrush(Color() == fw::clNone ? QBrush(Qt::NoBrush) : QBrush(fw::ToQColor(Color())));
    p.drawRoundedRect(QRectF(1, 1, Width() - 2, Height() - 2), Rounding, Rounding);
    p.restore();
}

TPaintBox::TPaintBox(QWidget* parent) : TControl(parent)
{
    SetColor(fw::clNone);
}

void TPaintBox::Paint(fw::TCanvas& Canvas)
{
    if (OnPaint)
        OnPaint(this, Canvas);
}

} // namespace app
