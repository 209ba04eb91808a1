// TfmMain: the matrix page. Route buttons and mix levels per output (no link groups), the route lines
// of the block diagram drawn from the model on every paint, the diagram's block labels that open the
// pages, and the channel names shown on the diagram and the page buttons.
#include "app/main/TfmMain.h"

#include "app/main/MainLayout.h"
#include "app/main/StdControls.h"
#include "base/ValueScales.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/RoundEdit.h"
#include "model/LUnitControl.h"
#include "pages/PageRules.h"

#include <QPainter>

namespace app
{

void TfmMain::ConnectGeqDelayMatrixHandlers()
{
    ConnectGeqHandlers();
    ConnectMatrixHandlers();
}

void TfmMain::ConnectMatrixHandlers()
{
    for (int n = 1; n <= 6; ++n)
        for (int i = 0; i < 3; ++i) {
            const QString x = ChannelSuffix(i), out = QString::number(n);
            if (auto* b =
                    Get<sk::TSkBmpButton>(QStringLiteral("rzb") + x + QStringLiteral("MatrixOut") + out))
                b->OnClick = [this, n](fw::TControl* s) { rzbAMatrixOut1Click(s, n); };
            if (auto* u = Get<TUpDown>(QStringLiteral("udMixGain") + x + QStringLiteral("Out") + out))
                u->OnChangingEx = [this, n](fw::TControl* s, bool& allow, int v) {
                    udMixGainAOut1ChangingEx(s, allow, v, n);
                };
            if (auto* e =
                    Get<fx::TRoundEdit>(QStringLiteral("cvd") + x + QStringLiteral("MatrixOut") + out)) {
                e->OnKeyDown = [this, n](fw::TControl* s, fw::Word& k, fw::TShiftState sh) {
                    cvdAMatrixOut1KeyDown(s, k, sh, n);
                };
                e->OnExit = [this, n](fw::TControl* s) { cvdAMatrixOut1Exit(s, n); };
            }
        }
    if (auto* pb = Get<TPaintBox>(QStringLiteral("pbMatrix"))) {
        pb->OnPaint = [this](TPaintBox*, fw::TCanvas& canvas) { DrawMatrixRoutes(canvas); };
        // Rows against the box at the design size, where the lines' anchors are set.
        for (int ch = 0; ch < 9; ++ch)
            if (auto* row = Get<fw::TControl>(QStringLiteral("plMatrix") + ChannelTitle(ch)))
                FMatrixRowOffsets[std::size_t(ch)] = row->Top() - pb->Top();
    }

    // The diagram's labels: each block opens its page, each name its name dialog.
    auto hover = [this](fw::TControl* l) {
        l->OnMouseMove = [this](fw::TControl* s, fw::TShiftState, int, int) {
            lbMatrixChNameInAMouseMove(s);
        };
        l->OnMouseLeave = [this](fw::TControl* s) { lbMatrixChNameInAMouseLeave(s); };
    };
    auto wire = [&](const QString& name, void (TfmMain::*handler)(fw::TControl*)) {
        if (auto* l = Get<fw::TControl>(name)) {
            l->OnClick = [this, handler](fw::TControl* s) { (this->*handler)(s); };
            hover(l);
        }
    };
    for (int i = 0; i < 3; ++i) {
        const QString x = ChannelSuffix(i);
        for (const char* block : {"Gain", "Peq", "HpLp"})
            wire(QStringLiteral("lbMatrix") + QString::fromLatin1(block) + QStringLiteral("In") + x,
                 &TfmMain::lbMatrixHpLpInAClick);
        wire(QStringLiteral("lbMatrixGateIn") + x, &TfmMain::lbMatrixGateInAClick);
        wire(QStringLiteral("lbMatrixGeqIn") + x, &TfmMain::lbMatrixGeqInAClick);
        wire(QStringLiteral("lbMatrixDelayIn") + x, &TfmMain::lbMatrixDelayInAClick);
        wire(QStringLiteral("lbMatrixChNameIn") + x, &TfmMain::lbMatrixChNameInAClick);
    }
    for (int n = 1; n <= 6; ++n) {
        const QString x = QString::number(n);
        for (const char* block : {"Xover", "Peq", "Gain", "Mute"})
            wire(QStringLiteral("lbMatrix") + QString::fromLatin1(block) + QStringLiteral("Out") + x,
                 &TfmMain::lbMatrixHpLpInAClick);
        wire(QStringLiteral("lbMatrixCompOut") + x, &TfmMain::lbMatrixCompOut1Click);
        wire(QStringLiteral("lbMatrixPhaseOut") + x, &TfmMain::lbMatrixPhaseOut1Click);
        wire(QStringLiteral("lbMatrixDelayOut") + x, &TfmMain::lbMatrixDelayInAClick);
        wire(QStringLiteral("lbMatrixChNameOut") + x, &TfmMain::lbMatrixChNameInAClick);
    }
}

// ---- routing and mix ----

std::vector<RouteSegment> TfmMain::MatrixRoutes()
{
    std::array<uint16_t, 6> routes{};
    for (int j = 0; j < 6 && FUnit; ++j)
        routes[std::size_t(j)] = FUnit->GetMatrix(j + 3);
    auto* pb = Get<TPaintBox>(QStringLiteral("pbMatrix"));
    if (!pb)
        return {};
    std::array<int, 9> shift{};
    for (int ch = 0; ch < 9; ++ch)
        if (auto* row = Get<fw::TControl>(QStringLiteral("plMatrix") + ChannelTitle(ch)))
            shift[std::size_t(ch)] = row->Top() - pb->Top() - FMatrixRowOffsets[std::size_t(ch)];
    return MatrixRouteSegments(routes, std::span<const int, 3>(shift.data(), 3),
                               std::span<const int, 6>(shift.data() + 3, 6), pb->Width());
}

void TfmMain::DrawMatrixRoutes(fw::TCanvas& Canvas)
{
    QPainter& p = Canvas.Painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (const RouteSegment& r : MatrixRoutes()) {
        p.setPen(QPen(fw::ToQColor(r.colour), 2));
        p.drawLine(r.x0, r.y0, r.x1, r.y1);
    }
    p.restore();
}

void TfmMain::RepaintMatrixRoutes()
{
    if (auto* pb = Get<QWidget>(QStringLiteral("pbMatrix")))
        pb->update();
}

void TfmMain::rzbAMatrixOut1Click(fw::TControl* Sender, int output)
{
    auto* b = dynamic_cast<sk::TSkBmpButton*>(Sender);
    if (!b || b->Tag() < 0 || b->Tag() > 2 || output < 1 || output > 6 || !FUnit)
        return;
    FUnit->SetMatrix(output + 2, int(b->Tag()), b->Down());
    RepaintMatrixRoutes();
}

void TfmMain::udMixGainAOut1ChangingEx(fw::TControl* Sender, bool&, int NewValue, int output)
{
    auto* u = dynamic_cast<TUpDown*>(Sender);
    if (!u || NewValue < u->Min || NewValue > u->Max || u->Tag() < 0 || u->Tag() > 2 || output < 1 ||
        output > 6)
        return;
    const QString x = ChannelSuffix(int(u->Tag())), out = QString::number(output);
    auto* route = Get<fw::TControl>(QStringLiteral("rzb") + x + QStringLiteral("MatrixOut") + out);
    auto* edit = Get<fx::TRoundEdit>(QStringLiteral("cvd") + x + QStringLiteral("MatrixOut") + out);
    if (!route || !edit)
        return;
    edit->SetText(QString::fromStdString(FormatGainText(NewValue)));
    if (FUpdating || !FUnit)
        return;
    FUnit->SetMix(output + 2, int(route->Tag()), uint16_t(NewValue - u->Min));
    RepaintMatrixRoutes();
}

void TfmMain::cvdAMatrixOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState, int output)
{
    if (Key == fw::VK_RETURN)
        TypedMix(Sender, output);
}

void TfmMain::cvdAMatrixOut1Exit(fw::TControl* Sender, int output)
{
    TypedMix(Sender, output);
}

void TfmMain::TypedMix(fw::TControl* Sender, int output)
{
    auto* edit = dynamic_cast<fx::TRoundEdit*>(Sender);
    if (!edit || edit->Tag() < 0 || edit->Tag() > 2)
        return;
    auto* u = Get<TUpDown>(QStringLiteral("udMixGain") + ChannelSuffix(int(edit->Tag())) +
                           QStringLiteral("Out") + QString::number(output));
    if (!u)
        return;
    const std::optional<int> p = ParseTypedMix(edit->Text());
    edit->SetText(QString());
    const bool change = p && *p != u->Position();
    if (change)
        u->SetPosition(*p);
    edit->SetText(QString::fromStdString(FormatGainText(u->Position())));
    if (!change)
        edit->InnerEdit()->end(false);
}

// ---- navigation ----

void TfmMain::OpenPageFromLabel(const QString& buttonName)
{
    auto* b = Get<sk::TSkBmpButton>(buttonName);
    if (!b)
        return;
    b->Click();
    b->SetDown(true);
    if (auto* matrix = Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuMatrix")))
        matrix->SetDown(false);
}

void TfmMain::lbMatrixHpLpInAClick(fw::TControl* Sender)
{
    if (Sender && Sender->Tag() >= 0 && Sender->Tag() <= 8)
        OpenPageFromLabel(QStringLiteral("rzbMenu") + ChannelTitle(int(Sender->Tag())));
}

void TfmMain::lbMatrixGateInAClick(fw::TControl*)
{
    OpenPageFromLabel(QStringLiteral("rzbMenuGate"));
}

void TfmMain::lbMatrixGeqInAClick(fw::TControl* Sender)
{
    if (!Sender || Sender->Tag() < 0 || Sender->Tag() > 2)
        return;
    OpenPageFromLabel(QStringLiteral("rzbMenuGeq"));
    if (auto* tab =
            Get<sk::TSkBmpButton>(QStringLiteral("rzbGeqSelIn") + ChannelSuffix(int(Sender->Tag())))) {
        tab->Click();
        tab->SetDown(true);
    }
}

void TfmMain::lbMatrixDelayInAClick(fw::TControl*)
{
    OpenPageFromLabel(QStringLiteral("rzbMenuDelay"));
}

void TfmMain::lbMatrixCompOut1Click(fw::TControl*)
{
    OpenPageFromLabel(QStringLiteral("rzbMenuComp"));
}

void TfmMain::lbMatrixPhaseOut1Click(fw::TControl*)
{
    OpenPageFromLabel(QStringLiteral("rzbMenuLimit"));
}

void TfmMain::lbMatrixChNameInAMouseMove(fw::TControl* Sender)
{
    if (Sender)
        Sender->setCursor(Qt::PointingHandCursor);
}

void TfmMain::lbMatrixChNameInAMouseLeave(fw::TControl* Sender)
{
    if (Sender)
        Sender->unsetCursor();
}

// ---- channel names ----

void TfmMain::lbMatrixChNameInAClick(fw::TControl* Sender)
{
    if (Sender && Sender->Tag() >= 0 && Sender->Tag() <= 8 && ChannelNameDialog)
        ChannelNameDialog(int(Sender->Tag()), Sender->Caption());
}

std::span<const uint8_t, 8> TfmMain::GetChannelName(int ch) const
{
    return FUnit->GetChannelName(ch);
}

void TfmMain::SetChannelName(int ch, const std::array<uint8_t, 8>& name)
{
    if (ch < 0 || ch > 8 || !FUnit)
        return;
    auto* label = Get<fw::TControl>(QStringLiteral("lbMatrixChName") + ChannelTitle(ch));
    auto* button = Get<fw::TControl>(QStringLiteral("rzbMenu") + ChannelTitle(ch));
    if (!label || !button)
        return;
    const QString text = ChannelNameText(name, CurrentCodePage());
    label->SetCaption(text);
    button->SetHint(text);
    FUnit->SetChannelName(ch, name);
}

} // namespace app
