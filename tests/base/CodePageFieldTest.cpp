// The text of a fixed-width name field: its bytes up to the first zero byte, from the code page.
#include "base/CodePage.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace
{

TEST(CodePageField, TextUpToTheFirstZeroByte)
{
    using Field = std::array<std::uint8_t, 8>;
    struct Case {
        const char* name;
        Field field;
        CodePage page;
        std::string utf8;
    } cases[] = {
        {"zero padded", {'S', 'u', 'b', 0, 0, 0, 0, 0}, CodePage::Windows1252, "Sub"},
        {"full width, no terminator",
         {'S', 'u', 'b', 'w', 'o', 'o', 'f', 'e'},
         CodePage::Windows1252,
         "Subwoofe"},
        {"empty", {0, 'x', 'y', 0, 0, 0, 0, 0}, CodePage::Windows1252, ""},
        {"bytes after the zero are not text", {'A', 'B', 0, 'C', 'D', 0, 0, 0}, CodePage::Windows1252, "AB"},
        {"western accent", {'C', 0xE9, 'l', 'l', 'o', 0, 0, 0}, CodePage::Windows1252, "C\xC3\xA9llo"},
        {"double-byte characters",
         {'A', 0xB5, 0xCD, 0xD2, 0xF4, 0, 0, 0},
         CodePage::Gbk,
         "A\xE4\xBD\x8E\xE9\x9F\xB3"},
        {"blank padded keeps the blanks",
         {'L', ' ', ' ', ' ', ' ', ' ', ' ', ' '},
         CodePage::Windows1252,
         "L       "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FieldToUtf8(c.field, c.page), c.utf8);
        const std::string bytes(c.field.begin(), c.field.end());
        EXPECT_EQ(FieldToUtf8(std::string_view(bytes), c.page), c.utf8);
    }
}

} // namespace
