#include "app/dialogs/LinkDialogs.h"

#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"
#include "app/pages/PeqPage.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"
#include "controls/panels/SkinButtons.h"
#include "model/LUnitControl.h"
#include "session/LLinkSession.h"

namespace app
{

namespace
{

// First channel and size of ch's kind.
int KindBase(int ch)
{
    return ch < kInputCount ? 0 : kInputCount;
}
int KindCount(int ch)
{
    return ch < kInputCount ? kInputCount : kOutputCount;
}

constexpr int kCellLeft = 74, kCellStep = 58, kCellWidth = 54, kRowStep = 32;

int RowTop(int ch)
{
    return ch < kInputCount ? 18 + kRowStep * ch : 136 + kRowStep * (ch - kInputCount);
}

} // namespace

TfmLinkSel::TfmLinkSel(TfmMain* main) : TDialogForm(main, kCellLeft + kCellStep * 6 + 12, 386)
{
    Background();
    for (int row = 0; row < kChannelCount; ++row) {
        const int base = KindBase(row), own = row - base;
        auto* label = Label(QStringLiteral("lbLink") + ChannelTitle(row), 10, RowTop(row), 56, 28);
        label->SetAutoSize(false);
        label->SetBounds(10, RowTop(row), 56, 28);
        label->SetAlignment(sk::taLeftJustify);
        label->Font().SetStyle(fw::fsBold);
        label->SetCaption(ChannelTitle(row));
        for (int col = 0; col <= own; ++col) {
            const QString name = QStringLiteral("rzb") + ChannelSuffix(row) +
                                 (row < kInputCount ? QStringLiteral("LinkIn") : QStringLiteral("LinkOut")) +
                                 ChannelSuffix(base + col);
            sk::TSkBmpButton* b = Button(name, kCellLeft + kCellStep * col, RowTop(row), kCellWidth);
            b->Bitmaps().SetDisabled(sk::SkinButtonFace(kCellWidth, 28, sk::TSkinState::Disabled));
            b->SetHeight(26);
            b->SetTag(col);
            b->SetGroupIndex(row + 1);
            b->SetCaption(ChannelTitle(base + col));
            b->Font().SetStyle(fw::TFontStyles{});
            b->OnClick = [this, row](fw::TControl* s) { RowClick(row, static_cast<sk::TSkBmpButton*>(s)); };
            FGrid[std::size_t(row)][std::size_t(col)] = b;
        }
        FGrid[std::size_t(row)][std::size_t(own)]->SetDown(true);
    }
    const int y = height() - 44;
    bnSet = Button(QStringLiteral("bnSet"), width() / 2 - 100, y);
    bnExit = Button(QStringLiteral("bnExit"), width() / 2 + 14, y);
    bnSet->OnClick = [this](fw::TControl*) { bnSetClick(); };
    bnExit->OnClick = [this](fw::TControl*) { bnExitClick(); };
    SetKeyButtons(bnSet, bnExit);
}

void TfmLinkSel::FormShow()
{
    setWindowTitle(Text("SID_LINK_TITLE"));
    bnSet->SetCaption(Text("SID_SET"));
    bnExit->SetCaption(Text("SID_EXIT"));
    FLinkChanged = 0;
}

sk::TSkBmpButton* TfmLinkSel::GridButton(int row, int col) const
{
    if (row < 0 || row >= kChannelCount || col < KindBase(row) || col > row)
        return nullptr;
    return FGrid[std::size_t(row)][std::size_t(col - KindBase(row))];
}

void TfmLinkSel::ClickGridButton(int row, int col)
{
    sk::TSkBmpButton* b = GridButton(row, col);
    if (!b || !b->Enabled())
        return;
    b->SetDown(true);
    RowClick(row, b);
}

void TfmLinkSel::RowClick(int row, sk::TSkBmpButton* button)
{
    const int base = KindBase(row), own = row - base, last = base + KindCount(row) - 1;
    // The first row of a kind can only lead.
    if (own == 0)
        return;
    FLinkChanged = 1;
    if (row == last)
        return;
    const bool leads = button->Tag() == own;
    for (int below = row + 1; below <= last; ++below) {
        sk::TSkBmpButton* b = GridButton(below, row);
        b->SetEnabled(leads);
        if (!leads && b->Down()) {
            // That channel was in row's group: it leads its own again.
            sk::TSkBmpButton* diagonal = GridButton(below, below);
            diagonal->SetDown(true);
            RowClick(below, diagonal);
        }
    }
}

void TfmLinkSel::ShowLinkWord(int ch, int word)
{
    const int base = KindBase(ch), last = base + KindCount(ch) - 1;
    for (int row = ch; row <= last; ++row) {
        if (!((word >> (row - base)) & 1))
            continue;
        sk::TSkBmpButton* b = GridButton(row, ch);
        b->SetDown(true);
        RowClick(row, b);
    }
}

int TfmLinkSel::GridWord(int ch) const
{
    const int base = KindBase(ch), last = base + KindCount(ch) - 1;
    int word = 0;
    for (int row = ch; row <= last; ++row)
        if (GridButton(row, ch)->Down())
            word |= 1 << (row - base);
    return word;
}

void TfmLinkSel::ApplyLeaderButtons()
{
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const bool leads = GridButton(ch, ch)->Down();
        FMain->Peq().UpdateLinkedOverlayButtons(ch, leads);
        if (leads)
            FMain->SetChannelMenuCaption(ch, ch);
    }
}

void TfmLinkSel::ApplyMemberButtons()
{
    for (int row = 0; row < kChannelCount; ++row)
        for (int col = KindBase(row); col <= row; ++col)
            if (GridButton(row, col)->Down())
                FMain->SetChannelMenuCaption(col, row);
}

void TfmLinkSel::bnSetClick()
{
    // The machine copies the newly joined members, writes the changed words and resyncs.
    std::array<uint16_t, kChannelCount> words{};
    for (int ch = 0; ch < kChannelCount; ++ch)
        words[std::size_t(ch)] = uint16_t(GridWord(ch));
    if (FMain->ApplyLinkWords(words)) {
        ApplyLeaderButtons();
        if (auto* gain = FMain->Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuGain"))) {
            gain->SetDown(true);
            FMain->rzbMenuInAClick(gain);
        }
    }
    Close();
}

void TfmLinkSel::bnExitClick()
{
    if (FLinkChanged)
        for (int ch = 0; ch < kChannelCount; ++ch)
            ShowLinkWord(ch, FMain->Unit()->GetLink(ch));
    Close();
}

TfmCopy::TfmCopy(TfmMain* main) : TDialogForm(main, 360, 190)
{
    Background();
    auto list = [this](const char* name, int x, int y, int first, int count, int index) {
        auto* c = new sk::TSkComboBox(this);
        c->SetName(QString::fromLatin1(name));
        c->SetBounds(x, y, 96, 24);
        for (int ch = first; ch < first + count; ++ch)
            c->Add(ChannelTitle(ch));
        c->SetItemIndex(index);
        return c;
    };
    auto arrow = [this](const char* name, int y) {
        auto* l = Label(QString::fromLatin1(name), 110, y, 30, 24);
        l->SetAutoSize(false);
        l->SetBounds(110, y, 30, 24);
        l->SetCaption(QStringLiteral("\u2192"));
        l->Font().SetHeight(-16);
        return l;
    };
    cbInSource = list("cbInSource", 14, 24, 0, kInputCount, 0);
    FInArrow = arrow("lbInArrow", 24);
    cbInDestination = list("cbInDestination", 144, 24, 0, kInputCount, 1);
    cbOutSource = list("cbOutSource", 14, 76, kInputCount, kOutputCount, 0);
    FOutArrow = arrow("lbOutArrow", 76);
    cbOutDestination = list("cbOutDestination", 144, 76, kInputCount, kOutputCount, 1);
    bnInChCopy = Button(QStringLiteral("bnInChCopy"), 258, 22, 86);
    bnInChCopy->SetTag(0);
    bnOutChCopy = Button(QStringLiteral("bnOutChCopy"), 258, 74, 86);
    bnOutChCopy->SetTag(1);
    bnExit = Button(QStringLiteral("bnExit"), 137, 140);
    bnInChCopy->OnClick = [this](fw::TControl* s) { bnInChCopyClick(s); };
    bnOutChCopy->OnClick = [this](fw::TControl* s) { bnInChCopyClick(s); };
    bnExit->OnClick = [this](fw::TControl*) { Close(); };
    // Return copies nothing by itself.
    SetKeyButtons(nullptr, bnExit);
}

void TfmCopy::FormShow()
{
    setWindowTitle(Text("SID_COPY_TITLE"));
    bnInChCopy->SetCaption(Text("SID_COPY"));
    bnOutChCopy->SetCaption(Text("SID_COPY"));
    bnExit->SetCaption(Text("SID_EXIT"));
}

void TfmCopy::bnInChCopyClick(fw::TControl* Sender)
{
    const bool outputs = Sender->Tag() == 1;
    const int source = (outputs ? cbOutSource : cbInSource)->ItemIndex();
    const int target = (outputs ? cbOutDestination : cbInDestination)->ItemIndex();
    // Both a source and a target, or no copy at all.
    if (source < 0 || target < 0)
        return;
    const int offset = outputs ? kInputCount : 0;
    FMain->Session().Machine.CopyChannel(source + offset, target + offset, true);
}

} // namespace app
