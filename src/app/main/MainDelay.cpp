// TfmMain: the delay page. A fader, a typed edit or a dragged marker sets a channel's delay; it is
// stored for the link group, sent, and shown on every member (fader, edit, marker, dashes, time).
// The unit (ms, m, ft) is one setting of the whole device.
#include "app/main/TfmMain.h"
#include "base/FlagScope.h"

#include "app/main/MainLayout.h"
#include "app/main/PageRules.h"
#include "app/main/ResizeRules.h"
#include "app/main/StdControls.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "model/LUnitControl.h"

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

} // namespace

void TfmMain::ConnectDelayHandlers()
{
    for (int ch = 0; ch < 9; ++ch) {
        const QString s = ChannelTitle(ch);
        if (auto* f = Get<fx::TCustomTrackBar>(QStringLiteral("isDelay") + s))
            f->OnChange = [this](fw::TControl* c) { isDelayInAChange(c); };
        if (auto* e = Get<fx::TRoundEdit>(QStringLiteral("cvdDelay") + s)) {
            e->OnKeyDown = [this](fw::TControl* c, fw::Word& k, fw::TShiftState sh) {
                cvdDelayInBKeyDown(c, k, sh);
            };
            e->OnExit = [this](fw::TControl* c) { cvdDelayInAExit(c); };
        }
        // The time label rides beside the marker over the line: presses there reach the line.
        if (auto* time = Get<QWidget>(QStringLiteral("lbFftDelayTime") + s))
            time->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (auto* line = Get<TPaintBox>(QStringLiteral("lbDelayLine") + s)) {
            line->OnPaint = PaintDelayLine;
            line->OnMouseDown = [this](fw::TControl* c, fw::TMouseButton b, fw::TShiftState sh, int x,
                                       int y) { lbDelayLineInAMouseDown(c, b, sh, x, y); };
            line->OnMouseMove = [this](fw::TControl* c, fw::TShiftState sh, int x, int y) {
                lbDelayLineInAMouseMove(c, sh, x, y);
            };
            line->OnMouseUp = [this](fw::TControl* c, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
                lbDelayLineInAMouseUp(c, b, sh, x, y);
            };
        }
    }
    for (int u = 0; u < 3; ++u)
        if (auto* b = Get<sk::TSkBmpButton>(QStringLiteral("rzbUnit%1").arg(u)))
            b->OnClick = [this](fw::TControl* c) { rzbUnit0Click(c); };
}

int TfmMain::DelayUnit() const
{
    return FUnit ? FUnit->GetDelayUnit() : 0;
}

void TfmMain::isDelayInAChange(fw::TControl* Sender)
{
    if (FUpdating || !Sender || Sender->Tag() < 0 || Sender->Tag() > 8)
        return;
    auto* fader = dynamic_cast<fx::TCustomTrackBar*>(Sender);
    const int t = int(Sender->Tag());
    const QString s = ChannelTitle(t);
    auto* edit = Get<fx::TRoundEdit>(QStringLiteral("cvdDelay") + s);
    auto* marker = Get<fw::TControl>(QStringLiteral("imDelay") + s);
    auto* line = Get<fw::TControl>(QStringLiteral("lbDelayLine") + s);
    auto* time = Get<fw::TControl>(QStringLiteral("lbFftDelayTime") + s);
    if (!fader || !edit || !marker || !line || !time)
        return;
    const int samples = fader->Position();
    marker->SetLeft(DelayMarkerLeft(samples, line->Width(), fader->Max()));
    PlaceDelayMarker(t);
    const QString text = DelayText(samples, DelayUnit());
    edit->SetText(text);
    time->SetCaption(text);
    if (FUnit)
        FUnit->SetDelay(t, uint16_t(samples));
    SyncDelayDisplay(t, samples, marker->Left());
}

void TfmMain::SyncDelayDisplay(int channel, int samples, int markerLeft)
{
    if (!FUnit || channel < 0 || channel > 8)
        return;
    FlagScope updating(FUpdating);
    const QString text = DelayText(samples, DelayUnit());
    const bool input = channel < 3;
    const unsigned group = FUnit->GetLinkGroup(channel) | (1u << (input ? channel : channel - 3));
    for (int bit = 0; bit < (input ? 3 : 6); ++bit) {
        if (!(group & (1u << bit)))
            continue;
        const QString s = ChannelTitle(input ? bit : bit + 3);
        auto* edit = Get<fx::TRoundEdit>(QStringLiteral("cvdDelay") + s);
        auto* fader = Get<fx::TCustomTrackBar>(QStringLiteral("isDelay") + s);
        auto* marker = Get<fw::TControl>(QStringLiteral("imDelay") + s);
        auto* time = Get<fw::TControl>(QStringLiteral("lbFftDelayTime") + s);
        auto* line = Get<fw::TControl>(QStringLiteral("lbDelayLine") + s);
        if (!edit || !fader || !marker || !time || !line)
            continue;
        marker->SetLeft(markerLeft);
        time->SetLeft(marker->Left() + marker->Width());
        line->SetCaption(DelayDashes(marker->Left()));
        edit->SetText(text);
        time->SetCaption(text);
        fader->SetPosition(samples);
    }
}

void TfmMain::PlaceDelayMarker(int channel)
{
    if (channel < 0 || channel > 8)
        return;
    const QString s = ChannelTitle(channel);
    auto* marker = Get<fw::TControl>(QStringLiteral("imDelay") + s);
    auto* line = Get<fw::TControl>(QStringLiteral("lbDelayLine") + s);
    auto* time = Get<fw::TControl>(QStringLiteral("lbFftDelayTime") + s);
    if (!marker || !line || !time)
        return;
    time->SetBounds(marker->Left() + marker->Width(), marker->Top() + marker->Height() / 4, time->Width(),
                    time->Height());
    line->SetCaption(DelayDashes(marker->Left()));
}

void TfmMain::rzbUnit0Click(fw::TControl* Sender)
{
    if (!Sender)
        return;
    const int u = int(Sender->Tag());
    WriteDelayTexts(u);
    if (!FUpdating && FUnit)
        FUnit->SetDelayUnit(uint16_t(u));
}

void TfmMain::cvdDelayInBKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        TypedDelay(Sender);
}

void TfmMain::cvdDelayInAExit(fw::TControl* Sender)
{
    TypedDelay(Sender);
}

void TfmMain::TypedDelay(fw::TControl* Sender)
{
    auto* edit = dynamic_cast<fx::TRoundEdit*>(Sender);
    if (!edit || edit->Tag() < 0 || edit->Tag() > 8)
        return;
    auto* fader = Get<fx::TCustomTrackBar>(QStringLiteral("isDelay") + ChannelTitle(int(edit->Tag())));
    if (!fader)
        return;
    const int unit = DelayUnit();
    const std::optional<int> samples = ParseTypedDelay(edit->Text(), unit, fader->Max());
    edit->SetText(QString());
    if (samples)
        fader->SetPosition(std::max(*samples, fader->Min()));
    edit->SetText(DelayText(fader->Position(), unit));
    edit->InnerEdit()->end(false);
}

namespace
{
// The drag rules take the line to start 40 px into its panel, as the input lines do; the output lines
// start further in, so a pointer on a line is counted from that origin.
int FromDelayOrigin(const fw::TControl* line, int x)
{
    return x + line->Left() - 40;
}
} // namespace

void TfmMain::lbDelayLineInAMouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int X, int Y)
{
    if (!Sender)
        return;
    auto* marker = Get<fw::TControl>(QStringLiteral("imDelay") + ChannelTitle(int(Sender->Tag())));
    if (marker && NearDelayMarker(FromDelayOrigin(Sender, X), Y, marker->Left(), Sender->Height()))
        FDelayDragging = 1;
}

void TfmMain::lbDelayLineInAMouseMove(fw::TControl* Sender, fw::TShiftState, int X, int Y)
{
    if (!Sender || Sender->Tag() < 0 || Sender->Tag() > 8)
        return;
    const QString s = ChannelTitle(int(Sender->Tag()));
    auto* marker = Get<fw::TControl>(QStringLiteral("imDelay") + s);
    auto* fader = Get<fx::TCustomTrackBar>(QStringLiteral("isDelay") + s);
    if (!marker || !fader)
        return;
    if (FDelayDragging != 1) {
        Sender->unsetCursor();
        if (NearDelayMarker(FromDelayOrigin(Sender, X), Y, marker->Left(), Sender->Height()))
            Sender->setCursor(Qt::PointingHandCursor);
        return;
    }
    const std::optional<int> position =
        DelayDragPosition(FromDelayOrigin(Sender, X), Sender->Width(), fader->Max());
    if (!position)
        return;
    fader->SetPosition(*position);
    Sender->SetCaption(DragDashes(std::min(X, Sender->Width() - 75)));
}

void TfmMain::lbDelayLineInAMouseUp(fw::TControl*, fw::TMouseButton, fw::TShiftState, int, int)
{
    FDelayDragging = 0;
}

} // namespace app
