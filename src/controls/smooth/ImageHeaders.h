// Readers that take an image's width and height from its file header without decoding it. Pure
// functions over a byte span (no Qt, no I/O); they never read past the bytes they are given and
// report 0 by 0 when the header does not match.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace imghdr
{

struct ImageSize {
    std::uint16_t Width = 0;
    std::uint16_t Height = 0;
    bool operator==(const ImageSize&) const = default;
};

using Bytes = std::span<const std::uint8_t>;

ImageSize ReadJpegSize(Bytes data);
ImageSize ReadPngSize(Bytes data);
ImageSize ReadBmpSize(Bytes data);
ImageSize ReadTiffSize(Bytes data);
ImageSize ReadGifSize(Bytes data);
// Chooses the reader by the file name's extension (.JPG, .JPEG, .PNG, .BMP, .TIFF, .GIF; any other
// extension gives 0 by 0).
ImageSize ReadSizeByExtension(std::string_view fileName, Bytes data);

} // namespace imghdr
