// The interface texts: a table per language of "SID_" keys, each key line followed by its text,
// grouped under comment lines ("//..."). Pure data and lookup; any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app
{

const std::vector<std::string>& EnglishTable();
const std::vector<std::string>& SimplifiedTable();

// The line after the first line of the table that equals key, ignoring ASCII case; none when the key
// is absent or the match is the last line. A comment line is never returned.
std::optional<std::string> FindText(const std::vector<std::string>& table, std::string_view key);

// The language value of the window: "English", "ChineseGB" or "ChineseBIG5".
// The text of key in that language; a key the table lacks takes the English text, and a key that
// neither table holds shows as the key itself (never a comment line of a table).
std::string LookupText(std::string_view language, std::string_view key);

} // namespace app
