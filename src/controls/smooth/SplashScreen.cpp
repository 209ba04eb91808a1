#include "controls/smooth/SplashScreen.h"

#include "controls/smooth/HTMLText.h"
#include "framework/Canvas.h"
#include "framework/ImageList.h"
#include "framework/gdiplus/GdiPlusObjects.h"
#include "platform/ModuleLoader.h"

#include <QBitmap>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <cstdlib>

namespace fx
{

namespace
{

std::function<bool()> FCompositorProbe;
std::function<void(int)> FPause;

void Pause(int ms)
{
    if (FPause)
        FPause(ms);
    else if (ms > 0)
        QThread::msleep(unsigned(ms));
}

// Whether an X server's screen has a compositing manager (the owner of _NET_WM_CM_S0), asked through
// the X client library loaded at run time.
bool X11Compositor()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return false;
    static platform::ModuleHandle xcb = [] {
        platform::ModuleHandle h = nullptr;
        platform::LoadModule(h, "libxcb.so.1");
        return h;
    }();
    if (!xcb)
        return false;
    struct Cookie {
        unsigned int sequence;
    };
    struct AtomReply {
        unsigned char response_type, pad0;
        unsigned short sequence;
        unsigned int length, atom;
    };
    struct OwnerReply {
        unsigned char response_type, pad0;
        unsigned short sequence;
        unsigned int length, owner;
    };
    using InternAtom = Cookie (*)(void*, unsigned char, unsigned short, const char*);
    using InternAtomReply = AtomReply* (*)(void*, Cookie, void**);
    using GetOwner = Cookie (*)(void*, unsigned int);
    using GetOwnerReply = OwnerReply* (*)(void*, Cookie, void**);
    auto intern = reinterpret_cast<InternAtom>(platform::GetModuleSymbol(xcb, "xcb_intern_atom"));
    auto internReply =
        reinterpret_cast<InternAtomReply>(platform::GetModuleSymbol(xcb, "xcb_intern_atom_reply"));
    auto owner = reinterpret_cast<GetOwner>(platform::GetModuleSymbol(xcb, "xcb_get_selection_owner"));
    auto ownerReply =
        reinterpret_cast<GetOwnerReply>(platform::GetModuleSymbol(xcb, "xcb_get_selection_owner_reply"));
    if (!intern || !internReply || !owner || !ownerReply)
        return false;
    void* c = x11->connection();
    const char name[] = "_NET_WM_CM_S0";
    AtomReply* atom = internReply(c, intern(c, 0, sizeof name - 1, name), nullptr);
    if (!atom)
        return false;
    const unsigned int a = atom->atom;
    std::free(atom);
    OwnerReply* o = ownerReply(c, owner(c, a), nullptr);
    if (!o)
        return false;
    const bool present = o->owner != 0;
    std::free(o);
    return present;
}

} // namespace

// The main form's show, seen through an event filter while the splash shows.
class TFxSmoothSplashScreen::TShowHook : public QObject
{
  public:
    explicit TShowHook(TFxSmoothSplashScreen& s) : FSplash(s) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            FSplash.MainFormShown();
        return false;
    }

  private:
    TFxSmoothSplashScreen& FSplash;
};

void TFxSmoothSplashScreen::SetCompositorProbe(std::function<bool()> probe)
{
    FCompositorProbe = std::move(probe);
}

void TFxSmoothSplashScreen::SetPause(std::function<void(int)> pause)
{
    FPause = std::move(pause);
}

bool TFxSmoothSplashScreen::CompositorPresent()
{
    if (FCompositorProbe)
        return FCompositorProbe();
    const QString platform = QGuiApplication::platformName();
    if (platform == QStringLiteral("wayland"))
        return true;
    return platform == QStringLiteral("xcb") && X11Compositor();
}

// ---------------------------------------------------------------------------------------------------

TSplashScreenWindow::TSplashScreenWindow(TFxSmoothSplashScreen& splash, bool layered, bool translucent)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowDoesNotAcceptFocus |
                           (splash.StayOnTop ? Qt::WindowStaysOnTopHint : Qt::WindowFlags())),
      FSplash(splash), FLayered(layered), FTranslucent(layered && translucent)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose, false);
    if (FTranslucent)
        setAttribute(Qt::WA_TranslucentBackground);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    FProgressBar = new TFxSplashProgressBar(this);
    FProgressBar->SetVisible(false);
}

void TSplashScreenWindow::SetOpacity(int v)
{
    FOpacity = std::clamp(v, 0, 255);
    if (!FLayered)
        setWindowOpacity(FOpacity / 255.0);
    update();
}

void TSplashScreenWindow::Redraw()
{
    if (FLayered) {
        FBuffer = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        FBuffer.fill(Qt::transparent);
        {
            QPainter p(&FBuffer);
            gp::TGPGraphics g(p);
            FSplash.DrawLayers(g, width(), height(), FSplash.FProgressBar.Visible());
        }
        // Without a compositor the window is cut to the pixels the picture covers.
        if (!FTranslucent)
            setMask(QBitmap::fromImage(FBuffer.createAlphaMask()));
    }
    update();
}

void TSplashScreenWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (FLayered) {
        if (FTranslucent) {
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.fillRect(rect(), Qt::transparent);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        p.setOpacity(FOpacity / 255.0);
        p.drawImage(0, 0, FBuffer);
        return;
    }
    p.fillRect(rect(), Qt::white);
    gp::TGPGraphics g(p);
    FSplash.DrawLayers(g, width(), height(), false);
}

void TSplashScreenWindow::mousePressEvent(QMouseEvent*)
{
    if (FSplash.OnClick)
        FSplash.OnClick(&FSplash);
}

// ---------------------------------------------------------------------------------------------------

TFxSmoothSplashScreen::TFxSmoothSplashScreen()
{
    FListSettings.HTMLFont.SetName(QStringLiteral("Tahoma"));
    FProgramInfo.OnChange = [this](TBasicProgramInfo*) {
        if (!FLoading)
            Refresh();
    };
    FProgressBar.OnChange = [this](TGDIPSplashProgress*) { ProgressBarChanged(); };
    FCloseTimer.SetEnabled(false);
    FCloseTimer.OnTimer = [this](fw::TTimer*) { CloseTimerTick(); };
    FFocusTimer.SetEnabled(false);
    FFocusTimer.SetInterval(20);
}

TFxSmoothSplashScreen::~TFxSmoothSplashScreen()
{
    FCloseTimer.SetEnabled(false);
    FFocusTimer.SetEnabled(false);
    if (FMainForm && FHook)
        FMainForm->removeEventFilter(FHook.get());
    delete FWindow.data();
}

gdip::TextRenderingHint TFxSmoothSplashScreen::RenderingHint() const
{
    switch (TextRendering) {
    case tAntiAlias:
        return gdip::TextRenderingHintAntiAlias;
    case tAntiAliasGridFit:
        return gdip::TextRenderingHintAntiAliasGridFit;
    case tClearType:
        break;
    }
    return gdip::TextRenderingHintClearTypeGridFit;
}

QSize TFxSmoothSplashScreen::WindowSize() const
{
    if (AutoAdaptPictureSize && !FFill.Picture().Empty()) {
        TFxGDIPPicture& picture = const_cast<TFxGDIPPicture&>(FFill.Picture());
        if (picture.Width() <= 0 || picture.Height() <= 0)
            picture.GetImageSizes();
        const int b = 2 * ((FFill.BorderWidth() + 1) / 2);
        return {picture.Width() + b, picture.Height() + b};
    }
    return {std::max(1, Width), std::max(1, Height)};
}

void TFxSmoothSplashScreen::SetMainForm(QWidget* form)
{
    if (form == FMainForm)
        return;
    if (FMainForm && FHook)
        FMainForm->removeEventFilter(FHook.get());
    FMainForm = form;
    if (Showing() && CloseOnMainFormShow && FMainForm && FHook)
        FMainForm->installEventFilter(FHook.get());
}

void TFxSmoothSplashScreen::Show()
{
    if (Showing())
        return;
    if (OnBeforeShow)
        OnBeforeShow(this);
    const bool layered = FFill.Opacity() < 255 || FFill.OpacityTo() < 255;
    auto* w = new TSplashScreenWindow(*this, layered, CompositorPresent());
    FWindow = w;
    const QSize size = WindowSize();
    w->resize(size);
    QPoint at(DisplayPosX, DisplayPosY);
    if (DisplayLocation == dlCenter)
        if (QScreen* screen = QGuiApplication::primaryScreen())
            at = screen->geometry().center() - QPoint(size.width() / 2, size.height() / 2);
    w->move(at);
    TFxSplashProgressBar* bar = w->ProgressBar();
    bar->SetAppearance(FProgressBar);
    bar->SetVisible(!layered && FProgressBar.Visible());
    bar->OnPositionChanged = [this](fw::TControl*, double p) {
        if (OnProgressPositionChanged)
            OnProgressPositionChanged(this, p);
    };
    bar->OnChange = [this](fw::TControl*) {
        if (OnProgressChange)
            OnProgressChange(this);
    };
    w->SetOpacity(DisplayStyle == dsNormal ? 255 : 5);
    if (CloseOnMainFormShow && FMainForm) {
        if (!FHook)
            FHook = std::make_unique<TShowHook>(*this);
        FMainForm->installEventFilter(FHook.get());
    }
    if (FFill.Rounding() > 0 && FFill.RoundingType() != rtNone && !(layered && !w->Translucent())) {
        const int d = 2 * FFill.Rounding();
        QPainterPath path;
        path.addRoundedRect(QRectF(0, 0, size.width(), size.height()), d / 2.0, d / 2.0);
        w->setMask(QRegion(path.toFillPolygon().toPolygon()));
    }
    w->show();
    w->Redraw();
    if (DisplayStyle == dsFadeInOut)
        FadeIn(layered ? 20 : 5, layered ? 5 / 3 : 5 / 3, layered ? 255 : MaxOpacity);
    else if (!layered)
        w->SetOpacity(MaxOpacity);
    FCloseTimer.SetInterval(std::max(1, TimeOut));
    FCloseTimer.SetEnabled(CloseOnTimeout);
}

void TFxSmoothSplashScreen::FadeIn(int step, int wait, int max)
{
    if (!FWindow || !FWindow->isVisible())
        return;
    max = std::clamp(max, 0, 255);
    if (step > 0)
        for (int v = FWindow->Opacity(); v + step < max; v += step) {
            FWindow->SetOpacity(v + step);
            Pause(3 * wait);
            if (!FWindow)
                return;
        }
    FWindow->SetOpacity(max);
}

void TFxSmoothSplashScreen::FadeOut(int step, int wait, int min)
{
    if (!FWindow || !FWindow->isVisible())
        return;
    min = std::clamp(min, 0, 255);
    if (step > 0)
        while (FWindow && FWindow->Opacity() - step > min) {
            FWindow->SetOpacity(FWindow->Opacity() - step);
            Pause(wait);
        }
    if (FWindow)
        FWindow->SetOpacity(min);
}

void TFxSmoothSplashScreen::HideFade()
{
    if (!FWindow || !FWindow->isVisible())
        return;
    const int pause = FWindow->Layered() ? 5 : 15;
    while (FWindow && FWindow->Opacity() > 30) {
        FWindow->SetOpacity(FWindow->Opacity() - 20);
        Pause(pause);
    }
    if (FWindow)
        FWindow->SetOpacity(10);
}

void TFxSmoothSplashScreen::Hide()
{
    if (!Showing())
        return;
    FCloseTimer.SetEnabled(false);
    if (DisplayStyle == dsFadeInOut)
        HideFade();
    if (FMainForm && FHook)
        FMainForm->removeEventFilter(FHook.get());
    delete FWindow.data();
    FWindow = nullptr;
    if (OnClose)
        OnClose(this);
}

void TFxSmoothSplashScreen::Refresh()
{
    if (FWindow)
        FWindow->Redraw();
}

void TFxSmoothSplashScreen::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Refresh();
}

void TFxSmoothSplashScreen::Loaded()
{
    FLoading = true;
    FProgramInfo.ReadVersionInfo();
    FLoading = false;
    if (AutoShow)
        Show();
}

void TFxSmoothSplashScreen::Notification(const void* removed)
{
    if (removed && removed == PictureContainer)
        PictureContainer = nullptr;
    if (removed && removed == Images)
        Images = nullptr;
}

void TFxSmoothSplashScreen::ProgressBarChanged()
{
    if (!FWindow)
        return;
    TFxSplashProgressBar* bar = FWindow->ProgressBar();
    bar->SetAppearance(FProgressBar);
    bar->SetVisible(!FWindow->Layered() && FProgressBar.Visible());
    if (FWindow->Layered())
        Refresh();
}

void TFxSmoothSplashScreen::SetComponentStyle(TTMSStyle style)
{
    struct Row {
        TTMSStyle Style;
        fw::TColor From, To, Border;
    };
    static const Row rows[] = {
        {tsOffice2003Blue, 0xFDEADA, 0xE4AE88, 0xDFD2C5},
        {tsOffice2003Silver, 0xECE2E1, 0xB39698, 0x947C7C},
        {tsOffice2003Olive, 0xCFF0EA, 0x8CC0B1, 0x588060},
        {tsOffice2003Classic, 0xFFFFFF, 0xC9D1D5, 0x808080},
        {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0xFFD1AD},
        {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x5C534C},
        {tsWindowsXP, 0xFCFCFC, 0xE0B6A4, 0xACA899},
        {tsWhidbey, 0xF5F9FA, 0xA8C0C0, 0x962D00},
        {tsOffice2007Silver, 0xF8F7F6, 0xE8E5E2, 0xCCCAC9},
        {tsWindowsVista, 0xFFFFFF, 0xFFEDC5, 0xFDDE99},
        {tsWindows7, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8},
        {tsTerminal, 0xFFFFFF, 0xC0C0C0, 0x808080},
        {tsOffice2010Blue, 0xFDF6EF, 0xF0DAC7, 0xC7B29B},
        {tsOffice2010Silver, 0xFFFFFF, 0xEDE5E0, 0xD2CDC8},
        {tsOffice2010Black, 0xBFBFBF, 0x919191, 0x6D6D6D},
    };
    for (const Row& r : rows)
        if (r.Style == style) {
            FFill.SetGradientType(gp::gtVertical);
            FFill.SetColor(r.From);
            FFill.SetColorTo(r.To);
            FFill.SetBorderColor(r.Border);
            return;
        }
}

void TFxSmoothSplashScreen::SetFocusToForm(QWidget* form)
{
    if (!form)
        return;
    QPointer<QWidget> target(form);
    FFocusTimer.OnTimer = [target](fw::TTimer* t) {
        t->SetEnabled(false);
        if (target) {
            target->raise();
            target->activateWindow();
        }
    };
    FFocusTimer.SetEnabled(true);
}

void TFxSmoothSplashScreen::MainFormShown()
{
    QPointer<QWidget> form = FMainForm;
    Hide();
    if (FocusParentForm && form)
        SetFocusToForm(form);
}

void TFxSmoothSplashScreen::CloseTimerTick()
{
    const bool was = Showing();
    Hide();
    if (FocusParentForm && FMainForm && was)
        SetFocusToForm(FMainForm);
}

// ---------------------------------------------------------------------------------------------------
// Drawing

void TFxSmoothSplashScreen::DrawLayers(gp::TGPGraphics& g, int w, int h, bool withProgress)
{
    g.SetTextRenderingHint(RenderingHint());
    g.SetSmoothingMode(gdip::SmoothingModeAntiAlias);
    FFill.Fill(&g, {0, 0, gp::REAL(w - 1), gp::REAL(h - 1)});
    DrawProgramInfo(g, w, h);
    DrawListItems(g);
    DrawTopLayerItems(g, w, h);
    DrawItems(g);
    if (withProgress) {
        const fw::TRect r{FProgressBar.Left(), FProgressBar.Top(), FProgressBar.Left() + FProgressBar.Width(),
                          FProgressBar.Top() + FProgressBar.Height()};
        double pos = FProgressBar.Position(), max = FProgressBar.Maximum(), min = FProgressBar.Minimum();
        if (FWindow) {
            pos = FWindow->ProgressBar()->Position();
            max = FWindow->ProgressBar()->Maximum();
            min = FWindow->ProgressBar()->Minimum();
        }
        FProgressBar.Draw(g, r, pos, max, min);
    }
}

void TFxSmoothSplashScreen::DrawProgramInfo(gp::TGPGraphics& g, int w, int h)
{
    const TSplashHeadingText& n = FProgramInfo.ProgramName();
    const TSplashHeadingText& v = FProgramInfo.ProgramVersion();
    const gdip::TextRenderingHint hint = RenderingHint();
    const auto measure = [&](const TSplashHeadingText& t) {
        return DrawHeadingText(&g, t.Text(), 0, 0, hint, t.Angle, true, t.ColorStart, t.ColorEnd,
                               t.OpacityStart, t.OpacityEnd, t.HatchStyle, &t.Picture(), t.GradientType,
                               t.Font());
    };
    const QSize ns = measure(n), vs = measure(v);
    const QString& c = FProgramInfo.CopyRight;
    const QSize cs = c.isEmpty() ? QSize(0, 0)
                                 : QSize(g.TextWidth(c, FProgramInfo.CopyRightFont()),
                                         g.TextHeight(c, FProgramInfo.CopyRightFont()));
    const TProgramInfoPlaces at = PlaceProgramInfo(
        ProgramInfoArea(w, h, FFill), n.Location, ns, v.Location, vs, FProgramInfo.CopyRightLocation, cs,
        {n.PosX, n.PosY}, {v.PosX, v.PosY}, {FProgramInfo.CopyRightPosX, FProgramInfo.CopyRightPosY});
    for (const auto& [t, p] : {std::pair{&n, at.Name}, std::pair{&v, at.Version}})
        DrawHeadingText(&g, t->Text(), p.x(), p.y(), hint, t->Angle, false, t->ColorStart, t->ColorEnd,
                        t->OpacityStart, t->OpacityEnd, t->HatchStyle, &t->Picture(), t->GradientType,
                        t->Font());
    const fw::TFont& cf = FProgramInfo.CopyRightFont();
    DrawHeadingText(&g, c, at.CopyRight.x(), at.CopyRight.y(), hint, 0, false, cf.Color(), fw::clNone, 255,
                    255, 0, nullptr, gp::gtSolid, cf);
}

void TFxSmoothSplashScreen::DrawListItems(gp::TGPGraphics& g)
{
    const TSplashListItemsSettings& s = FListSettings;
    const int rw = s.Rect.Right - s.Rect.Left, rh = s.Rect.Bottom - s.Rect.Top;
    THTMLDrawParams p;
    p.X = p.Y = 0;
    p.ShadowOffset = s.HTMLShadowOffset;
    p.WordWrap = true;
    p.URLColor = s.HTMLURLColor;
    p.ShadowColor = s.HTMLShadowColor;
    p.PictureContainer = PictureContainer;
    p.Images = Images;
    p.LineSpacing = 2;
    std::vector<int> heights;
    THTMLDrawResult r;
    p.MeasureOnly = true;
    for (int i = 0; i < FListItems.Count(); ++i) {
        DrawHTMLText(&g, s.HTMLFont, FListItems.Items(i)->HTMLText, fw::TRect{0, 0, rw, rh}, p, r);
        heights.push_back(r.Height);
    }
    const std::vector<fw::TRect> places = StackListItems(s.Rect, s.Space, heights);
    p.MeasureOnly = false;
    for (int i = 0; i < FListItems.Count(); ++i) {
        TSplashListItem& item = *FListItems.Items(i);
        item.DisplayRect = places[std::size_t(i)];
        if (item.DisplayRect.Top < 0 && item.DisplayRect.Bottom < 0)
            continue;
        if (!item.HTMLText.isEmpty())
            DrawHTMLText(&g, s.HTMLFont, item.HTMLText,
                         fw::TRect{item.DisplayRect.Left, item.DisplayRect.Top, item.DisplayRect.Left + rw,
                                   item.DisplayRect.Top + rh},
                         p, r);
    }
}

void TFxSmoothSplashScreen::DrawTopLayerItems(gp::TGPGraphics& g, int w, int h)
{
    const int s = FFill.BorderColor() != fw::clNone ? (FFill.BorderWidth() + 1) / 2 : 0;
    const int X = s, Y = s, W = w - 1 - 2 * s, H = h - 1 - 2 * s;
    for (int i = 0; i < FTopLayerItems.Count(); ++i) {
        TFxSplashTopLayerItem& item = *FTopLayerItems.Items(i);
        if (!item.Visible)
            continue;
        TGDIPFill& fill = item.Fill();
        g.SetSmoothingMode(fill.Rounding() > 0 && fill.RoundingType() != rtNone ? gdip::SmoothingModeAntiAlias
                                                                                : gdip::SmoothingModeNone);
        fw::TRect box = TopLayerBox(item.Align, X, Y, W, H, item.Left, item.Top, item.Width, item.Height);
        if (fill.BorderColor() == fw::clNone || fill.BorderWidth() == 0)
            box.Bottom += 1;
        fill.Fill(&g, {gp::REAL(box.Left), gp::REAL(box.Top), gp::REAL(box.Right - box.Left),
                       gp::REAL(box.Bottom - box.Top)});
        const TFxSplashHTMLText& t = item.HTMLText;
        if (t.Text.isEmpty())
            continue;
        THTMLDrawParams p;
        p.X = p.Y = 0;
        p.URLColor = t.URLColor;
        p.ShadowColor = t.ShadowColor;
        p.ShadowOffset = t.ShadowOffset;
        p.PictureContainer = PictureContainer;
        p.Images = Images;
        p.MeasureOnly = true;
        THTMLDrawResult r;
        const int bw = box.Right - box.Left, bh = box.Bottom - box.Top;
        DrawHTMLText(&g, t.Font, t.Text, fw::TRect{0, 0, bw, bh}, p, r);
        const QPoint at = t.Location == cpCustom ? QPoint(t.Left, t.Top)
                                                 : TextOrigin(t.Location, box, QSize(r.Width, r.Height));
        p.MeasureOnly = false;
        DrawHTMLText(&g, t.Font, t.Text, fw::TRect{at.x(), at.y(), at.x() + r.Width, at.y() + r.Height}, p,
                     r);
    }
    g.SetSmoothingMode(gdip::SmoothingModeAntiAlias);
}

void TFxSmoothSplashScreen::DrawItems(gp::TGPGraphics& g)
{
    for (int i = 0; i < FItems.Count(); ++i) {
        TSplashItem& item = *FItems.Items(i);
        if (!item.Visible)
            continue;
        int x = item.PosX;
        if (!item.Picture().Empty()) {
            DrawPicture(g, item.PosX, item.PosY, item.Picture());
            if (item.Picture().Width() <= 0)
                item.Picture().GetImageSizes();
            x += item.Picture().Width() + PictureGap;
        } else if (Images && item.ImageIndex >= 0) {
            if (QPainter* p = g.Native() ? g.Native()->p : nullptr) {
                fw::TCanvas canvas(*p);
                Images->Draw(canvas, item.PosX, item.PosY, item.ImageIndex);
            }
            x += Images->Width() + PictureGap;
        }
        if (!item.Text.isEmpty())
            DrawHeadingText(&g, item.Text, x, item.PosY, RenderingHint(), 0, false, item.Font().Color(),
                            fw::clNone, 255, 255, 0, nullptr, gp::gtSolid, item.Font());
    }
}

} // namespace fx
