// Pictures that keep an image file's bytes unchanged: TGDIPPicture (fader, office image) and
// TFxGDIPPicture (fills, rounded controls). Both decode through QImage when drawn or measured. A load
// from a layout, a file or a stream is measured first and refused when the bytes do not decode, leaving
// the previous picture in place. Owned by their control; UI thread.
#pragma once

#include "framework/Canvas.h"
#include "framework/gdiplus/GDIPAPI.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

namespace fx
{

class TPictureBytes
{
  public:
    virtual ~TPictureBytes() = default;

    bool Empty() const { return FIsEmpty; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetWidth(int) {}
    void SetHeight(int) {}
    const QByteArray& Data() const { return FData; }

    // Decodes the held bytes and takes their size; false for an empty picture or undecodable bytes.
    bool GetImageSizes();
    // Layout streaming ("<Property>.Data"): the bytes unchanged.
    QByteArray WriteData() const { return FIsEmpty ? QByteArray() : FData; }
    void SaveToStream(QByteArray& out) const { out = FData; }

    // The decoded pixels (null when empty or undecodable).
    QImage Image() const;

    std::function<void(TPictureBytes*)> OnChange;
    std::function<void(TPictureBytes*)> OnClear;

  protected:
    // Checks that bytes decode, returning their size; error text when not.
    static bool Probe(const QByteArray& bytes, QSize& size, QString* error);
    void Store(const QByteArray& bytes, QSize size);
    void Clear();
    void Changed();
    void Cleared();
    // Shared steps of the two picture kinds' Assign, AssignBitmap and loaders.
    void AssignFrom(const TPictureBytes* source);
    void AssignImage(const QImage& bitmap);
    bool StoreChecked(const QByteArray& bytes, QString* error);
    static bool ReadResourceBytes(const QString& name, QByteArray& bytes);

    QByteArray FData;
    bool FIsEmpty = true;
    int FWidth = 0;
    int FHeight = 0;
    mutable QImage FDecoded;
    mutable bool FDecodedValid = false;
    // Counts every change of the held bytes, so that derived caches can tell they are stale.
    unsigned FGeneration = 0;
};

// The fader's picture: a BMP is drawn with its bottom-left pixel as the transparent colour.
class TGDIPPicture : public TPictureBytes
{
  public:
    void Assign(const TGDIPPicture* source);
    // A framework bitmap: stored as BMP file bytes.
    void AssignBitmap(const QImage& bitmap);
    bool LoadFromFile(const QString& fileName, QString* error = nullptr);
    bool LoadFromStream(const QByteArray& bytes, QString* error = nullptr);
    // Layout reading: the bytes are checked and measured, no OnChange (owners measure after loading).
    bool ReadData(const QByteArray& bytes, QString* error = nullptr);
    bool LoadFromResourceName(const QString& name);
    bool LoadFromURL(const QString& url);

    // Natural size, top-left at (x, y) in the canvas; Rect stretches.
    void Draw(fw::TCanvas& canvas, const fw::TRect& rect) const;
    void DrawAt(fw::TCanvas& canvas, int x, int y) const;
    void DrawImage(gp::TGPGraphics& g, int x, int y) const;
    void DrawImageRect(gp::TGPGraphics& g, int x, int y, int w, int h) const;
    bool IsBitmap() const;
    // The picture as drawn: a BMP with its bottom-left colour made transparent.
    QImage TransparentImage() const;

    bool DoubleBuffered = false;
    fw::TColor BackgroundColor = fw::clNone;

  private:
    mutable QImage FTransparent;
    mutable unsigned FTransparentGeneration = ~0u;
};

enum TTransparentMode { tmAuto, tmFixed };

// The fills' picture: keeps pixel facts of the last draw and reads sizes from file headers.
class TFxGDIPPicture : public TPictureBytes
{
  public:
    void Assign(const TFxGDIPPicture* source);
    void AssignBitmap(const QImage& bitmap);
    bool LoadFromFile(const QString& fileName, QString* error = nullptr);
    bool LoadFromStream(const QByteArray& bytes, QString* error = nullptr);
    bool ReadData(const QByteArray& bytes, QString* error = nullptr);
    bool LoadFromResourceName(const QString& name);
    bool LoadFromURL(const QString& url);
    // Size from the header chosen by the file name's extension (0 by 0 when it has no reader).
    void GetImageSizesFromFileName(const QString& fileName);

    void Draw(fw::TCanvas& canvas, const fw::TRect& rect) const;
    void GDIPDraw(gp::TGPGraphics& g, const fw::TRect& rect);
    void GDIPDraw(gp::TGPGraphics& g, const gp::TGPRectF& rect);
    void FillRect(gp::TGPGraphics& g, const gp::TGPRectF& rect);
    void FillPath(gp::TGPGraphics& g, gp::TGPGraphicsPath& path);

    bool Transparent = false;
    TTransparentMode TransparentMode = tmAuto;
    fw::TColor TransparentColor = fw::clWhite;
    bool DoubleBuffered = false;
    int PixelDepth = 0;
    bool HasAlpha = false;
    bool HasPalette = false;
    int PixelFormat = 0;

  private:
    void DrawKeyed(gp::TGPGraphics& g, gp::TGPImage& image, const gp::TGPRectF& dest);
    void Record(gp::TGPImage& image);
    bool FDrawing = false;
};

} // namespace fx
