#include "controls/smooth/ImageHeaders.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace imghdr
{

namespace
{

// A bounded reader: every read past the end fails and leaves the position at the end.
class Reader
{
  public:
    explicit Reader(Bytes d) : FData(d) {}
    bool Byte(std::uint8_t& v)
    {
        if (FPos >= FData.size())
            return false;
        v = FData[FPos++];
        return true;
    }
    bool Skip(std::size_t n)
    {
        if (n > FData.size() - FPos) {
            FPos = FData.size();
            return false;
        }
        FPos += n;
        return true;
    }
    bool Seek(std::size_t p)
    {
        if (p > FData.size())
            return false;
        FPos = p;
        return true;
    }
    bool BE16(std::uint16_t& v)
    {
        std::uint8_t a, b;
        if (!Byte(a) || !Byte(b))
            return false;
        v = std::uint16_t((a << 8) | b);
        return true;
    }
    bool U16(std::uint16_t& v, bool bigEndian)
    {
        std::uint8_t a, b;
        if (!Byte(a) || !Byte(b))
            return false;
        v = bigEndian ? std::uint16_t((a << 8) | b) : std::uint16_t(a | (b << 8));
        return true;
    }
    bool U32(std::uint32_t& v, bool bigEndian)
    {
        std::uint8_t b[4];
        for (auto& x : b)
            if (!Byte(x))
                return false;
        v = bigEndian
                ? (std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 8 | b[3])
                : (std::uint32_t(b[3]) << 24 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[1]) << 8 | b[0]);
        return true;
    }
    std::size_t Pos() const { return FPos; }

  private:
    Bytes FData;
    std::size_t FPos = 0;
};

} // namespace

ImageSize ReadJpegSize(Bytes data)
{
    Reader r(data);
    std::uint8_t a, b;
    if (!r.Byte(a) || !r.Byte(b) || a != 0xFF || b != 0xD8)
        return {};
    std::uint8_t c;
    if (!r.Byte(c))
        return {};
    while (c == 0xFF) {
        std::uint8_t m;
        if (!r.Byte(m))
            return {};
        if (m == 0xFF)
            continue; // fill byte
        if (m == 0xC0 || m == 0xC1 || m == 0xC2) {
            std::uint16_t h, w;
            if (!r.Skip(3) || !r.BE16(h) || !r.BE16(w))
                return {};
            return {w, h};
        }
        if (m == 0x01 || (m >= 0xD0 && m <= 0xD7))
            continue; // no segment follows
        std::uint16_t len;
        if (!r.BE16(len) || len < 2 || !r.Skip(len - 2u))
            return {};
        if (!r.Byte(c))
            return {};
    }
    return {};
}

ImageSize ReadPngSize(Bytes data)
{
    static constexpr std::uint8_t sig[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    if (data.size() < 24 || !std::equal(sig, sig + 8, data.begin()))
        return {};
    const auto be16 = [&](std::size_t o) { return std::uint16_t((data[o] << 8) | data[o + 1]); };
    return {be16(18), be16(22)};
}

ImageSize ReadBmpSize(Bytes data)
{
    Reader r(data);
    std::uint8_t b, m;
    if (!r.Byte(b) || !r.Byte(m) || b != 'B' || m != 'M')
        return {};
    std::uint32_t fileSize, reserved, offset, headerSize;
    if (!r.U32(fileSize, false) || !r.U32(reserved, false) || !r.U32(offset, false) ||
        !r.U32(headerSize, false))
        return {};
    if (headerSize == 12) {
        // The old core header keeps 16-bit sizes.
        std::uint16_t w, h;
        if (!r.U16(w, false) || !r.U16(h, false))
            return {};
        return {w, h};
    }
    std::uint32_t w, h;
    if (!r.U32(w, false) || !r.U32(h, false))
        return {};
    return {std::uint16_t(w & 0xFFFF), std::uint16_t(h & 0xFFFF)};
}

ImageSize ReadTiffSize(Bytes data)
{
    Reader r(data);
    std::uint8_t o1, o2;
    if (!r.Byte(o1) || !r.Byte(o2))
        return {};
    // The byte order mark decides how every value is read.
    const bool big = o1 == 'M' && o2 == 'M';
    std::uint16_t magic;
    std::uint32_t ifd;
    if (!r.U16(magic, big) || !r.U32(ifd, big) || !r.Seek(ifd))
        return {};
    std::uint16_t count;
    if (!r.U16(count, big))
        return {};
    bool haveW = false, haveH = false;
    std::uint32_t w = 0, h = 0;
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t entry = r.Pos();
        std::uint16_t tag, type;
        std::uint32_t n;
        if (!r.U16(tag, big) || !r.U16(type, big) || !r.U32(n, big))
            return {};
        std::uint32_t value = 0;
        if (type == 3) { // SHORT: left-justified in the value field
            std::uint16_t s;
            if (!r.U16(s, big))
                return {};
            value = s;
        } else {
            if (!r.U32(value, big))
                return {};
        }
        if (tag == 256) {
            w = value;
            haveW = true;
        } else if (tag == 257) {
            h = value;
            haveH = true;
        }
        if (haveW && haveH)
            return {std::uint16_t(w & 0xFFFF), std::uint16_t(h & 0xFFFF)};
        if (!r.Seek(entry + 12))
            return {};
    }
    return {};
}

ImageSize ReadGifSize(Bytes data)
{
    Reader r(data);
    std::uint8_t header[13];
    for (auto& x : header)
        if (!r.Byte(x))
            return {};
    if (header[0] != 'G' || header[1] != 'I' || header[2] != 'F')
        return {};
    if (header[10] & 0x80)
        if (!r.Skip(3u * (1u << ((header[10] & 7) + 1))))
            return {};
    for (;;) {
        std::uint8_t block;
        if (!r.Byte(block))
            return {};
        if (block == 0x2C)
            break;
        if (block == 0x21) {
            // An extension: its label, then sub-blocks up to a zero length (their bytes may hold 0x2C).
            std::uint8_t label, len;
            if (!r.Byte(label))
                return {};
            while (r.Byte(len) && len != 0)
                if (!r.Skip(len))
                    return {};
            continue;
        }
        if (block == 0x3B)
            return {}; // trailer before any image
    }
    std::uint8_t d[10];
    for (auto& x : d)
        if (!r.Byte(x))
            return {};
    return {std::uint16_t(d[4] | (d[5] << 8)), std::uint16_t(d[6] | (d[7] << 8))};
}

ImageSize ReadSizeByExtension(std::string_view fileName, Bytes data)
{
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    std::string ext(fileName.substr(dot));
    for (auto& ch : ext)
        ch = char(std::toupper(static_cast<unsigned char>(ch)));
    if (ext == ".JPG" || ext == ".JPEG")
        return ReadJpegSize(data);
    if (ext == ".PNG")
        return ReadPngSize(data);
    if (ext == ".BMP")
        return ReadBmpSize(data);
    if (ext == ".TIFF")
        return ReadTiffSize(data);
    if (ext == ".GIF")
        return ReadGifSize(data);
    return {};
}

} // namespace imghdr
