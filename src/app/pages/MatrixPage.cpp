#include "app/pages/MatrixPage.h"

#include "app/main/MainLayout.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "base/CodePage.h"
#include "base/ValueScales.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/RoundEdit.h"
#include "model/LUnitControl.h"
#include "pages/PageRules.h"

#include <QPainter>

namespace app
{

void MatrixPage::Bind(TControlBinder& b)
{
    for (int ch = 0; ch < 9; ++ch) {
        const QString s = ChannelTitle(ch);
        Channel& c = FChannels[std::size_t(ch)];
        b.Bind(c.row, QStringLiteral("plMatrix") + s);
        b.Bind(c.name, QStringLiteral("lbMatrixChName") + s);
        b.Bind(c.menu, QStringLiteral("rzbMenu") + s);
    }
    for (int n = 1; n <= 6; ++n)
        for (int i = 0; i < 3; ++i) {
            const QString x = ChannelSuffix(i), out = QString::number(n);
            Mix& m = FMix[std::size_t(n - 1)][std::size_t(i)];
            b.Bind(m.route, QStringLiteral("rzb") + x + QStringLiteral("MatrixOut") + out);
            b.Bind(m.gain, QStringLiteral("udMixGain") + x + QStringLiteral("Out") + out);
            b.Bind(m.edit, QStringLiteral("cvd") + x + QStringLiteral("MatrixOut") + out);
        }
    b.Bind(FBox, QStringLiteral("pbMatrix"));
    b.Bind(FMenus.gate, QStringLiteral("rzbMenuGate"));
    b.Bind(FMenus.geq, QStringLiteral("rzbMenuGeq"));
    b.Bind(FMenus.delay, QStringLiteral("rzbMenuDelay"));
    b.Bind(FMenus.comp, QStringLiteral("rzbMenuComp"));
    b.Bind(FMenus.limit, QStringLiteral("rzbMenuLimit"));
    b.Bind(FMenus.matrix, QStringLiteral("rzbMenuMatrix"));
    for (int i = 0; i < 3; ++i)
        b.Bind(FGeqTabs[std::size_t(i)], QStringLiteral("rzbGeqSelIn") + ChannelSuffix(i));

    // The diagram's labels: each block opens its page, each name its name dialog.
    FLabels.clear();
    FLabels.reserve(3 * 7 + 6 * 8);
    auto label = [&](const QString& name, LabelClick click) {
        FLabels.push_back({nullptr, click});
        b.Bind(FLabels.back().label, name);
    };
    for (int i = 0; i < 3; ++i) {
        const QString x = ChannelSuffix(i);
        for (const char* block : {"Gain", "Peq", "HpLp"})
            label(QStringLiteral("lbMatrix") + QString::fromLatin1(block) + QStringLiteral("In") + x,
                  &MatrixPage::lbMatrixHpLpInAClick);
        label(QStringLiteral("lbMatrixGateIn") + x, &MatrixPage::lbMatrixGateInAClick);
        label(QStringLiteral("lbMatrixGeqIn") + x, &MatrixPage::lbMatrixGeqInAClick);
        label(QStringLiteral("lbMatrixDelayIn") + x, &MatrixPage::lbMatrixDelayInAClick);
        label(QStringLiteral("lbMatrixChNameIn") + x, &MatrixPage::lbMatrixChNameInAClick);
    }
    for (int n = 1; n <= 6; ++n) {
        const QString x = QString::number(n);
        for (const char* block : {"Xover", "Peq", "Gain", "Mute"})
            label(QStringLiteral("lbMatrix") + QString::fromLatin1(block) + QStringLiteral("Out") + x,
                  &MatrixPage::lbMatrixHpLpInAClick);
        label(QStringLiteral("lbMatrixCompOut") + x, &MatrixPage::lbMatrixCompOut1Click);
        label(QStringLiteral("lbMatrixPhaseOut") + x, &MatrixPage::lbMatrixPhaseOut1Click);
        label(QStringLiteral("lbMatrixDelayOut") + x, &MatrixPage::lbMatrixDelayInAClick);
        label(QStringLiteral("lbMatrixChNameOut") + x, &MatrixPage::lbMatrixChNameInAClick);
    }
}

void MatrixPage::Connect()
{
    for (int n = 1; n <= 6; ++n)
        for (Mix& m : FMix[std::size_t(n - 1)]) {
            m.route->OnClick = [this, n](fw::TControl* s) { rzbAMatrixOut1Click(s, n); };
            m.gain->OnChangingEx = [this, n](fw::TControl* s, bool& allow, int v) {
                udMixGainAOut1ChangingEx(s, allow, v, n);
            };
            m.edit->OnKeyDown = [this, n](fw::TControl* s, fw::Word& k, fw::TShiftState sh) {
                cvdAMatrixOut1KeyDown(s, k, sh, n);
            };
            m.edit->OnExit = [this, n](fw::TControl* s) { cvdAMatrixOut1Exit(s, n); };
        }
    FBox->OnPaint = [this](TPaintBox*, fw::TCanvas& canvas) { DrawMatrixRoutes(canvas); };
    // Rows against the box at the design size, where the lines' anchors are set.
    for (int ch = 0; ch < 9; ++ch)
        FMatrixRowOffsets[std::size_t(ch)] = FChannels[std::size_t(ch)].row->Top() - FBox->Top();
    for (const BlockLabel& l : FLabels) {
        l.label->OnClick = [this, click = l.click](fw::TControl* s) { (this->*click)(s); };
        l.label->OnMouseMove = [this](fw::TControl* s, fw::TShiftState, int, int) {
            lbMatrixChNameInAMouseMove(s);
        };
        l.label->OnMouseLeave = [this](fw::TControl* s) { lbMatrixChNameInAMouseLeave(s); };
    }
}

// ---- routing and mix ----

MatrixPage::Mix* MatrixPage::MixOf(const fw::TControl* sender, int output)
{
    if (!sender || sender->Tag() < 0 || sender->Tag() > 2 || output < 1 || output > 6)
        return nullptr;
    return &FMix[std::size_t(output - 1)][std::size_t(sender->Tag())];
}

std::vector<RouteSegment> MatrixPage::MatrixRoutes()
{
    LUnitControl* unit = FMain.Unit();
    std::array<uint16_t, 6> routes{};
    for (int j = 0; j < 6 && unit; ++j)
        routes[std::size_t(j)] = unit->GetMatrix(j + 3);
    std::array<int, 9> shift{};
    for (int ch = 0; ch < 9; ++ch)
        shift[std::size_t(ch)] =
            FChannels[std::size_t(ch)].row->Top() - FBox->Top() - FMatrixRowOffsets[std::size_t(ch)];
    return MatrixRouteSegments(routes, std::span<const int, 3>(shift.data(), 3),
                               std::span<const int, 6>(shift.data() + 3, 6), FBox->Width());
}

void MatrixPage::DrawMatrixRoutes(fw::TCanvas& Canvas)
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

void MatrixPage::RepaintMatrixRoutes()
{
    FBox->update();
}

void MatrixPage::rzbAMatrixOut1Click(fw::TControl* Sender, int output)
{
    auto* b = dynamic_cast<sk::TSkBmpButton*>(Sender);
    if (!b || !MixOf(b, output) || !FMain.Unit())
        return;
    FMain.Unit()->SetMatrix(output + 2, int(b->Tag()), b->Down());
    RepaintMatrixRoutes();
}

void MatrixPage::udMixGainAOut1ChangingEx(fw::TControl* Sender, bool&, int NewValue, int output)
{
    auto* u = dynamic_cast<TUpDown*>(Sender);
    Mix* m = MixOf(u, output);
    if (!m || NewValue < u->Min || NewValue > u->Max)
        return;
    m->edit->SetText(QString::fromStdString(FormatGainText(NewValue)));
    if (FMain.UpdatingFlag() || !FMain.Unit())
        return;
    FMain.Unit()->SetMix(output + 2, int(m->route->Tag()), uint16_t(NewValue - u->Min));
    RepaintMatrixRoutes();
}

void MatrixPage::cvdAMatrixOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState, int output)
{
    if (Key == fw::VK_RETURN)
        TypedMix(Sender, output);
}

void MatrixPage::cvdAMatrixOut1Exit(fw::TControl* Sender, int output)
{
    TypedMix(Sender, output);
}

void MatrixPage::TypedMix(fw::TControl* Sender, int output)
{
    auto* edit = dynamic_cast<fx::TRoundEdit*>(Sender);
    Mix* m = MixOf(edit, output);
    if (!m)
        return;
    TUpDown* u = m->gain;
    const std::optional<int> p = ParseTypedMix(edit->Text());
    edit->SetText(QString());
    const bool change = p && *p != u->Position();
    if (change)
        u->SetPosition(*p);
    edit->SetText(QString::fromStdString(FormatGainText(u->Position())));
    if (!change)
        edit->InnerEdit()->end(false);
}

void MatrixPage::ShowOutputMix(int ch)
{
    LUnitControl* unit = FMain.Unit();
    if (ch < 3 || ch > 8 || !unit)
        return;
    const int route = unit->GetMatrix(ch);
    for (int i = 0; i < 3; ++i) {
        Mix& m = FMix[std::size_t(ch - 3)][std::size_t(i)];
        m.route->SetDown(route & (1 << i));
        m.gain->SetPosition(int(unit->GetMix(ch, i)) + m.gain->Min);
        m.edit->SetText(QString::fromStdString(FormatGainText(m.gain->Position())));
    }
}

// ---- navigation ----

void MatrixPage::OpenPageFromLabel(sk::TSkBmpButton* button)
{
    button->Click();
    button->SetDown(true);
    FMenus.matrix->SetDown(false);
}

void MatrixPage::lbMatrixHpLpInAClick(fw::TControl* Sender)
{
    if (Sender && Sender->Tag() >= 0 && Sender->Tag() <= 8)
        OpenPageFromLabel(FChannels[std::size_t(Sender->Tag())].menu);
}

void MatrixPage::lbMatrixGateInAClick(fw::TControl*)
{
    OpenPageFromLabel(FMenus.gate);
}

void MatrixPage::lbMatrixGeqInAClick(fw::TControl* Sender)
{
    if (!Sender || Sender->Tag() < 0 || Sender->Tag() > 2)
        return;
    OpenPageFromLabel(FMenus.geq);
    sk::TSkBmpButton* tab = FGeqTabs[std::size_t(Sender->Tag())];
    tab->Click();
    tab->SetDown(true);
}

void MatrixPage::lbMatrixDelayInAClick(fw::TControl*)
{
    OpenPageFromLabel(FMenus.delay);
}

void MatrixPage::lbMatrixCompOut1Click(fw::TControl*)
{
    OpenPageFromLabel(FMenus.comp);
}

void MatrixPage::lbMatrixPhaseOut1Click(fw::TControl*)
{
    OpenPageFromLabel(FMenus.limit);
}

void MatrixPage::lbMatrixChNameInAMouseMove(fw::TControl* Sender)
{
    if (Sender)
        Sender->setCursor(Qt::PointingHandCursor);
}

void MatrixPage::lbMatrixChNameInAMouseLeave(fw::TControl* Sender)
{
    if (Sender)
        Sender->unsetCursor();
}

// ---- channel names ----

void MatrixPage::lbMatrixChNameInAClick(fw::TControl* Sender)
{
    if (Sender && Sender->Tag() >= 0 && Sender->Tag() <= 8 && ChannelNameDialog)
        ChannelNameDialog(int(Sender->Tag()), Sender->Caption());
}

std::span<const uint8_t, 8> MatrixPage::GetChannelName(int ch) const
{
    return FMain.Unit()->GetChannelName(ch);
}

void MatrixPage::SetChannelName(int ch, const std::array<uint8_t, 8>& name)
{
    if (ch < 0 || ch > 8 || !FMain.Unit())
        return;
    ShowName(ch, ChannelNameText(name, CurrentCodePage()));
    FMain.Unit()->SetChannelName(ch, name);
}

void MatrixPage::ShowChannelName(int ch)
{
    if (ch >= 0 && ch <= 8 && FMain.Unit())
        ShowName(ch, ChannelNameText(FMain.Unit()->GetChannelName(ch), CurrentCodePage()));
}

void MatrixPage::ShowName(int ch, const QString& text)
{
    Channel& c = FChannels[std::size_t(ch)];
    c.name->SetCaption(text);
    c.menu->SetHint(text);
}

} // namespace app
