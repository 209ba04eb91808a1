// TMyPEQ: the plain band table, built from the platform's plain controls: a group box with a title
// row and up to 15 rows of band number, frequency, Q and gain edits with their spinners (always
// shown), a type selector (peak, low shelf, high shelf) and a bypass check box. The row controls
// hold the values. Gains on a 0.5 dB grid, values handed over in single precision. No window of the
// editor creates one. UI thread only.
#pragma once

#include "eq/PeqTableCore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace eq
{

class TMyPEQ : public QGroupBox
{
  public:
    static constexpr int RowSlots = 15;

    explicit TMyPEQ(QWidget* parent = nullptr);
    ~TMyPEQ() override;

    virtual void Change();
    std::function<void(TMyPEQ* Sender)> OnChange;

    int ChannelNumber() const { return FChannelNumber; }
    void SetChannelNumber(int v);

    double GetFreqValue(int i) const;
    double GetQValue(int i) const;
    double GetGainValue(int i) const;
    int GetTypeValue(int i) const;
    bool GetBypassValue(int i) const;
    int GetFreqPosition(int i) const;
    int GetQIndex(int i) const;
    int GetGainPosition(int i) const;
    void SetFreqValue(int i, float hz);
    void SetQValue(int i, float qIndex);
    void SetGainValue(int i, float db);
    void SetTypeValue(int i, int type);
    void SetBypassValue(int i, bool bypass);
    void SetColor(int i, TColor colour);
    void RePaint();

    // The handlers of the rows' controls.
    void FrequencyEntered(int row);
    void QfactorEntered(int row);
    void GainEntered(int row);
    void FrequencyUpDownClick(int row);
    void QfactorUpDownClick(int row);
    void GainUpDownClick(int row);
    void ByPassClick(int row);
    void PeqTypeChange(int row);

    // A row's controls, for tests (null outside 0..14).
    TPeqEdit* FreqEdit(int row) const;
    TPeqEdit* QEdit(int row) const;
    TPeqEdit* GainEdit(int row) const;
    TPeqUpDown* Spinner(int row, int k) const;
    QComboBox* TypeBox(int row) const;
    QCheckBox* BypassBox(int row) const;
    QLabel* NumberLabel(int row) const;
    QLabel* Title(int k) const;

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    struct Row;
    bool Valid(int i) const { return i >= 0 && i < RowSlots; }
    void Layout();
    void ShowFreq(int row);
    void ShowQ(int row);
    void ShowGainPos(int row);
    void Typed(TPeqEdit* e);

    std::array<std::unique_ptr<Row>, RowSlots> FRows;
    std::array<QLabel*, 5> FTitles{};
    int FChannelNumber = RowSlots;
    int FLayoutW = 490, FLayoutH = 220;
    bool FLaidOut = false;
};

// The colour behind row i's number.
TColor PlainNumberColour(int row);

} // namespace eq
