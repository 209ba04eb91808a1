// Feeds arbitrary bytes to every picture header reader; the first byte also picks a file extension.
#include "controls/smooth/ImageHeaders.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const imghdr::Bytes bytes(data, size);
    imghdr::ReadJpegSize(bytes);
    imghdr::ReadPngSize(bytes);
    imghdr::ReadBmpSize(bytes);
    imghdr::ReadTiffSize(bytes);
    imghdr::ReadGifSize(bytes);
    static const char* const names[] = {"a.jpg", "a.jpeg", "a.png", "a.bmp", "a.tiff", "a.gif", "a.tif", "a"};
    if (size > 0)
        imghdr::ReadSizeByExtension(names[data[0] % 8], bytes.subspan(1));
    return 0;
}
