#include "app/pages/DelayPage.h"

#include "app/main/MainLayout.h"
#include "app/main/ResizeRules.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "base/FlagScope.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "model/LUnitControl.h"
#include "pages/PageRules.h"

#include <QPainter>

namespace app
{

namespace
{

// The delay line: the caption's dashes up to the marker in green 16-pixel Times New Roman, centred
// vertically, on the panel (the box itself is transparent).
void PaintDelayLine(TPaintBox* line, fw::TCanvas& canvas)
{
    QPainter& p = canvas.Painter();
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(16);
    // A dash stands for 6 pixels of travel: spaced so, the dashes end at the marker.
    f.setLetterSpacing(QFont::AbsoluteSpacing, 6 - QFontMetrics(f).horizontalAdvance(QChar(u'-')));
    p.setFont(f);
    p.setPen(QColor(0, 255, 0));
    p.drawText(QRect(0, 0, line->Width(), line->Height()), Qt::AlignLeft | Qt::AlignVCenter, line->Caption());
}

// The drag rules take the line to start 40 px into its panel, as the input lines do; the output lines
// start further in, so a pointer on a line is counted from that origin.
int FromDelayOrigin(const fw::TControl* line, int x)
{
    return x + line->Left() - 40;
}

} // namespace

void DelayPage::Bind(TControlBinder& b)
{
    for (int ch = 0; ch < 9; ++ch) {
        const QString s = ChannelTitle(ch);
        Channel& c = FChannels[std::size_t(ch)];
        b.Bind(c.fader, QStringLiteral("isDelay") + s);
        b.Bind(c.edit, QStringLiteral("cvdDelay") + s);
        b.Bind(c.marker, QStringLiteral("imDelay") + s);
        b.Bind(c.line, QStringLiteral("lbDelayLine") + s);
        b.Bind(c.time, QStringLiteral("lbFftDelayTime") + s);
    }
    for (int u = 0; u < 3; ++u)
        b.Bind(FUnitButtons[std::size_t(u)], QStringLiteral("rzbUnit%1").arg(u));
}

void DelayPage::Connect()
{
    for (Channel& c : FChannels) {
        c.fader->OnChange = [this](fw::TControl* s) { isDelayInAChange(s); };
        c.edit->OnKeyDown = [this](fw::TControl* s, fw::Word& k, fw::TShiftState sh) {
            cvdDelayInBKeyDown(s, k, sh);
        };
        c.edit->OnExit = [this](fw::TControl* s) { cvdDelayInAExit(s); };
        // The time label rides beside the marker over the line: presses there reach the line.
        c.time->setAttribute(Qt::WA_TransparentForMouseEvents);
        c.line->OnPaint = PaintDelayLine;
        c.line->OnMouseDown = [this](fw::TControl* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
            lbDelayLineInAMouseDown(s, b, sh, x, y);
        };
        c.line->OnMouseMove = [this](fw::TControl* s, fw::TShiftState sh, int x, int y) {
            lbDelayLineInAMouseMove(s, sh, x, y);
        };
        c.line->OnMouseUp = [this](fw::TControl* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
            lbDelayLineInAMouseUp(s, b, sh, x, y);
        };
    }
    for (sk::TSkBmpButton* b : FUnitButtons)
        b->OnClick = [this](fw::TControl* s) { rzbUnit0Click(s); };
}

DelayPage::Channel* DelayPage::Of(const fw::TControl* sender)
{
    if (!sender || sender->Tag() < 0 || sender->Tag() > 8)
        return nullptr;
    return &FChannels[std::size_t(sender->Tag())];
}

int DelayPage::DelayUnit() const
{
    return FMain.Unit() ? FMain.Unit()->GetDelayUnit() : 0;
}

void DelayPage::isDelayInAChange(fw::TControl* Sender)
{
    Channel* c = Of(Sender);
    if (FMain.UpdatingFlag() || !c)
        return;
    const int t = int(Sender->Tag());
    const int samples = c->fader->Position();
    c->marker->SetLeft(DelayMarkerLeft(samples, c->line->Width(), c->fader->Max()));
    PlaceDelayMarker(t);
    const QString text = DelayText(samples, DelayUnit());
    c->edit->SetText(text);
    c->time->SetCaption(text);
    if (LUnitControl* unit = FMain.Unit())
        unit->SetDelay(t, uint16_t(samples));
    SyncDelayDisplay(t, samples, c->marker->Left());
}

void DelayPage::SyncDelayDisplay(int channel, int samples, int markerLeft)
{
    LUnitControl* unit = FMain.Unit();
    if (!unit || channel < 0 || channel > 8)
        return;
    FlagScope updating(FMain.UpdatingFlag());
    const QString text = DelayText(samples, DelayUnit());
    const bool input = channel < 3;
    const unsigned group = unit->GetLinkGroup(channel) | (1u << (input ? channel : channel - 3));
    for (int bit = 0; bit < (input ? 3 : 6); ++bit) {
        if (!(group & (1u << bit)))
            continue;
        Channel& c = FChannels[std::size_t(input ? bit : bit + 3)];
        c.marker->SetLeft(markerLeft);
        c.time->SetLeft(c.marker->Left() + c.marker->Width());
        c.line->SetCaption(DelayDashes(c.marker->Left()));
        c.edit->SetText(text);
        c.time->SetCaption(text);
        c.fader->SetPosition(samples);
    }
}

void DelayPage::PlaceDelayMarker(int channel)
{
    if (channel < 0 || channel > 8)
        return;
    Channel& c = FChannels[std::size_t(channel)];
    c.time->SetBounds(c.marker->Left() + c.marker->Width(), c.marker->Top() + c.marker->Height() / 4,
                      c.time->Width(), c.time->Height());
    c.line->SetCaption(DelayDashes(c.marker->Left()));
}

void DelayPage::rzbUnit0Click(fw::TControl* Sender)
{
    if (!Sender)
        return;
    const int u = int(Sender->Tag());
    WriteDelayTexts(u);
    if (!FMain.UpdatingFlag() && FMain.Unit())
        FMain.Unit()->SetDelayUnit(uint16_t(u));
}

void DelayPage::cvdDelayInBKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        TypedDelay(Sender);
}

void DelayPage::cvdDelayInAExit(fw::TControl* Sender)
{
    TypedDelay(Sender);
}

void DelayPage::TypedDelay(fw::TControl* Sender)
{
    Channel* c = Of(Sender);
    if (!c)
        return;
    const int unit = DelayUnit();
    const std::optional<int> samples = ParseTypedDelay(c->edit->Text(), unit, c->fader->Max());
    c->edit->SetText(QString());
    if (samples)
        c->fader->SetPosition(std::max(*samples, c->fader->Min()));
    c->edit->SetText(DelayText(c->fader->Position(), unit));
    c->edit->InnerEdit()->end(false);
}

void DelayPage::lbDelayLineInAMouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int X, int Y)
{
    Channel* c = Of(Sender);
    if (c && NearDelayMarker(FromDelayOrigin(Sender, X), Y, c->marker->Left(), Sender->Height()))
        FDelayDragging = 1;
}

void DelayPage::lbDelayLineInAMouseMove(fw::TControl* Sender, fw::TShiftState, int X, int Y)
{
    Channel* c = Of(Sender);
    if (!c)
        return;
    if (FDelayDragging != 1) {
        Sender->unsetCursor();
        if (NearDelayMarker(FromDelayOrigin(Sender, X), Y, c->marker->Left(), Sender->Height()))
            Sender->setCursor(Qt::PointingHandCursor);
        return;
    }
    const std::optional<int> position =
        DelayDragPosition(FromDelayOrigin(Sender, X), Sender->Width(), c->fader->Max());
    if (!position)
        return;
    c->fader->SetPosition(*position);
    Sender->SetCaption(DragDashes(std::min(X, Sender->Width() - 75)));
}

void DelayPage::lbDelayLineInAMouseUp(fw::TControl*, fw::TMouseButton, fw::TShiftState, int, int)
{
    FDelayDragging = 0;
}

void DelayPage::ShowChannelDelay(int ch)
{
    LUnitControl* unit = FMain.Unit();
    if (!unit || ch < 0 || ch > 8)
        return;
    Channel& c = FChannels[std::size_t(ch)];
    c.fader->SetPosition(unit->GetDelay(ch));
    c.marker->SetLeft(DelayMarkerLeft(c.fader->Position(), c.line->Width(), c.fader->Max()));
}

void DelayPage::ShowDelayUnit(int unit)
{
    if (unit >= 0 && unit < 3)
        FUnitButtons[std::size_t(unit)]->SetDown(true);
    WriteDelayTexts(unit);
}

void DelayPage::WriteDelayTexts(int unit)
{
    for (Channel& c : FChannels) {
        const QString text = DelayText(c.fader->Position(), unit);
        c.edit->SetText(text);
        c.time->SetCaption(text);
    }
}

void DelayPage::PlaceDelayMarkers()
{
    for (int ch = 0; ch < 9; ++ch) {
        Channel& c = FChannels[std::size_t(ch)];
        c.marker->SetLeft(DelayMarkerLeft(c.fader->Position(), c.line->Width(), c.fader->Max()));
        PlaceDelayMarker(ch);
    }
}

} // namespace app
