#include "chart/objects/PlotToolBar.h"

#include "chart/axes/PlotAxis.h"
#include "chart/objects/MasterManager.h"
#include "chart/objects/PlotDataCursor.h"

#include <QPainter>
#include <QPainterPath>

namespace chart
{

using namespace fw;

namespace
{

// The ink and the shapes that several pictograms share.
struct PictogramInk {
    QPainter& p;
    // Before the pen, which is made from the ink.
    const QColor ink{40, 40, 48}, green{20, 140, 40}, blue{30, 90, 190}, red{190, 40, 40},
        paper{250, 250, 245};
    QPen pen;

    explicit PictogramInk(QPainter& painter) : p(painter), pen(ink, 1.6)
    {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
    }
    void Glass(double cx, double cy, double r)
    {
        p.setBrush(QColor(220, 235, 250));
        p.drawEllipse(QPointF(cx, cy), r, r);
        p.setPen(QPen(ink, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(cx + r * 0.7, cy + r * 0.7), QPointF(cx + r * 1.6, cy + r * 1.6));
        p.setPen(pen);
    }
    void Sheet(double x, double y, double w, double h)
    {
        p.setBrush(paper);
        p.drawRect(QRectF(x, y, w, h));
    }
    void ArrowHead(QPointF tip, QPointF dir)
    {
        const QPointF n(-dir.y(), dir.x());
        QPolygonF head{tip, tip - dir * 3.5 + n * 2.5, tip - dir * 3.5 - n * 2.5};
        p.setBrush(ink);
        p.drawPolygon(head);
    }
};

// The run, scroll, zoom, select and cursor pictograms; false for another name.
bool DrawViewPictogram(PictogramInk& k, const QString& name)
{
    QPainter& p = k.p;
    if (name == "AUTO") {
        p.setBrush(k.green);
        p.drawPolygon(QPolygonF{QPointF(7, 5), QPointF(19, 12), QPointF(7, 19)});
    } else if (name == "PAUSE") {
        p.setBrush(k.blue);
        p.drawRect(QRectF(6.5, 5, 4, 14));
        p.drawRect(QRectF(13.5, 5, 4, 14));
    } else if (name == "SCROLL") {
        p.drawLine(QPointF(4, 12), QPointF(20, 12));
        p.drawLine(QPointF(12, 4), QPointF(12, 20));
        k.ArrowHead({3, 12}, {-1, 0});
        k.ArrowHead({21, 12}, {1, 0});
        k.ArrowHead({12, 3}, {0, -1});
        k.ArrowHead({12, 21}, {0, 1});
    } else if (name == "ZOOM") {
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(8, 8, 8, 8));
        p.drawLine(QPointF(4, 4), QPointF(8, 8));
        p.drawLine(QPointF(20, 20), QPointF(16, 16));
        k.ArrowHead({3.5, 3.5}, {-0.707, -0.707});
        k.ArrowHead({20.5, 20.5}, {0.707, 0.707});
    } else if (name == "ZOOMIN" || name == "ZOOMOUT") {
        k.Glass(10, 10, 6);
        p.setPen(QPen(k.ink, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7, 10), QPointF(13, 10));
        if (name == "ZOOMIN")
            p.drawLine(QPointF(10, 7), QPointF(10, 13));
    } else if (name == "SELECT") {
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF{QPointF(7, 3), QPointF(7, 19), QPointF(11, 15), QPointF(14, 21),
                                QPointF(16.5, 20), QPointF(13.5, 14), QPointF(18.5, 14)});
    } else if (name == "SCROLLBOX") {
        QPen dash(k.ink, 1.4, Qt::DashLine);
        p.setPen(dash);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(3.5, 3.5, 13, 11));
        p.setPen(k.pen);
        k.Glass(15, 14, 4.2);
    } else if (name == "CURSOR") {
        p.setPen(QPen(k.red, 1.6));
        p.drawLine(QPointF(9, 3), QPointF(9, 21));
        p.setPen(k.pen);
        p.setBrush(QColor(255, 250, 200));
        p.drawRect(QRectF(11.5, 7.5, 9, 7));
        p.drawLine(QPointF(13.5, 11), QPointF(18.5, 11));
    } else {
        return false;
    }
    return true;
}

// The properties, copy, save, print and preview pictograms; false for another name.
bool DrawFilePictogram(PictogramInk& k, const QString& name)
{
    QPainter& p = k.p;
    if (name == "PROPERTIES") {
        k.Sheet(5.5, 3.5, 13, 17);
        p.setPen(QPen(k.blue, 1.4));
        for (double y : {8.0, 11.5, 15.0})
            p.drawLine(QPointF(8, y), QPointF(16, y));
    } else if (name == "COPY") {
        k.Sheet(3.5, 3.5, 10, 12);
        k.Sheet(9.5, 8.5, 10, 12);
    } else if (name == "SAVE") {
        p.setBrush(k.blue);
        p.drawRoundedRect(QRectF(4, 4, 16, 16), 1.5, 1.5);
        p.setBrush(k.paper);
        p.drawRect(QRectF(7, 4, 10, 6));
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(QRectF(7.5, 13.5, 9, 6.5));
    } else if (name == "PRINTER") {
        k.Sheet(7.5, 3.5, 9, 6);
        p.setBrush(QColor(170, 170, 180));
        p.drawRoundedRect(QRectF(3.5, 9.5, 17, 8), 1.5, 1.5);
        k.Sheet(7.5, 14.5, 9, 6);
    } else if (name == "PREVIEW") {
        k.Sheet(4.5, 3.5, 11, 15);
        k.Glass(14, 13, 4.2);
    } else {
        return false;
    }
    return true;
}

// Our button pictures: simple pictograms in dark grey with coloured accents, on transparency,
// drawn in a 24-unit box and scaled to the picture's size.
QImage Pictogram(const QString& name, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    PictogramInk ink(p);
    if (!DrawViewPictogram(ink, name) && !DrawFilePictogram(ink, name))
        return {};
    return image;
}

} // namespace

QImage ToolBarPicture(const QString& Name)
{
    if (Name.startsWith(QStringLiteral("SMALL")))
        return Pictogram(Name.mid(5), 16);
    return Pictogram(Name, 24);
}

// TcPlotToolBarButton.

TcPlotToolBarButton::TcPlotToolBarButton(TcPlotOwner* AOwner, TcPlotToolBar* ToolBar,
                                         TcPlotToolBarButtonStyle Style, TcPlotToolBarButtonType Type,
                                         const QString& Hint, const QString& ImageName, int GroupIndex)
    : TcPlotButton(AOwner), FToolBar(ToolBar), FStyle(Style), FType(Type), FHint(Hint), FImageName(ImageName)
{
    SetGroupIndex(GroupIndex);
    // What the toolbar's drawing sets on its buttons (spacers, enabled states) asks for no repaint.
    FHandlers.OnChange = [ToolBar](TcPersistent*) {
        if (!ToolBar->Drawing())
            ToolBar->DoChange();
    };
}

void TcPlotToolBarButton::DrawEdge(TCanvas& Canvas, bool Lowered)
{
    const TRect r = DrawRect();
    const TColor topLeft = Lowered ? clBtnShadow : clBtnHighlight;
    const TColor bottomRight = Lowered ? clBtnHighlight : clBtnShadow;
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 1;
    Canvas.Pen.Color = topLeft;
    Canvas.MoveTo(r.Left, r.Bottom - 1);
    Canvas.LineTo(r.Left, r.Top);
    Canvas.LineTo(r.Right - 1, r.Top);
    Canvas.Pen.Color = bottomRight;
    Canvas.LineTo(r.Right - 1, r.Bottom - 1);
    Canvas.LineTo(r.Left, r.Bottom - 1);
}

void TcPlotToolBarButton::Draw(TCanvas& Canvas, TColor)
{
    if (FStyle == iptbbsSpacer)
        return;
    TCustomImageList& images = FToolBar->Images();
    if (FImageIndex < 0 && !FImageName.isEmpty()) {
        const QImage picture = ToolBarPicture(FImageName);
        if (picture.isNull())
            throw EChartError(QStringLiteral("Resource %1 not found").arg(FImageName));
        FImageIndex = images.Add(picture);
    }
    const TRect r = DrawRect();
    const bool pressed = Pressed();
    const TColor lightGrey = 0xEFEFEF; // white less 0x101010 a channel
    Canvas.Brush.Style = bsSolid;
    if (FFlat) {
        if (pressed && !FMouseOver) {
            Canvas.Brush.Color = lightGrey;
            Canvas.FillRect(r);
        }
        if (Enabled() && pressed)
            DrawEdge(Canvas, true);
        else if (Enabled() && FMouseOver)
            DrawEdge(Canvas, false);
    } else if (pressed) {
        Canvas.Brush.Color = lightGrey;
        Canvas.FillRect(r);
        DrawEdge(Canvas, true);
    } else {
        DrawEdge(Canvas, false);
    }
    const int off = pressed ? 1 : 0;
    const int x = (r.Left + r.Right - images.Width()) / 2 + off;
    const int y = (r.Top + r.Bottom - images.Height()) / 2 + off;
    images.Draw(Canvas, x, y, FImageIndex, Enabled());
}

void TcPlotToolBarButton::iMouseMove(TcHintData& Hint, TShiftState Shift, int X, int Y, int ScreenX,
                                     int ScreenY, bool DblClickActive)
{
    if (!FMouseOver) {
        FMouseOver = true;
        if (FFlat)
            DoChange();
    }
    TcPlotButton::iMouseMove(Hint, Shift, X, Y, ScreenX, ScreenY, DblClickActive);
}

void TcPlotToolBarButton::DoMouseNotOver()
{
    if (!FMouseOver)
        return;
    FMouseOver = false;
    DoChange();
}

void TcPlotToolBarButton::DoMouseHint(const TcPlotMouseData&, TcHintData& Hint)
{
    Hint.Text = TranslateText(FHint);
    const TRect r = DrawRect();
    Hint.Left = r.Left;
    Hint.Top = r.Bottom + 3;
    const TextMetrics& m = CurrentTextMetrics();
    const QFont font;
    Hint.Width = m.Width(font, Hint.Text) + 4;
    Hint.Height = m.Height(font) + 4;
}

// TcPlotToolBar.

const TPropertyTable& TcPlotToolBar::PropertyTable() const
{
    using B = TcPlotToolBar;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotLayoutObject::ClassTable());
        t.Redeclare("Horizontal", QStringLiteral("1"));
        t.Boolean("ShowResumeButton", &B::ShowResumeButton, &B::SetShowResumeButton, true);
        t.Boolean("ShowPauseButton", &B::ShowPauseButton, &B::SetShowPauseButton, true);
        t.Boolean("ShowAxesModeButtons", &B::ShowAxesModeButtons, &B::SetShowAxesModeButtons, true);
        t.Boolean("ShowZoomInOutButtons", &B::ShowZoomInOutButtons, &B::SetShowZoomInOutButtons, true);
        t.Boolean("ShowSelectButton", &B::ShowSelectButton, &B::SetShowSelectButton, false);
        t.Boolean("ShowZoomBoxButton", &B::ShowZoomBoxButton, &B::SetShowZoomBoxButton, true);
        t.Boolean("ShowCursorButton", &B::ShowCursorButton, &B::SetShowCursorButton, true);
        t.Boolean("ShowEditButton", &B::ShowEditButton, &B::SetShowEditButton, true);
        t.Boolean("ShowCopyButton", &B::ShowCopyButton, &B::SetShowCopyButton, true);
        t.Boolean("ShowSaveButton", &B::ShowSaveButton, &B::SetShowSaveButton, true);
        t.Boolean("ShowPrintButton", &B::ShowPrintButton, &B::SetShowPrintButton, true);
        t.Boolean("ShowPreviewButton", &B::ShowPreviewButton, &B::SetShowPreviewButton, false);
        t.Float("ZoomInOutFactor", &B::ZoomInOutFactor, &B::SetZoomInOutFactor, 2, 1);
        t.Boolean("FlatBorder", &B::FlatBorder, &B::SetFlatBorder, false);
        t.Boolean("FlatButtons", &B::FlatButtons, &B::SetFlatButtons, false);
        t.Boolean("SmallButtons", &B::SmallButtons, &B::SetSmallButtons, false);
        return t;
    }();
    return table;
}

TcPlotToolBar::TcPlotToolBar(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotLayoutObject(AOwner, handlers), FImageList(std::make_unique<TCustomImageList>(24, 24))
{
    using B = TcPlotToolBar;
    FResumeButton =
        AddButton(iptbbsButton, iptbbtResume, "Resume All (Tracking)", "AUTO", 0, &B::DoButtonClickResume);
    FPauseButton =
        AddButton(iptbbsButton, iptbbtPause, "Pause All (Tracking)", "PAUSE", 0, &B::DoButtonClickPause);
    FResumePauseSpacer = AddButton(iptbbsSpacer, iptbbtResume, "", "", 0, nullptr);
    FAxesModeScrollButton = AddButton(iptbbsButton, iptbbtScrollAxesMode, "Scroll (Axes)", "SCROLL", 2,
                                      &B::DoButtonClickScrollAxesMode);
    FAxesModeZoomButton =
        AddButton(iptbbsButton, iptbbtZoomAxesMode, "Zoom (Axes)", "ZOOM", 2, &B::DoButtonClickZoomAxesMode);
    FAxesModeSpacer = AddButton(iptbbsSpacer, iptbbtResume, "", "", 0, nullptr);
    FZoomOutButton =
        AddButton(iptbbsButton, iptbbtZoomOut, "Zoom Out All Axes", "ZOOMOUT", 0, &B::DoButtonClickZoomOut);
    FZoomInButton =
        AddButton(iptbbsButton, iptbbtZoomIn, "Zoom In All Axes", "ZOOMIN", 0, &B::DoButtonClickZoomIn);
    FZoomInOutSpacer = AddButton(iptbbsSpacer, iptbbtResume, "", "", 0, nullptr);
    FSelectButton = AddButton(iptbbsButton, iptbbtSelect, "Select", "SELECT", -1, &B::DoButtonClickSelect);
    FZoomBoxButton =
        AddButton(iptbbsButton, iptbbtZoomBox, "Zoom Box", "SCROLLBOX", -1, &B::DoButtonClickZoomBox);
    FCursorButton = AddButton(iptbbsButton, iptbbtCursor, "Cursor", "CURSOR", -2, &B::DoButtonClickCursor);
    FZoomBoxCursorSpacer = AddButton(iptbbsSpacer, iptbbtResume, "", "", 0, nullptr);
    FEditButton = AddButton(iptbbsButton, iptbbtEdit, "Properties", "PROPERTIES", 0, &B::DoButtonClickEdit);
    FEditSpacer = AddButton(iptbbsSpacer, iptbbtResume, "", "", 0, nullptr);
    FCopyButton = AddButton(iptbbsButton, iptbbtCopy, "Copy to Clipboard", "COPY", 0, &B::DoButtonClickCopy);
    FSaveButton = AddButton(iptbbsButton, iptbbtSave, "Save to File", "SAVE", 0, &B::DoButtonClickSave);
    FPrintButton = AddButton(iptbbsButton, iptbbtPrint, "Print", "PRINTER", 0, &B::DoButtonClickPrint);
    FPreviewButton =
        AddButton(iptbbsButton, iptbbtPreview, "Preview", "PREVIEW", 0, &B::DoButtonClickPreview);
    FAxesModeScrollButton->SetDown(true);
    FSelectButton->SetVisible(false);
    FPreviewButton->SetVisible(false);
    UpdateCommandButtons();
    for (auto& b : FButtonList)
        b->OnDownChange = [this](TcPlotButton* button) { ButtonDownChange(button); };
    SetHorizontal(true);
}

TcPlotToolBar::~TcPlotToolBar() = default;

TcPlotToolBarButton* TcPlotToolBar::AddButton(TcPlotToolBarButtonStyle Style, TcPlotToolBarButtonType Type,
                                              const char* Hint, const char* Picture, int Group,
                                              void (TcPlotToolBar::*Action)())
{
    auto b = std::make_unique<TcPlotToolBarButton>(FOwner, this, Style, Type, QString::fromLatin1(Hint),
                                                   QString::fromLatin1(Picture), Group);
    if (Action)
        b->OnClick = [this, Action](TcPlotButton*) { (this->*Action)(); };
    b->OnGroupClick = [this](TcPlotButton* button) { GroupClick(button); };
    b->OnInvalidate = [this](TcPlotButton*) { DoInvalidateNow(); };
    FButtonList.push_back(std::move(b));
    return FButtonList.back().get();
}

void TcPlotToolBar::SetShowAxesModeButtons(bool v)
{
    FAxesModeScrollButton->SetVisible(v);
    FAxesModeZoomButton->SetVisible(v);
}

void TcPlotToolBar::SetShowZoomInOutButtons(bool v)
{
    FZoomInButton->SetVisible(v);
    FZoomOutButton->SetVisible(v);
}

void TcPlotToolBar::SetZoomInOutFactor(double v)
{
    SetDoubleValue(v < 1 ? 1 : v, FZoomInOutFactor, &TcPlotObject::DoChange);
}

void TcPlotToolBar::SetFlatButtons(bool v)
{
    if (v == FFlatButtons)
        return;
    FFlatButtons = v;
    for (auto& b : FButtonList)
        b->SetFlat(v);
    DoChange();
}

void TcPlotToolBar::SetSmallButtons(bool v)
{
    if (v == FSmallButtons)
        return;
    FSmallButtons = v;
    SelectPictures();
    DoChange();
}

void TcPlotToolBar::SelectPictures()
{
    const int size = FSmallButtons ? 16 : 24;
    FImageList = std::make_unique<TCustomImageList>(size, size);
    for (auto& b : FButtonList) {
        QString name = b->ImageName();
        if (name.startsWith(QStringLiteral("SMALL")))
            name = name.mid(5);
        if (!name.isEmpty() && FSmallButtons)
            name.prepend(QStringLiteral("SMALL"));
        b->SetImageName(name);
    }
}

bool TcPlotToolBar::BeforeClick(TcPlotToolBarButtonType Type)
{
    bool cancel = false;
    FireEvent(TcPlotEventKind::BeforeToolBarButtonClick, {double(Type)}, &cancel);
    return !cancel;
}

void TcPlotToolBar::AfterClick(TcPlotToolBarButtonType Type)
{
    FireEvent(TcPlotEventKind::ToolBarButtonClick, {double(Type)});
}

void TcPlotToolBar::GroupClick(TcPlotButton* Button)
{
    for (auto& b : FButtonList)
        if (b.get() != Button && b->GroupIndex() == Button->GroupIndex())
            b->SetDown(false);
}

void TcPlotToolBar::ButtonDownChange(TcPlotButton* Button)
{
    if (!FOwner)
        return;
    TcPlotMasterManager& master = FOwner->Master();
    if (Button == FCursorButton) {
        auto* cursors = master.DataCursorManager();
        for (int i = 0; cursors && i < cursors->Count(); ++i)
            cursors->GetItem(i)->SetVisible(FCursorButton->Down());
        if (FCursorButton->Down()) {
            FOwner->SetAllTracking(false);
            if (cursors && cursors->Count() > 0)
                cursors->GetItem(0)->SetUserSelected(true);
        }
    } else if (Button == FSelectButton) {
        if (FSelectButton->Down())
            FOwner->SetAllTracking(false);
        auto* bars = master.ToolBarManager();
        if (bars && bars->Count() > 0) {
            TcPlotToolBar* first = bars->GetItem(0);
            if (first != this && first->SelectActive() != SelectActive())
                first->DoButtonClickSelect();
        }
    }
}

void TcPlotToolBar::DoButtonClickResume()
{
    if (!BeforeClick(iptbbtResume))
        return;
    if (FCursorButton->Down())
        DoButtonClickCursor();
    if (FSelectButton->Down())
        DoButtonClickSelect();
    if (FOwner) {
        FOwner->Master().DeSelectAll();
        FOwner->SetAllTracking(true);
    }
    AfterClick(iptbbtResume);
}

void TcPlotToolBar::DoButtonClickPause()
{
    if (!BeforeClick(iptbbtPause))
        return;
    if (FOwner)
        FOwner->SetAllTracking(false);
    AfterClick(iptbbtPause);
}

void TcPlotToolBar::SetAxesMode(bool Zoom)
{
    FAxesModeScrollButton->SetDown(!Zoom);
    FAxesModeZoomButton->SetDown(Zoom);
    if (!FOwner)
        return;
    auto& master = FOwner->Master();
    for (int i = 0; master.XAxisManager() && i < master.XAxisManager()->Count(); ++i)
        master.XAxisManager()->GetItem(i)->SetMode(Zoom ? ipamZoom : ipamScroll);
    for (int i = 0; master.YAxisManager() && i < master.YAxisManager()->Count(); ++i)
        master.YAxisManager()->GetItem(i)->SetMode(Zoom ? ipamZoom : ipamScroll);
}

void TcPlotToolBar::DoButtonClickScrollAxesMode()
{
    if (!BeforeClick(iptbbtScrollAxesMode))
        return;
    SetAxesMode(false);
    AfterClick(iptbbtScrollAxesMode);
}

void TcPlotToolBar::DoButtonClickZoomAxesMode()
{
    if (!BeforeClick(iptbbtZoomAxesMode))
        return;
    SetAxesMode(true);
    AfterClick(iptbbtZoomAxesMode);
}

void TcPlotToolBar::ZoomAll(bool In)
{
    DoButtonClickPause();
    if (!FOwner)
        return;
    auto zoom = [&](TcPlotAxis* a) {
        if (a->ScaleType() == ipstLinear)
            a->Zoom(In ? 1 / FZoomInOutFactor : FZoomInOutFactor);
        else
            a->Zoom(In ? -1 : 1);
    };
    auto& master = FOwner->Master();
    for (int i = 0; master.XAxisManager() && i < master.XAxisManager()->Count(); ++i)
        zoom(master.XAxisManager()->GetItem(i));
    for (int i = 0; master.YAxisManager() && i < master.YAxisManager()->Count(); ++i)
        zoom(master.YAxisManager()->GetItem(i));
}

void TcPlotToolBar::DoButtonClickZoomIn()
{
    if (!BeforeClick(iptbbtZoomIn))
        return;
    ZoomAll(true);
    AfterClick(iptbbtZoomIn);
}

void TcPlotToolBar::DoButtonClickZoomOut()
{
    if (!BeforeClick(iptbbtZoomOut))
        return;
    ZoomAll(false);
    AfterClick(iptbbtZoomOut);
}

void TcPlotToolBar::DoButtonClickSelect()
{
    if (!BeforeClick(iptbbtSelect))
        return;
    FSelectButton->SetDown(!FSelectButton->Down());
    FZoomBoxButton->SetDown(false);
    AfterClick(iptbbtSelect);
}

void TcPlotToolBar::DoButtonClickZoomBox()
{
    if (!BeforeClick(iptbbtZoomBox))
        return;
    FSelectButton->SetDown(false);
    FZoomBoxButton->SetDown(!FZoomBoxButton->Down());
    AfterClick(iptbbtZoomBox);
}

void TcPlotToolBar::DoButtonClickCursor()
{
    if (!BeforeClick(iptbbtCursor))
        return;
    FCursorButton->SetDown(!FCursorButton->Down());
    AfterClick(iptbbtCursor);
}

void TcPlotToolBar::DoButtonClickEdit()
{
    if (!BeforeClick(iptbbtEdit))
        return;
    if (FOwner)
        FOwner->ToolBarCommand(iptbbtEdit);
}

void TcPlotToolBar::UpdateCommandButtons()
{
    for (TcPlotToolBarButton* b : {FEditButton, FCopyButton, FSaveButton, FPrintButton, FPreviewButton})
        b->SetEnabled(FOwner && FOwner->ToolBarCommandAvailable(b->ButtonType()));
}

void TcPlotToolBar::ChartCommand(TcPlotToolBarButtonType Type)
{
    if (!BeforeClick(Type))
        return;
    if (FOwner)
        FOwner->ToolBarCommand(Type);
    AfterClick(Type);
}

void TcPlotToolBar::DoButtonClickCopy()
{
    ChartCommand(iptbbtCopy);
}

void TcPlotToolBar::DoButtonClickSave()
{
    ChartCommand(iptbbtSave);
}

void TcPlotToolBar::DoButtonClickPrint()
{
    ChartCommand(iptbbtPrint);
}

void TcPlotToolBar::DoButtonClickPreview()
{
    ChartCommand(iptbbtPreview);
}

void TcPlotToolBar::NotificationSetFocus(TcPlotObject* AObject)
{
    if (AObject != this && AObject->UserSelected())
        SetUserSelected(false);
}

void TcPlotToolBar::Draw(TCanvas& Canvas, TColor BackGroundColor)
{
    if (!Visible())
        return;
    const int S = FSmallButtons ? 22 : 30;
    FDrawing = true;
    FResumePauseSpacer->SetVisible(FResumeButton->Visible() || FPauseButton->Visible());
    FAxesModeSpacer->SetVisible(FAxesModeScrollButton->Visible() || FAxesModeZoomButton->Visible());
    FZoomInOutSpacer->SetVisible(FZoomInButton->Visible() || FZoomOutButton->Visible());
    FZoomBoxCursorSpacer->SetVisible(FZoomBoxButton->Visible() || FCursorButton->Visible());
    FEditSpacer->SetVisible(FEditButton->Visible());
    bool anyOff = false, anyOn = false;
    if (FOwner) {
        auto& master = FOwner->Master();
        auto scan = [&](TcPlotObjectManagerCustom* m) {
            for (int i = 0; m && i < m->Count(); ++i)
                (static_cast<TcPlotAxis*>(m->Item(i))->TrackingEnabled() ? anyOn : anyOff) = true;
        };
        scan(master.XAxisManager());
        scan(master.YAxisManager());
    }
    FResumeButton->SetEnabled(anyOff);
    FPauseButton->SetEnabled(anyOn);
    UpdateCommandButtons();
    FDrawing = false;
    const TRect r = DrawRect();
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = clBtnFace;
    Canvas.FillRect({r.Left, r.Top, r.Right + 1, r.Bottom});
    if (!FFlatBorder)
        DrawButtonFrame(Canvas, {r.Left, r.Top, r.Right + 1, r.Bottom}, 1);
    int x = r.Left + 3;
    for (auto& b : FButtonList) {
        if (!b->Visible())
            continue;
        const int w = b->Style() == iptbbsSpacer ? 10 : S;
        b->SetDrawRect({x, r.Top + 3, x + w, r.Top + 3 + S});
        x += w;
        b->Draw(Canvas, BackGroundColor);
    }
}

TcPlotObject* TcPlotToolBar::GetMouseOverObject(int X, int Y)
{
    TcPlotObject::GetMouseOverObject(X, Y);
    for (auto& b : FButtonList)
        if (b->Visible() && b->Style() == iptbbsButton && b->DrawRect().Contains({X, Y})) {
            FMouseOverObject = b.get();
            return b.get();
        }
    return this;
}

void TcPlotToolBar::FillPopupMenu(TcPopupMenu& Menu)
{
    TcPlotObject::FillPopupMenu(Menu);
    AddEditMenuItem(Menu);
}

} // namespace chart
