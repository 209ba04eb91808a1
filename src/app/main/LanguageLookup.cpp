// Lookup in the language tables.
#include "app/main/LanguageTables.h"

#include <algorithm>

namespace app
{

namespace
{

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

} // namespace

std::optional<std::string> FindText(const std::vector<std::string>& table, std::string_view key)
{
    for (std::size_t p = 0; p + 1 < table.size(); ++p)
        if (!table[p].starts_with("//") && EqualNoCase(table[p], key)) {
            const std::string& text = table[p + 1];
            if (text.starts_with("//"))
                return std::nullopt;
            return text;
        }
    return std::nullopt;
}

std::string LookupText(std::string_view language, std::string_view key)
{
    if (language == "ChineseGB")
        if (auto text = FindText(SimplifiedTable(), key))
            return *text;
    if (auto text = FindText(EnglishTable(), key))
        return *text;
    return std::string(key);
}

} // namespace app
