#include "eq/TMyPEQType8.h"

#include "base/ValueScales.h"
#include "curves/CurveColours.h"
#include "framework/FloatFormat.h"

#include <QRegularExpression>

namespace eq
{

const std::array<QString, 10>& BuiltInPeqTexts()
{
    static const std::array<QString, 10> texts = {
        QStringLiteral(" Peak       "), QStringLiteral(" Low Shelf  "), QStringLiteral(" High Shelf "),
        QStringLiteral(" LPF -6dB   "), QStringLiteral(" LPF -12dB  "), QStringLiteral(" HPF -6dB   "),
        QStringLiteral(" HPF -12dB  "), QStringLiteral(" Allpass 1  "), QStringLiteral(" Allpass 2  "),
        QStringLiteral("   BYPASS   ")};
    return texts;
}

namespace
{
TPeqRules Type8Rules()
{
    TPeqRules r;
    r.Slots = TMyPEQType8::RowSlots;
    const auto& texts = BuiltInPeqTexts();
    for (int t = 0; t < PeqTypeCount; ++t)
        r.TypeNames << texts[std::size_t(t)];
    r.BypassText = texts[9];
    r.NumberColours.assign(MarkerColourCycle.begin(), MarkerColourCycle.end());
    r.SnapFreq = [](double hz, char) { return SnapFreqPosition(hz); };
    r.ParamGainPosition = ParamGainPosition;
    r.GainPosition = GainPosition;
    r.QText = [](double q, char) { return QText(q); };
    r.GainText = [](double db, char) { return GainText(db); };
    r.ParseGain = ParseGainEntry;
    return r;
}
} // namespace

TMyPEQType8::TMyPEQType8(QWidget* parent) : TMyPEQType8(parent, RowSlots) {}

TMyPEQType8::TMyPEQType8(QWidget* parent, int channelNumber)
    : TPeqTableCore(parent, Type8Rules(), channelNumber)
{
}

// ---------------------------------------------------------------------------------------------------
// Column headings

TPeqHeader::TPeqHeader(QWidget* parent) : TSkLabel(parent)
{
    // The width of the table, whatever the caption's length.
    SetAutoSize(false);
}

void TPeqHeader::SetTable(TPeqTableCore* table)
{
    FTable = table;
    update();
}

std::vector<std::pair<QString, std::pair<int, int>>> TPeqHeader::Cells() const
{
    std::vector<std::pair<QString, std::pair<int, int>>> cells;
    if (!FTable || FTable->ChannelNumber() < 1)
        return cells;
    static const QRegularExpression gap(QStringLiteral("\\s{2,}"));
    const QStringList fields = Caption().trimmed().split(gap, Qt::SkipEmptyParts);
    const QWidget* columns[6] = {FTable->NumberLabel(0), FTable->FreqEdit(0), FTable->QEdit(0),
                                 FTable->GainEdit(0),    FTable->TypeBox(0),  FTable->BypassButton(0)};
    if (fields.size() != 6 || std::find(std::begin(columns), std::end(columns), nullptr) != std::end(columns))
        return cells;
    const QWidget* top = window();
    for (int k = 0; k < 6; ++k) {
        const int left = columns[k]->mapTo(top, QPoint()).x() - mapTo(top, QPoint()).x();
        cells.push_back({fields[k].trimmed(), {left, columns[k]->width()}});
    }
    return cells;
}

void TPeqHeader::Paint(fw::TCanvas& canvas)
{
    const auto cells = Cells();
    if (cells.empty()) {
        TSkLabel::Paint(canvas);
        return;
    }
    canvas.Brush.Style = fw::bsClear;
    canvas.Font.Assign(Font());
    for (const auto& [text, span] : cells) {
        canvas.TextOut(span.first + (span.second - canvas.TextWidth(text)) / 2, 0, text);
    }
}

} // namespace eq
