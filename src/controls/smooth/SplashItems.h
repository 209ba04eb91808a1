// The content of the splash window: the program information (name, version, legal-copyright text),
// the list items (markup lines whose oldest scroll out of view), the top-layer items (filled boxes
// with a markup text) and the free items (a picture or image-list image and a text), with the heading
// text and picture drawing they use and the pure placement rules. Owned by the splash screen; UI
// thread only.
#pragma once

#include "controls/smooth/GDIPFill.h"
#include "controls/smooth/PictureContainer.h"
#include "framework/Fonts.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace fw
{
class TCustomImageList;
}

namespace fx
{

class TGDIPPictureContainer;

enum TItemLocation {
    ilTopLeft,
    ilTopCenter,
    ilTopRight,
    ilBottomLeft,
    ilBottomCenter,
    ilBottomRight,
    ilCustom
};
enum TFxSmoothSplashScreenLocation {
    cpTopLeft,
    cpTopCenter,
    cpTopRight,
    cpCenterLeft,
    cpCenterCenter,
    cpCenterRight,
    cpBottomLeft,
    cpBottomCenter,
    cpBottomRight,
    cpCustom
};
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TTextRendering { tAntiAlias, tAntiAliasGridFit, tClearType };

// The name and version texts.
class TSplashHeadingText
{
  public:
    TSplashHeadingText();
    int Angle = 0;
    const QString& Text() const { return FText; }
    // A changed text raises OnChange.
    void SetText(const QString& v);
    fw::TFont& Font() { return FFont; }
    const fw::TFont& Font() const { return FFont; }
    TItemLocation Location = ilTopLeft;
    int PosX = 10, PosY = 100;
    int HatchStyle = 0; // horizontal
    TFxGDIPPicture& Picture() { return FPicture; }
    const TFxGDIPPicture& Picture() const { return FPicture; }
    fw::TColor ColorStart = fw::clBlack, ColorEnd = fw::clNone;
    int OpacityStart = 255, OpacityEnd = 255;
    gp::TFxGradientType GradientType = gp::gtVertical;
    // Every property but OnChange.
    void Assign(const TSplashHeadingText& source);
    std::function<void(TSplashHeadingText*)> OnChange;

  private:
    QString FText;
    fw::TFont FFont;
    TFxGDIPPicture FPicture;
};

// The version strings a program carries (legal copyright, product name, file version).
struct TVersionStrings {
    QString CopyRight, ProductName, FileVersion;
};
// Where the program's version strings come from: none by default (the program carries none); the
// application may install a reader. UI thread.
void SetVersionInfoReader(std::function<std::optional<TVersionStrings>()> reader);

class TBasicProgramInfo
{
  public:
    TBasicProgramInfo();
    bool AutoLoad = true;
    TSplashHeadingText& ProgramName() { return FName; }
    TSplashHeadingText& ProgramVersion() { return FVersion; }
    const TSplashHeadingText& ProgramName() const { return FName; }
    const TSplashHeadingText& ProgramVersion() const { return FVersion; }
    QString CopyRight;
    fw::TFont& CopyRightFont() { return FCopyRightFont; }
    const fw::TFont& CopyRightFont() const { return FCopyRightFont; }
    TItemLocation CopyRightLocation = ilTopLeft;
    int CopyRightPosX = 10, CopyRightPosY = 130;
    // Takes the program's version strings when it has them; a missing one empties its text.
    void ReadVersionInfo();
    std::function<void(TBasicProgramInfo*)> OnChange;

  private:
    TSplashHeadingText FName, FVersion;
    fw::TFont FCopyRightFont;
};

class TSplashItem : public TCollectionItem
{
  public:
    bool Assign(const TCollectionItem& source) override;
    QString Text;
    int ImageIndex = -1;
    int Tag = 0;
    TFxGDIPPicture& Picture() { return FPicture; }
    const TFxGDIPPicture& Picture() const { return FPicture; }
    int PosX = 80, PosY = 130;
    fw::TFont& Font() { return FFont; }
    const fw::TFont& Font() const { return FFont; }
    bool Visible = true;

  private:
    TFxGDIPPicture FPicture;
    fw::TFont FFont;
};

class TSplashListItem : public TCollectionItem
{
  public:
    bool Assign(const TCollectionItem& source) override;
    QString HTMLText;
    int Tag = 0;
    int ImageIndex = -1;
    fw::TRect DisplayRect{-1, -1, -1, -1};
};

struct TSplashListItemsSettings {
    fw::TRect Rect{30, 150, 330, 350}; // Left 30, Top 150, Width 300, Height 200
    int Space = 8;
    fw::TFont HTMLFont;
    fw::TColor HTMLURLColor = 0xFF0000;
    fw::TColor HTMLShadowColor = 0x808080;
    int HTMLShadowOffset = 5;
};

class TFxSplashHTMLText
{
  public:
    QString Text;
    TFxSmoothSplashScreenLocation Location = cpTopLeft;
    int Top = 0, Left = 0;
    fw::TColor URLColor = 0xFF0000, ShadowColor = 0x808080;
    int ShadowOffset = 5;
    fw::TFont Font;
};

class TFxSplashTopLayerItem : public TCollectionItem
{
  public:
    bool Assign(const TCollectionItem& source) override;
    bool Visible = true;
    int Top = 0, Left = 0;
    TFxSplashHTMLText HTMLText;
    TGDIPFill& Fill() { return FFill; }
    const TGDIPFill& Fill() const { return FFill; }
    TAlign Align = alCustom;
    int Width = 100, Height = 100;

  private:
    TGDIPFill FFill;
};

// A collection of one item kind: owns its items, indexed from 0.
template <class Item> class TItemCollection
{
  public:
    Item* Add()
    {
        FItems.push_back(std::make_unique<Item>());
        return FItems.back().get();
    }
    void Delete(int index)
    {
        if (index >= 0 && index < Count())
            FItems.erase(FItems.begin() + index);
    }
    void Clear() { FItems.clear(); }
    int Count() const { return int(FItems.size()); }
    Item* Items(int index) const
    {
        return index >= 0 && index < Count() ? FItems[std::size_t(index)].get() : nullptr;
    }

  private:
    std::vector<std::unique_ptr<Item>> FItems;
};

using TSplashItems = TItemCollection<TSplashItem>;
using TSplashListItems = TItemCollection<TSplashListItem>;
using TFxSplashTopLayerItems = TItemCollection<TFxSplashTopLayerItem>;

// Draws (or only measures) one text with a brush of the gradient type; returns its width and height
// ((0, 0) for an empty text).
QSize DrawHeadingText(gp::TGPGraphics* g, const QString& text, int x, int y, gdip::TextRenderingHint hint,
                      int angle, bool measureOnly, fw::TColor colorStart, fw::TColor colorEnd,
                      int opacityStart, int opacityEnd, int hatchStyle, const TFxGDIPPicture* picture,
                      gp::TFxGradientType gradientType, const fw::TFont& font);
// A picture at its own size: a PNG or a JPEG as it is, any other format keyed on its bottom-left pixel.
void DrawPicture(gp::TGPGraphics& g, int x, int y, const TFxGDIPPicture& picture);

// The placement rules, pure.
// The area of the program information in a window of w x h with its background fill.
fw::TRect ProgramInfoArea(int w, int h, const TGDIPFill& fill);
struct TProgramInfoPlaces {
    QPoint Name, Version, CopyRight;
};
TProgramInfoPlaces PlaceProgramInfo(const fw::TRect& area, TItemLocation name, QSize n, TItemLocation version,
                                    QSize v, TItemLocation copyRight, QSize c, QPoint nameCustom,
                                    QPoint versionCustom, QPoint copyRightCustom);
// The list items' rectangles for their measured heights: stacked from the top, the oldest taken away
// (rectangle -1) while the last one passes the bottom, the rest moved up to start at the top.
std::vector<fw::TRect> StackListItems(const fw::TRect& rect, int space, const std::vector<int>& heights);
// A top-layer item's box in the area (X, Y, W, H).
fw::TRect TopLayerBox(TAlign align, int x, int y, int w, int h, int left, int top, int width, int height);
// Where a text of size t goes in a box for a location (cpCustom is placed by the caller).
QPoint TextOrigin(TFxSmoothSplashScreenLocation location, const fw::TRect& box, QSize t);

} // namespace fx
