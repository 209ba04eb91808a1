// TfmMain: construction from the layout tables, the creation sequence, skin pictures and closing.
#include "app/main/LinkController.h"
#include "app/main/MainControls.h"
#include "app/main/MainSessionView.h"
#include "app/main/TfmMain.h"
#include "app/pages/DelayPage.h"
#include "app/pages/DynamicsPage.h"
#include "app/pages/GeqPage.h"
#include "app/pages/MatrixPage.h"
#include "app/pages/PeqPage.h"
#include "app/pages/StripPage.h"

#include "app/ProgramInfo.h"
#include "app/dialogs/SmallDialogs.h"
#include "app/main/MainLayout.h"
#include "app/main/StdControls.h"
#include "app/main/TransferChartControl.h"
#include "base/CodePage.h"
#include "controls/panels/LedButtons.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"
#include "controls/panels/SkPanel.h"
#include "controls/panels/SkinButtons.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/Skin.h"
#include "controls/smooth/TrackBar.h"
#include "curves/CurveColours.h"
#include "curves/Plot.h"
#include "eq/LProgressBar.h"
#include "eq/TMyPEQType8.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "link/HxHidController.h"
#include "model/LUnitControl.h"
#include "session/LLinkSession.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace app
{

using namespace sk;
using fx::TFxTrackBar;

namespace
{

// The window's palette.
constexpr TColor kFormColor = 0x202020;
constexpr TColor kGraphBoxColor = 0x161616;
constexpr TColor kPageBoxColor = 0x8A8A8A;
constexpr TColor kColumnColor = 0x7A7A7A;
constexpr TColor kBorderColor = 0x505050;
constexpr TColor kMeterPanelColor = 0x101010;
constexpr TColor kPageStayDown = 0x004088; // deep orange under the lime caption of the shown page

void UseFont(fw::TControl& c, const char* family, int px, TColor colour, bool bold = false)
{
    // One change: a label measures its text at each change, and each font in between would be loaded.
    fw::TFont f;
    f.Assign(c.Font());
    f.SetName(QString::fromLatin1(family));
    f.SetHeight(-px);
    f.SetColor(colour);
    f.SetStyle(bold ? unsigned(fw::fsBold) : 0u);
    c.Font().Assign(f);
}

// The block labels of the matrix diagram: white bold Times New Roman, 16 pixels where the widest
// block name fits its 50-pixel frame, else the largest size that does.
int BlockLabelPixels()
{
    static const int px = [] {
        constexpr int room = 50 - 6;
        auto widest = [](int size) {
            fw::TFont f;
            f.SetName(QStringLiteral("Times New Roman"));
            f.SetHeight(-size);
            f.SetStyle(unsigned(fw::fsBold));
            const QFontMetrics fm(f.ToQFont());
            int w = 0;
            for (const char* n : {"XOVER", "DELAY", "HP/LP", "LIMIT", "COMP", "GAIN", "MUTE"})
                w = std::max(w, fm.horizontalAdvance(QString::fromLatin1(n)));
            return w;
        };
        // Each size measured loads a face of its own: start at 15 pixels (the panel titles' size) and
        // step from the size its widths scale to, so that only the sizes next to the answer are loaded.
        const int at15 = widest(15);
        if (at15 <= room)
            return widest(16) <= room ? 16 : 15;
        int size = std::clamp(15 * room / std::max(1, at15), 10, 14);
        while (size < 14 && widest(size + 1) <= room)
            ++size;
        while (size > 10 && widest(size) > room)
            --size;
        return size;
    }();
    return px;
}

void StyleBox(TSkCustomPanel& p, TColor fill, TColor border)
{
    p.SetBorderOuter(fsFlatRounded);
    p.SetBorderColor(border);
    p.SetFlatColor(border);
    p.SetColor(fill);
}

QImage DelayMarker()
{
    QImage img(30, 30, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 30);
    g.setColorAt(0, QColor(255, 230, 120));
    g.setColorAt(1, QColor(210, 140, 20));
    p.setBrush(g);
    p.setPen(QPen(QColor(60, 40, 0), 1));
    QPolygonF tri;
    tri << QPointF(4, 5) << QPointF(26, 5) << QPointF(15, 25);
    p.drawPolygon(tri);
    return img;
}

// The frame picture behind everything: a dark brushed plate cut into the four frame images.
// Every row is one colour (a vertical gradient with a faint light line every third row), so the
// rows are filled directly; painting the lines one by one over a gradient fill was most of the
// window's creation time.
QImage FramePlate(int w, int h, int x0, int y0)
{
    QImage img(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    struct Stop {
        double at;
        int r, g, b;
    };
    static constexpr Stop stops[] = {{0, 58, 60, 64}, {0.08, 36, 37, 40}, {1, 24, 25, 27}};
    for (int y = 0; y < img.height(); ++y) {
        const double t = std::clamp((y + y0) / 700.0, 0.0, 1.0);
        const Stop& a = t < stops[1].at ? stops[0] : stops[1];
        const Stop& b = t < stops[1].at ? stops[1] : stops[2];
        const double f = (t - a.at) / (b.at - a.at);
        auto mix = [&](int ca, int cb, bool lit) {
            const double c = ca + (cb - ca) * f;
            return int(std::lround(lit ? c + (255 - c) * 10.0 / 255.0 : c));
        };
        const bool lit = (y + y0) % 3 == 0;
        const QRgb rgb = qRgb(mix(a.r, b.r, lit), mix(a.g, b.g, lit), mix(a.b, b.b, lit));
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        std::fill(line, line + img.width(), rgb);
    }
    (void)x0;
    return img;
}

// Every row of the plate is one colour, so a narrow picture stretched across its image shows the same.
constexpr int kPlateWidth = 16;

} // namespace

TfmMain::TfmMain(QWidget* parent) : TForm(parent)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    SetColor(kFormColor);
    FScroll = new QScrollArea(this);
    FScroll->setFrameShape(QFrame::NoFrame);
    FScroll->setWidgetResizable(false);
    FScroll->setObjectName(QStringLiteral("scrollClient"));
    auto* client = new fw::TControl();
    client->SetColor(kFormColor);
    client->setObjectName(QStringLiteral("plClient"));
    FScroll->setWidget(client);
    FClient = client;
    FMenuBar = new QMenuBar(FClient);
    FMenuBar->setObjectName(QStringLiteral("MainMenu"));
    FView = std::make_unique<TMainSessionView>(*this);
    BuildControls();
    BuildMenu();
    // The frame pictures were made after the menu bar at the same place: it goes back on top.
    FMenuBar->raise();
    BindPages();
    ConnectHandlers();
    resize(kDesignWidth - kFrameWidth, kDesignHeight - kFrameHeight);
    FormCreate();
}

TfmMain::~TfmMain()
{
    // Hidden while whole: the focused edit's exit handler runs now, not on a half-destroyed window.
    if (isVisible())
        hide();
    if (FLink)
        FLink->StopLink();
    // The session goes first: nothing of it may reach the window while its members are destroyed.
    FSession.reset();
}

int TfmMain::OuterWidth() const
{
    return width() + kFrameWidth;
}
int TfmMain::OuterHeight() const
{
    return height() + kFrameHeight;
}

QWidget* TfmMain::ParentOf(const QString& name)
{
    if (name.isEmpty())
        return FClient;
    return dynamic_cast<QWidget*>(FindComponent(name));
}

void TfmMain::BuildControls()
{
    FClient->resize(kDesignWidth - kFrameWidth, kDesignHeight - kFrameHeight);
    fw::TControl* preset = nullptr;
    for (const Item& item : FrameTable())
        if (fw::TControl* c = BuildItem(item); c && item.name == u"rzgPreset")
            preset = c;
    for (int page = 0; page < kPageCount; ++page)
        for (const Item& item : PageTable(page))
            BuildItem(item);
    // The preset bar lies over the foot of the page container.
    if (preset)
        preset->raise();
    DrawSkins();
}

fw::TControl* TfmMain::BuildItem(const Item& item)
{
    QWidget* parent = ParentOf(item.parent);
    if (!parent)
        return nullptr;
    fw::TControl* c = nullptr;
    switch (item.kind) {
    case Kind::GroupBox:
    case Kind::Panel:
        c = BuildPanel(parent, item);
        break;
    case Kind::Label:
        c = item.look == Look::DelayLine ? BuildDelayLine(parent) : BuildLabel(parent, item);
        break;
    case Kind::Fader:
    case Kind::Edit:
    case Kind::UpDown:
    case Kind::Combo:
    case Kind::Radio:
        c = BuildEntry(parent, item);
        break;
    case Kind::BmpButton:
    case Kind::PowerButton:
    case Kind::DemoButton:
        c = BuildButton(parent, item);
        break;
    case Kind::Meter:
    case Kind::OutMeter:
    case Kind::Lamp:
    case Kind::Graph:
    case Kind::BandEditor:
    case Kind::Chart:
    case Kind::Image:
    case Kind::Shape:
    case Kind::PaintBox:
        c = BuildDisplay(parent, item);
        break;
    }
    if (!c)
        return nullptr;
    if (auto* l = dynamic_cast<TSkLabel*>(c); l && l->Loading())
        l->Loaded(); // a label measures its text once, in its final font
    c->SetName(item.name);
    c->SetTag(item.tag);
    c->SetBounds(item.x, item.y, item.w, item.h);
    if (!item.caption.isEmpty() && item.kind != Kind::Edit)
        c->SetCaption(item.caption);
    if (auto* pb = dynamic_cast<TLedPowerButton*>(c))
        pb->CalcLayout(); // lamp and caption side by side at the final size and text
    if (item.kind == Kind::Graph)
        SetUpGraph(*static_cast<graph::LMyFFTDrawHpLp6dB*>(c));
    if (!item.visible)
        c->SetVisible(false);
    return c;
}

// Group boxes and panels.
fw::TControl* TfmMain::BuildPanel(QWidget* parent, const Item& item)
{
    TSkCustomPanel* p = item.kind == Kind::GroupBox ? static_cast<TSkCustomPanel*>(new TSkGroupBox(parent))
                                                    : new TSkPanel(parent);
    if (auto* g = dynamic_cast<TSkGroupBox*>(p))
        g->SetGroupStyle(gsCustom);
    switch (item.look) {
    case Look::GraphBox:
        StyleBox(*p, kGraphBoxColor, kBorderColor);
        break;
    case Look::PageBox:
        StyleBox(*p, kPageBoxColor, 0x5A5A5A);
        break;
    case Look::Column:
        StyleBox(*p, kColumnColor, 0x9C9C9C);
        break;
    default:
        if (item.kind == Kind::Panel &&
            (item.name.startsWith(u"plLevel") || item.name.startsWith(u"plFftDelay")))
            StyleBox(*p, kMeterPanelColor, kBorderColor);
        else {
            p->SetBorderOuter(fsNone);
            p->SetTransparent(true);
        }
    }
    if (item.name == u"rzgFunction")
        StyleBox(*p, 0x2A2A2A, 0x4A4A4A);
    if (item.name == u"rzgPreset")
        StyleBox(*p, 0x2A2A2A, 0x4A4A4A);
    return p;
}

// The delay page's line: a transparent box that draws its dashes (the delay page gives it its
// painter and mouse handlers).
fw::TControl* TfmMain::BuildDelayLine(QWidget* parent)
{
    return new TPaintBox(parent);
}

fw::TControl* TfmMain::BuildLabel(QWidget* parent, const Item& item)
{
    if (item.look == Look::ChName && item.name.startsWith(u"lbMatrixChName")) {
        // black bold on white, inside the frame built before it
        auto* n = new TNameLabel(parent);
        UseFont(*n, "Times New Roman", 15, fw::clBlack, true);
        n->SetShowHint(true);
        n->Frame = dynamic_cast<QWidget*>(FindComponent(
            QString(item.name).replace(QStringLiteral("lbMatrixChName"), QStringLiteral("spMatrixName"))));
        return n;
    }
    // The band table's headings stand over its columns (the table is joined in ConnectPeqHandlers).
    bool heading = false;
    for (int ch = 0; ch < 9 && !heading && item.name.startsWith(u"lbEq"); ++ch)
        heading = item.name == QStringLiteral("lbEq") + ChannelTitle(ch);
    auto* l = heading ? new eq::TPeqHeader(parent) : new TSkLabel(parent);
    l->BeginLoad();
    l->SetTransparent(true);
    l->SetLayout(tlCenter);
    switch (item.look) {
    case Look::Head:
        UseFont(*l, "Tahoma", 12, fw::clWhite, true);
        break;
    case Look::Title:
        UseFont(*l, "Tahoma", 11, item.parent == u"rzgPreset" ? TColor(0xE0E0E0) : fw::clBlack, true);
        break;
    case Look::Small:
        UseFont(*l, "Tahoma", 10, item.parent.startsWith(u"rzgParam") ? fw::clBlack : 0xD0D0D0);
        break;
    case Look::Value:
        UseFont(*l, "Tahoma", 10, fw::clWhite);
        break;
    case Look::Scale:
        UseFont(*l, "Tahoma", 10, 0xC8C8C8);
        break;
    case Look::ChName:
        UseFont(*l, "Times New Roman", 15, fw::clYellow, true);
        break;
    default:
        UseFont(*l, "Tahoma", 11, fw::clBlack);
        break;
    }
    StyleLabelByName(*l, item);
    return l;
}

// Fonts and alignment that depend on the label's name or group, over the look's defaults.
void TfmMain::StyleLabelByName(TSkLabel& l, const Item& item)
{
    if (item.name.startsWith(u"lbMatrix") && !item.name.startsWith(u"lbMatrixCh") &&
        item.look == Look::Caption) {
        UseFont(l, "Times New Roman", BlockLabelPixels(), fw::clWhite, true);
        l.SetAlignment(taCenter);
    }
    if (item.look == Look::Value || item.look == Look::Small || item.look == Look::Caption ||
        item.look == Look::ChName)
        if (item.parent.startsWith(u"rzgGeqIn") || item.name.startsWith(u"lbDelayCol") ||
            item.name.startsWith(u"lbMeter") || item.name.startsWith(u"lbDelayShow") ||
            item.look == Look::ChName)
            l.SetAlignment(taCenter);
    if (item.look == Look::Caption &&
        (item.parent.startsWith(u"rzgCompOut") || item.parent.startsWith(u"rzgLimitOut") ||
         item.parent.startsWith(u"rzgGateIn"))) {
        // fader column captions: centred over their fader, small enough to stay apart
        UseFont(l, "Tahoma", 10, fw::clBlack);
        l.SetAlignment(taCenter);
    }
    if (item.name.startsWith(u"lbDelayShow") || item.name.startsWith(u"lbMeter"))
        UseFont(l, "Tahoma", 11, 0xE0E0E0, true);
    if (item.name == u"lbFftChannelInA" || item.name.startsWith(u"lbFftChannel") ||
        item.name.startsWith(u"lbHead") || item.name.startsWith(u"lbFftChGeq"))
        l.Font().SetColor(fw::clLime);
}

// Faders, edits, up-downs, combo boxes and radio buttons.
fw::TControl* TfmMain::BuildEntry(QWidget* parent, const Item& item)
{
    if (item.kind == Kind::Fader) {
        auto* f = new TFxTrackBar(parent);
        f->SetOrientation(fx::trVertical);
        f->Slider().SetSize(3);
        f->Slider().SetBorderColor(fw::clMedGray);
        f->TickMark().SetStyle(fx::tsNone);
        f->SetTransparent(true);
        f->SetMin(item.min);
        f->SetMax(item.max);
        f->SetPageSize(item.name.startsWith(u"isGain") ? 6 : 10);
        f->SetPosition(item.position);
        return f;
    }
    if (item.kind == Kind::Edit) {
        auto* e = new fx::TRoundEdit(parent);
        e->SetRounding(6);
        e->SetBorderColor(fw::clHighlightText);
        UseFont(*e, "Tahoma", item.w < 60 ? 10 : 11, fw::clBlack); // narrow edits keep "+20.0dB" whole
        e->SetAlignment(fx::taCenter);
        e->SetAutoSelect(false);
        e->SetColor(fw::clWhite);
        e->SetText(item.caption);
        if (item.name.startsWith(u"cvdGain"))
            e->SetReadOnly(true);
        return e;
    }
    if (item.kind == Kind::UpDown) {
        auto* u = new TUpDown(parent);
        u->Min = item.min;
        u->Max = item.max;
        return u;
    }
    if (item.kind == Kind::Combo) {
        auto* b = new TSkComboBox(parent);
        UseFont(*b, "Tahoma", 11, fw::clBlack);
        for (const char* s : {"BW -6",  "BL -6",  "BW -12", "BL -12", "LK -12", "BW -18", "BL -18",
                              "BW -24", "BL -24", "LK -24", "BW -30", "BL -30", "BW -36", "BL -36",
                              "LK -36", "BW -42", "BL -42", "BW -48", "BL -48", "LK -48"})
            b->Add(QString::fromLatin1(s));
        b->SetItemIndex(0);
        return b;
    }
    auto* r = new TRadioButton(parent);
    UseFont(*r, "Tahoma", 11, 0xE0E0E0);
    r->SetChecked(item.position != 0);
    return r;
}

// Skinned buttons, power buttons and the demo button.
fw::TControl* TfmMain::BuildButton(QWidget* parent, const Item& item)
{
    if (item.kind == Kind::BmpButton) {
        auto* b = new TSkBmpButton(parent);
        b->Bitmaps().SetTransparentColor(fw::clTeal);
        b->SetButtonSize(bszStretchToButton);
        UseFont(*b, "Tahoma", item.name.startsWith(u"rzbMenu") ? 12 : 11, fw::clWhite, true);
        b->SetGroupIndex(item.group);
        b->SetAllowAllUp(item.allowAllUp);
        return b;
    }
    if (item.kind == Kind::PowerButton) {
        auto* b = new TLedPowerButton(parent);
        UseFont(*b, "Tahoma", 10, fw::clWhite, true);
        b->SetColor(0x202020);
        b->SetLedWidth(9);
        b->SetLedHeight(9);
        // An overlay button's caption takes the colour of the channel it shows.
        if (item.name.startsWith(u"vrbShow")) {
            const TColor c = ChannelColours[std::size_t(std::clamp(item.tag, 0, 16))];
            b->Font().SetColor(c == fw::clBlue ? TColor(0xFF8040) : c);
        }
        return b;
    }
    auto* b = new TLedDemoButton(parent);
    UseFont(*b, "Tahoma", 10, fw::clWhite, false);
    for (fw::TFont* f : {&b->FontEnter(), &b->FontLeave()}) {
        f->SetName(QStringLiteral("Tahoma"));
        f->SetHeight(-11);
        f->SetStyle(unsigned(fw::fsBold));
    }
    b->FontEnter().SetColor(0x804000);
    b->FontLeave().SetColor(fw::clBlack);
    return b;
}

// Meters, lamps, graphs, band editors, charts, images, shapes and paint boxes.
fw::TControl* TfmMain::BuildDisplay(QWidget* parent, const Item& item)
{
    switch (item.kind) {
    case Kind::Meter:
    case Kind::OutMeter:
    case Kind::Lamp: {
        auto* m = new eq::LProgressBar(parent);
        if (item.kind == Kind::Meter)
            eq::ConfigureInputMeter(*m);
        else if (item.kind == Kind::OutMeter)
            eq::ConfigureOutputMeter(*m);
        else
            eq::ConfigureLamp(*m);
        return m;
    }
    case Kind::Graph:
        return new graph::LMyFFTDrawHpLp6dB(parent);
    case Kind::BandEditor: {
        auto* peq = new eq::TMyPEQType8(parent, item.tag < 3 ? 8 : 9);
        peq->SetLabelColor(fw::clBlack);
        peq->SetEditBackColor(fw::clWhite);
        peq->SetBypassBackColor(fw::clSilver);
        peq->SetTitleVisable(false);
        return peq;
    }
    case Kind::Chart:
        return CreateTransferChartControl(parent, item.tag, item.name.toLatin1().constData());
    case Kind::Image: {
        auto* im = new TImage(parent);
        im->Stretch = true;
        return im;
    }
    case Kind::Shape: {
        auto* s = new TShape(parent);
        s->BorderColor = 0x00B000;
        s->SetColor(0x1A301A);
        s->Rounding = 8;
        return s;
    }
    case Kind::PaintBox:
        return new TPaintBox(parent);
    default:
        return nullptr;
    }
}

// Scales, colours and fonts of a response graph, once it has its final bounds.
void TfmMain::SetUpGraph(graph::LMyFFTDrawHpLp6dB& g)
{
    g.SetAutoRedraw(false);
    g.SetDrawWhenShown(true); // the pages not shown draw on their first show
    graph::SetMainWindowLook(g);
}

// Button faces, fader thumbs, markers and the frame plate drawn by the skin code onto the template
// controls; creation's last step copies them to the other controls.
void TfmMain::DrawSkins()
{
    // Buttons of one size and colour share their faces (most of the window's buttons come in rows).
    std::map<std::tuple<int, int, int, fw::TColor, fw::TColor>, QImage> made;
    auto face = [&made](int w, int h, TSkinState state, fw::TColor colour, fw::TColor lit) {
        auto [it, added] = made.try_emplace({w, h, int(state), colour, lit});
        if (added)
            it->second = SkinButtonFace(w, h, state, fw::clTeal, colour, lit);
        return it->second;
    };
    auto faces = [&face](TSkBmpButton* b, fw::TColor colour, fw::TColor lit) {
        const int w = std::max(8, b->Width()), h = std::max(8, b->Height());
        // The selected page button's lime caption needs a dark face: its orange is a deep one.
        const bool page = b->Name().startsWith(u"rzbMenu") && b->Name() != u"rzbMenuLink";
        b->Bitmaps().SetUp(face(w, h, TSkinState::Up, colour, lit));
        b->Bitmaps().SetDown(face(w, h, TSkinState::Down, colour, lit));
        b->Bitmaps().SetStayDown(face(w, h, TSkinState::StayDown, colour, page ? kPageStayDown : lit));
        b->Bitmaps().SetHot(face(w, h, TSkinState::Hot, colour, lit));
        b->Bitmaps().SetDisabled(face(w, h, TSkinState::Disabled, colour, lit));
    };
    for (auto* w : FClient->findChildren<QWidget*>()) {
        auto* b = dynamic_cast<TSkBmpButton*>(w);
        if (!b)
            continue;
        const QString n = b->Name();
        if (n.startsWith(u"rzbMute"))
            faces(b, 0x606060, 0x2020E0); // stays red while muted
        else if (n.startsWith(u"rzbPhase"))
            faces(b, 0x606060, 0x00A0E0);
        else if (n.startsWith(u"rzbMenuIn") || n.startsWith(u"rzbGeqSel"))
            faces(b, 0x585048, 0x30C0FF);
        else if (n == u"rzbMenuMatrix")
            faces(b, 0x505050, 0x40D040);
        else if (n == u"rzbMenuOut6")
            faces(b, 0x4C5860, 0x30C0FF);
        else if (n.contains(u"MatrixOut"))
            faces(b, 0x606060, 0x20B020);
        else
            faces(b, 0x5A5A5A, 0x30C0FF);
    }
    for (auto* w : FClient->findChildren<QWidget*>())
        if (auto* f = dynamic_cast<TFxTrackBar*>(w))
            skin::LoadFaderThumbs(f->Thumb());
    const QImage marker = DelayMarker();
    struct Plate {
        const char* name;
        int x, y;
    };
    const int H = kDesignHeight - kFrameHeight + 400;
    static constexpr Plate plates[] = {{"imLeftUpBase", 0, 0},
                                       {"imRightUpBase", 1077, 0},
                                       {"imLeftDownBase", 0, 256},
                                       {"imRightDownBase", 1077, 256}};
    for (auto* w : FClient->findChildren<QWidget*>()) {
        auto* im = dynamic_cast<TImage*>(w);
        if (!im)
            continue;
        if (im->Name().startsWith(u"imDelay")) {
            im->Stretch = false;
            im->SetPicture(marker);
            // The delay line under the marker takes the presses (a marker is dragged by its line).
            im->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        for (const Plate& p : plates)
            if (im->Name() == QLatin1StringView(p.name))
                im->SetPicture(FramePlate(kPlateWidth, p.y == 0 ? 256 : H, p.x, p.y));
    }
}

void TfmMain::InitChartPoints()
{
    const auto& [comp, gate, limit] = FControls->charts;
    SetChartPoints(comp, {{20, 20}, {-10, -10}, {-10, -10}, {-100, -100}}, {19.8, 20.4});
    SetChartPoints(gate, {{20, 20}, {-90, -90}, {-90, -100}}, {-89.8, -90.4});
    SetChartPoints(limit, {{20, 20}, {-10, -10}, {-10, -10}, {-100, -100}}, {19.8, 20.4});
}

void TfmMain::FormCreate()
{
    const QString title = QString::fromUtf8(ProgramTitle.data(), qsizetype(ProgramTitle.size()));
    setWindowTitle(title + u' ' + QString::fromUtf8(ProgramVersion.data(), qsizetype(ProgramVersion.size())));
    SetHint(title);
    // The single-instance rule runs in the entry point, before this window exists (one per user).
    FLink->ShowDeviceId(1);
    FCurrentPage = kPageGain;
    const TMainControls& c = *FControls;
    c.graphBoxes[0]->SetVisible(true);
    c.paramBoxes[kPageGain]->SetVisible(true);
    c.pageButtons[kPageGain]->SetDown(true);
    c.pageButtons[kPageGain]->Font().SetColor(fw::clLime);
    c.presetBar->SetTop(626);
    FExtraHeight = 0;

    for (std::size_t i = 0; i < FPlots.size(); ++i) {
        FPlots[i] = std::make_unique<Plot>(c.graphs[i]);
        FPlots[i]->SetPhaseMode(false);
    }

    FLanguage = QStringLiteral("English");
    SetCodePage(CodePage::Windows1252);
    if (auto* m = MenuItem(QStringLiteral("ChineseSimplified")))
        m->setChecked(false);
    if (auto* m = MenuItem(QStringLiteral("ChineseTraditional")))
        m->setChecked(false);
    if (auto* m = MenuItem(QStringLiteral("English")))
        m->setChecked(true);
    ApplyLanguage();

    InitChartPoints();

    FSession = std::make_unique<LLinkSession>(*FView);
    FUnit = &FSession->Unit;
    FCreating = true;
    FPeqPage->DeselectPeqBands();
    ShowAllParams(FUnit);
    FCreating = false;

    c.graphBoxes[kPageGain]->raise();
    c.paramBoxes[kPageGain]->raise();
    // The connect timer starts with the link (next step of the editor); offline nothing opens.
    FPeqPage->RefreshGainPageOverlays();
    FPlots[9]->DrawSectionCurve(0, ChannelColours[0]);
    FPlots[10]->DrawSectionCurve(3, ChannelColours[3]);
    for (int i = 0; i < 3; ++i)
        FPlots[std::size_t(11 + i)]->DrawSectionCurve(33, ChannelColours[std::size_t(i)]);
    if (auto* m = MenuItem(QStringLiteral("NetworkSetup")))
        m->setVisible(true);
    CopySkinPictures();
}

namespace
{

enum Pic { Disabled = 1, Down = 2, Hot = 4, StayDown = 8 };

// Copies the chosen pictures of `from` to `to`; the disabled face from `disabledFrom`'s stay-down one.
void CopyPictures(TSkBmpButton* to, TSkBmpButton* from, unsigned pics, TSkBmpButton* disabledFrom = nullptr)
{
    auto& t = to->Bitmaps();
    const auto& f = from->Bitmaps();
    if (pics & Down)
        t.SetDown(f.Down());
    if (pics & Hot)
        t.SetHot(f.Hot());
    if (pics & StayDown)
        t.SetStayDown(f.StayDown());
    if (disabledFrom)
        t.SetDisabled(disabledFrom->Bitmaps().StayDown());
}

} // namespace

// Copies the template pictures: the page buttons', the graphic equaliser's fader thumbs and the
// matrix route buttons'.
void TfmMain::CopySkinPictures()
{
    CopyMenuPictures();
    CopyInputPictures();
    CopyOutputPictures();
}

// The function page buttons.
void TfmMain::CopyMenuPictures()
{
    const auto& pages = FControls->pageButtons;
    TSkBmpButton* gain = pages[kPageGain];
    TSkBmpButton* matrix = pages[kPageMatrix];
    for (int p : {kPageComp, kPageDelay})
        CopyPictures(pages[std::size_t(p)], gain, Down | Hot | StayDown);
    CopyPictures(matrix, matrix, Down);
    CopyPictures(matrix, gain, Hot | StayDown);
    for (int p : {kPageGate, kPageLimit, kPageGeq}) {
        CopyPictures(pages[std::size_t(p)], matrix, Down);
        CopyPictures(pages[std::size_t(p)], gain, Hot | StayDown);
    }
}

// The input page buttons and the graphic equaliser's fader thumbs.
void TfmMain::CopyInputPictures()
{
    const TMainControls& c = *FControls;
    TSkBmpButton* inA = c.pageButtons[0];
    fx::TTrackBarThumb& thumb = c.geqFaders[0][0]->Thumb();
    for (std::size_t i = 0; i < 3; ++i) {
        CopyPictures(c.pageButtons[i], inA, Down | Hot | StayDown, inA);
        for (TFxTrackBar* f : c.geqFaders[i]) {
            f->Thumb().SetPicture(&thumb.Picture());
            f->Thumb().SetPictureHot(&thumb.PictureHot());
            f->Thumb().SetPictureDown(&thumb.PictureDown());
        }
    }
}

// The output page buttons but the last, and the matrix route buttons.
void TfmMain::CopyOutputPictures()
{
    const TMainControls& c = *FControls;
    TSkBmpButton* gain = c.pageButtons[kPageGain];
    for (std::size_t ch = kInputCount; ch < kChannelCount - 1; ++ch)
        CopyPictures(c.pageButtons[ch], gain, Down | Hot | StayDown, gain);
    TSkBmpButton* route = c.routes[0][0];
    for (const auto& row : c.routes)
        for (TSkBmpButton* b : row)
            CopyPictures(b, route, Down | Hot | StayDown);
}

void TfmMain::CreateDialogs()
{
    if (!FDialogs)
        FDialogs = std::make_unique<TDialogs>(this);
}

void TfmMain::FormClose(bool& allowClose)
{
    if (FDialogs)
        FDialogs->fmExit->Show();
    if (!FExitConfirmed) {
        allowClose = false;
        return;
    }
    allowClose = true;
}

void TfmMain::closeEvent(QCloseEvent* e)
{
    bool allow = true;
    FormClose(allow);
    if (allow) {
        if (FDialogs)
            FDialogs->fmExit->hide();
        e->accept();
    } else {
        e->ignore();
    }
}

} // namespace app
