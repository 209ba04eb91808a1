// TMyPEQType8: the parametric band table of the channel pages: 50 slots, nine filter types, gains in
// tenths of a dB, texts the host can replace. Built on the row core (PeqTableCore.h). UI thread only.
#pragma once

#include "eq/PeqTableCore.h"

namespace eq
{

class TMyPEQType8 : public TPeqTableCore
{
  public:
    static constexpr int RowSlots = 50;

    explicit TMyPEQType8(QWidget* parent = nullptr);
    // Starts with `channelNumber` rows (as SetChannelNumber would leave it), without building the
    // rows of the default count first.
    TMyPEQType8(QWidget* parent, int channelNumber);

    int GetNowIndex() const { return NowIndex(); }
    void SetEqTypeString(const QString& text, int type) { SetTypeName(type, text); }
    void SetBypassString(const QString& text) { SetBypassText(text); }
};

// The table's column headings in one line: the caption's fields (split at runs of two or more
// blanks), each centred over its column as the table's first row lays it out (band number,
// frequency, Q, gain, type, bypass). Without a table, or with another number of fields, it draws as
// a plain label.
class TPeqHeader : public sk::TSkLabel
{
  public:
    explicit TPeqHeader(QWidget* parent = nullptr);
    void SetTable(TPeqTableCore* table);
    // The heading texts and the x ranges (left, width) in this control's coordinates where they are
    // centred; empty when it draws as a plain label.
    std::vector<std::pair<QString, std::pair<int, int>>> Cells() const;

  protected:
    void Paint(fw::TCanvas& canvas) override;

  private:
    QPointer<TPeqTableCore> FTable;
};

// The built-in type names and bypass text.
const std::array<QString, 10>& BuiltInPeqTexts();

} // namespace eq
