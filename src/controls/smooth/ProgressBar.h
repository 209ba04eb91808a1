// TFxProgressBar: the segmented progress bar of the progress dialog. Windowless in spirit: it paints
// a fresh off-screen image each time. Owns its font and sweep timer. UI thread only.
#pragma once

#include "framework/Control.h"
#include "framework/Property.h"
#include "runtime/Timer.h"

#include <initializer_list>
#include <memory>

namespace fx
{

using fw::TColor;

enum TGaugeOrientation { goHorizontal, goVertical };

struct TGaugeSettings {
    TColor Level0Color, Level0ColorTo, Level1Color, Level1ColorTo, Level2Color, Level2ColorTo, Level3Color,
        Level3ColorTo;
    int Level1Perc, Level2Perc;
    TColor BorderColor, Level0BkColor, Level1BkColor, Level2BkColor;
    bool ShowBorder, Stacked, ShowPercentage, ShowPosition;
    const fw::TFont* Font;
    bool CompletionSmooth, ShowGradient;
    int Steps;
    int Position; // percentage
    int Value;    // raw position
    int Max;
    TColor BackgroundColor;
    TGaugeOrientation Orientation;
    bool Rounded;
    TColor ParentColor;
    QString Format;
    bool Infinite;
    int InfinitePos;
};

// Draws a gauge into any canvas and rectangle.
void DrawGauge(fw::TCanvas& Canvas, fw::TRect R, const TGaugeSettings& G);
// The text a gauge shows.
QString GaugeText(const TGaugeSettings& G);
// The framework's Format over integer arguments (%d, %u, %x, %X with '-', width and precision; %%).
QString FormatIntegers(const QString& format, std::initializer_list<int> args);

class TFxProgressBar : public fw::TControl
{
    FW_PROPERTIES(TFxProgressBar)

  public:
    explicit TFxProgressBar(QWidget* parent = nullptr);

    FW_PROPERTY(TColor, Level0Color, 0x00FF00)
    FW_PROPERTY(TColor, Level0ColorTo, 0xE1FFE1)
    FW_PROPERTY(TColor, Level1Color, 0x00FFFF)
    FW_PROPERTY(TColor, Level1ColorTo, 0xCAFFFF)
    FW_PROPERTY(TColor, Level2Color, 0x53A9FF)
    FW_PROPERTY(TColor, Level2ColorTo, 0xA8D3FF)
    FW_PROPERTY(TColor, Level3Color, 0x0000FF)
    FW_PROPERTY(TColor, Level3ColorTo, 0xCACAFF)
    FW_PROPERTY(int, Level1Perc, 70)
    FW_PROPERTY(int, Level2Perc, 90)
    FW_PROPERTY(TColor, BorderColor, 0x808080)
    FW_PROPERTY(TColor, BackgroundColor, 0xFFFFFF)
    FW_PROPERTY(bool, ShowBorder, true)
    FW_PROPERTY(bool, Stacked, false)
    FW_PROPERTY(bool, ShowPercentage, true)
    FW_PROPERTY(bool, ShowPosition, true)
    FW_PROPERTY(bool, CompletionSmooth, false)
    FW_PROPERTY(bool, ShowGradient, true)
    FW_PROPERTY(int, Steps, 8)
    FW_PROPERTY(TGaugeOrientation, Orientation, goHorizontal)
    FW_PROPERTY(bool, Rounded, true)
    FW_PROPERTY(QString, Format, QString())

  public:
    TColor Level0BkColor() const { return FLevel0BkColor; }
    void SetLevel0BkColor(TColor v);
    TColor Level1BkColor() const { return FLevel1BkColor; }
    void SetLevel1BkColor(TColor v);
    TColor Level2BkColor() const { return FLevel2BkColor; }
    void SetLevel2BkColor(TColor v);

    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    bool Infinite() const { return FInfinite; }
    void SetInfinite(bool value);
    bool Animated() const { return FAnimated; }
    void SetAnimated(bool value);
    int InfiniteInterval() const { return FTimer.Interval(); }
    void SetInfiniteInterval(int value) { FTimer.SetInterval(value); }
    int InfinitePos() const { return FInfinitePos; }
    QString Version() const { return QStringLiteral("1.2.0.1"); }
    void SetVersion(const QString&) {}

    int Percentage() const;
    TGaugeSettings Settings() const;
    // How many times a position change asked for an immediate paint (for the repaint rule).
    int PaintRequests() const { return FPaintRequests; }

  protected:
    void Paint(fw::TCanvas& Canvas) override;

  private:
    void PaintNow();
    void UpdateTimer();
    void Sweep();
    TColor FLevel0BkColor = fw::clNone, FLevel1BkColor = fw::clNone, FLevel2BkColor = fw::clNone;
    int FMin = 0, FMax = 100, FPosition = 50;
    bool FInfinite = false, FAnimated = false;
    int FStepSize = 1;
    int FLastBlock = 0, FLastPercent = 0;
    int FInfinitePos = 0;
    bool FSweepUp = false;
    int FPaintRequests = 0;
    fw::TTimer FTimer;
};

} // namespace fx
