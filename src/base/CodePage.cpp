#include "base/CodePage.h"

#include <algorithm>
#include <atomic>
#include <iconv.h>

namespace
{

std::atomic<CodePage> gPage{CodePage::Windows1252};

const char* IconvName(CodePage page)
{
    return page == CodePage::Gbk ? "GBK" : "WINDOWS-1252";
}

// The converter of this thread's last conversion, kept open: opening one costs far more than a short
// text takes to convert.
class TConverter
{
  public:
    TConverter() = default;
    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;
    ~TConverter() { Close(); }
    iconv_t Get(const char* from, const char* to)
    {
        if (FCd != iconv_t(-1) && FFrom == from && FTo == to)
            return FCd;
        Close();
        FCd = iconv_open(to, from);
        FFrom = from;
        FTo = to;
        return FCd;
    }

  private:
    void Close()
    {
        if (FCd != iconv_t(-1))
            iconv_close(FCd);
        FCd = iconv_t(-1);
    }
    iconv_t FCd = iconv_t(-1);
    const char* FFrom = nullptr;
    const char* FTo = nullptr;
};

thread_local TConverter tConverter;

// One character at a time so that an unconvertible one becomes '?' and the rest still converts.
std::string Convert(std::string_view in, const char* from, const char* to, bool fromUtf8)
{
    // Both pages and UTF-8 keep ASCII as it is: plain text needs no converter.
    if (std::all_of(in.begin(), in.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(in);
    std::string out;
    iconv_t cd = tConverter.Get(from, to);
    if (cd == iconv_t(-1))
        return out;
    char buffer[16];
    std::size_t i = 0;
    while (i < in.size()) {
        const auto lead = static_cast<unsigned char>(in[i]);
        if (lead < 0x80) {
            out.push_back(char(lead));
            ++i;
            continue;
        }
        // Try the shortest input that converts: up to 4 bytes.
        bool done = false;
        for (std::size_t len = 1; len <= 4 && i + len <= in.size() && !done; ++len) {
            if (fromUtf8) {
                const std::size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
                if (len != need)
                    continue;
            }
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            char* src = const_cast<char*>(in.data() + i);
            std::size_t srcLeft = len;
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != std::size_t(-1) && srcLeft == 0) {
                out.append(buffer, std::size_t(dst - buffer));
                i += len;
                done = true;
            }
        }
        if (!done) {
            out.push_back('?');
            ++i;
            if (fromUtf8)
                while (i < in.size() && (static_cast<unsigned char>(in[i]) & 0xC0) == 0x80)
                    ++i;
        }
    }
    return out;
}

} // namespace

void SetCodePage(CodePage page)
{
    gPage = page;
}
CodePage CurrentCodePage()
{
    return gPage;
}

std::string Utf8ToCodePage(std::string_view utf8, CodePage page)
{
    return Convert(utf8, "UTF-8", IconvName(page), true);
}

std::string CodePageToUtf8(std::string_view bytes, CodePage page)
{
    return Convert(bytes, IconvName(page), "UTF-8", false);
}

std::string FieldToUtf8(std::string_view field, CodePage page)
{
    return CodePageToUtf8(field.substr(0, field.find('\0')), page);
}

std::string FieldToUtf8(std::span<const std::uint8_t> field, CodePage page)
{
    return FieldToUtf8(std::string_view(reinterpret_cast<const char*>(field.data()), field.size()), page);
}

std::string FitCodePageField(std::string_view bytes, std::size_t width, char pad, CodePage page)
{
    std::string field(bytes.substr(0, std::min(width, bytes.size())));
    if (page == CodePage::Gbk && field.size() == width && width < bytes.size()) {
        // Count lead bytes from the start: a lead byte in the last place would be cut from its trail.
        std::size_t k = 0;
        while (k < field.size()) {
            const auto b = static_cast<unsigned char>(field[k]);
            if (b >= 0x81 && b <= 0xFE) {
                if (k + 1 >= field.size()) {
                    field.resize(k);
                    break;
                }
                k += 2;
            } else {
                ++k;
            }
        }
    }
    field.resize(width, pad);
    return field;
}
