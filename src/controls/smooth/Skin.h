// The skin pictures that the window layouts carried, drawn by our own code at the sizes and key
// colours the layouts used: fader thumbs of 16 x 29 pixels as 24-bit BMP bytes whose bottom-left pixel
// is the transparent colour. Pure functions; any thread.
#pragma once

#include <QByteArray>
#include <QImage>

namespace fx
{
class TTrackBarThumb;
}

namespace skin
{

enum class ThumbState { Normal, Hot, Down, Disabled };

constexpr int kThumbWidth = 16;
constexpr int kThumbHeight = 29;

QImage FaderThumb(ThumbState state, bool vertical = true);
QByteArray FaderThumbBmp(ThumbState state, bool vertical = true);
// Loads all four thumb pictures into a fader's thumb.
void LoadFaderThumbs(fx::TTrackBarThumb& thumb, bool vertical = true);

} // namespace skin
