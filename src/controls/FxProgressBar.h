// TFxProgressBar: the segmented progress bar (four colour levels, 7-pixel blocks or a smooth bar, a
// gradient across its thickness, stacked colouring, a percentage or value text and an infinite sweep).
// A position change repaints at once, and only when the drawn state changes. Owns its font and its
// sweep timer. UI thread only.
#pragma once

#include "framework/Canvas.h"
#include "framework/Control.h"
#include "framework/Timer.h"

#include <QString>

namespace fx {

using fw::TColor;

enum TGaugeOrientation { goHorizontal, goVertical };

// One paint's inputs to DrawGauge.
struct TGaugeSettings {
    TColor Level0Color = 0, Level0ColorTo = 0, Level1Color = 0, Level1ColorTo = 0;
    TColor Level2Color = 0, Level2ColorTo = 0, Level3Color = 0, Level3ColorTo = 0;
    int Level1Perc = 70, Level2Perc = 90;
    TColor BorderColor = 0, Level0BkColor = fw::clNone, Level1BkColor = fw::clNone, Level2BkColor = fw::clNone;
    bool ShowBorder = true, Stacked = false, ShowPercentage = true, ShowPosition = true;
    const fw::TFont* Font = nullptr;
    bool CompletionSmooth = false, ShowGradient = true;
    int Steps = 8;
    int Position = 0; // the percentage
    int Value = 0;    // the raw position
    int Max = 100;
    TColor BackgroundColor = fw::clWhite;
    TGaugeOrientation Orientation = goHorizontal;
    bool Rounded = true;
    TColor ParentColor = 0;
    QString Format;
    bool Infinite = false;
    int InfinitePos = 0;
};

// Draws a gauge into r on any canvas.
void DrawGauge(fw::TCanvas& canvas, const fw::TRect& r, const TGaugeSettings& s);
// Stripes from one colour to another across r (vertical: stripes advance left to right).
void DrawGradient(fw::TCanvas& canvas, TColor from, TColor to, bool vertical, const fw::TRect& r, int steps);
// Round(num / den) with halves to even; den > 0.
long long RoundDiv(long long num, long long den);
// The framework's format with two integer arguments (%d, %u, %x, %X, %s, index, width, precision);
// a malformed specifier is kept as text.
QString FormatTwoInts(const QString& format, long long a, long long b);

class TFxProgressBar : public fw::TControl {
public:
    explicit TFxProgressBar(QWidget* parent = nullptr);
    ~TFxProgressBar() override;

    int Position() const { return FPosition; }
    void SetPosition(int value);
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    // The percentage drawn for the current position.
    int Percentage() const { return PercentOf(FPosition); }
    int StepSize() const { return FStepSize; }

    TColor Level0Color() const { return FLevel0Color; }
    void SetLevel0Color(TColor v) { Store(FLevel0Color, v); }
    TColor Level0ColorTo() const { return FLevel0ColorTo; }
    void SetLevel0ColorTo(TColor v) { Store(FLevel0ColorTo, v); }
    TColor Level1Color() const { return FLevel1Color; }
    void SetLevel1Color(TColor v) { Store(FLevel1Color, v); }
    TColor Level1ColorTo() const { return FLevel1ColorTo; }
    void SetLevel1ColorTo(TColor v) { Store(FLevel1ColorTo, v); }
    TColor Level2Color() const { return FLevel2Color; }
    void SetLevel2Color(TColor v) { Store(FLevel2Color, v); }
    TColor Level2ColorTo() const { return FLevel2ColorTo; }
    void SetLevel2ColorTo(TColor v) { Store(FLevel2ColorTo, v); }
    TColor Level3Color() const { return FLevel3Color; }
    void SetLevel3Color(TColor v) { Store(FLevel3Color, v); }
    TColor Level3ColorTo() const { return FLevel3ColorTo; }
    void SetLevel3ColorTo(TColor v) { Store(FLevel3ColorTo, v); }
    int Level1Perc() const { return FLevel1Perc; }
    void SetLevel1Perc(int v) { Store(FLevel1Perc, v); }
    int Level2Perc() const { return FLevel2Perc; }
    void SetLevel2Perc(int v) { Store(FLevel2Perc, v); }
    TColor Level0BkColor() const { return FLevel0BkColor; }
    void SetLevel0BkColor(TColor v) { StoreIfChanged(FLevel0BkColor, v); }
    TColor Level1BkColor() const { return FLevel1BkColor; }
    void SetLevel1BkColor(TColor v) { StoreIfChanged(FLevel1BkColor, v); }
    TColor Level2BkColor() const { return FLevel2BkColor; }
    void SetLevel2BkColor(TColor v) { StoreIfChanged(FLevel2BkColor, v); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { Store(FBorderColor, v); }
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor v) { Store(FBackgroundColor, v); }
    bool ShowBorder() const { return FShowBorder; }
    void SetShowBorder(bool v) { Store(FShowBorder, v); }
    bool Stacked() const { return FStacked; }
    void SetStacked(bool v) { Store(FStacked, v); }
    bool ShowPercentage() const { return FShowPercentage; }
    void SetShowPercentage(bool v) { Store(FShowPercentage, v); }
    bool ShowPosition() const { return FShowPosition; }
    void SetShowPosition(bool v) { Store(FShowPosition, v); }
    bool CompletionSmooth() const { return FCompletionSmooth; }
    void SetCompletionSmooth(bool v) { Store(FCompletionSmooth, v); }
    bool ShowGradient() const { return FShowGradient; }
    void SetShowGradient(bool v) { Store(FShowGradient, v); }
    int Steps() const { return FSteps; }
    void SetSteps(int v) { Store(FSteps, v); }
    TGaugeOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TGaugeOrientation v) { Store(FOrientation, v); }
    bool Rounded() const { return FRounded; }
    void SetRounded(bool v) { Store(FRounded, v); }
    const QString& Format() const { return FFormat; }
    void SetFormat(const QString& v) { Store(FFormat, v); }
    bool Infinite() const { return FInfinite; }
    void SetInfinite(bool v);
    bool Animated() const { return FAnimated; }
    void SetAnimated(bool v);
    int InfiniteInterval() const { return FTimer.Interval(); }
    void SetInfiniteInterval(int v) { FTimer.SetInterval(v); }
    bool TimerActive() const { return FTimer.Enabled(); }
    int InfinitePos() const { return FInfinitePos; }
    QString Version() const { return QStringLiteral("1.2.0.1"); }
    void SetVersion(const QString&) {}

    // The settings the next paint draws with.
    TGaugeSettings Settings() const;

protected:
    void Paint(fw::TCanvas& Canvas) override;

private:
    template <class T> void Store(T& field, const T& v)
    {
        field = v;
        Invalidate();
    }
    template <class T> void StoreIfChanged(T& field, const T& v)
    {
        if (field == v)
            return;
        field = v;
        Invalidate();
    }
    int PercentOf(int value) const;
    void ApplyPosition(int value);
    void UpdateTimer();
    void Sweep();

    TColor FLevel0Color = fw::clLime, FLevel0ColorTo = 0xE1FFE1;
    TColor FLevel1Color = fw::clYellow, FLevel1ColorTo = 0xCAFFFF;
    TColor FLevel2Color = 0x53A9FF, FLevel2ColorTo = 0xA8D3FF;
    TColor FLevel3Color = fw::clRed, FLevel3ColorTo = 0xCACAFF;
    int FLevel1Perc = 70, FLevel2Perc = 90;
    TColor FLevel0BkColor = fw::clNone, FLevel1BkColor = fw::clNone, FLevel2BkColor = fw::clNone;
    TColor FBorderColor = fw::clGray, FBackgroundColor = fw::clWhite;
    bool FShowBorder = true, FStacked = false, FShowPercentage = true, FShowPosition = true;
    bool FCompletionSmooth = false, FShowGradient = true;
    int FSteps = 8;
    TGaugeOrientation FOrientation = goHorizontal;
    bool FRounded = true;
    QString FFormat;
    int FMin = 0, FMax = 100, FPosition = 50;
    bool FInfinite = false, FAnimated = false;
    int FStepSize = 1;
    int FLastBlock = 0, FLastPercent = 0;
    int FInfinitePos = 0;
    bool FSweepUp = false;
    fw::TTimer FTimer;
};

} // namespace fx
