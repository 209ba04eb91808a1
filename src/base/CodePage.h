// The 8-bit code page of fixed text fields sent to the device and of names read from it: Windows-1252
// while the interface is English, GBK while it is Simplified Chinese (glibc iconv). A character the
// page cannot hold becomes '?'. The current page is process-wide and set by the UI thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

enum class CodePage { Windows1252, Gbk };

void SetCodePage(CodePage page);
CodePage CurrentCodePage();

// UTF-8 to the page's bytes.
std::string Utf8ToCodePage(std::string_view utf8, CodePage page);
// The page's bytes to UTF-8; a byte sequence the page does not define becomes '?'.
std::string CodePageToUtf8(std::string_view bytes, CodePage page);
// Cut at `width` bytes without splitting a double-byte character, then padded with `pad`.
std::string FitCodePageField(std::string_view bytes, std::size_t width, char pad, CodePage page);
// The text of a fixed-width field of the page's bytes, as the device stores names: the bytes up to the
// first zero byte (all of them where there is none), to UTF-8.
std::string FieldToUtf8(std::string_view field, CodePage page);
std::string FieldToUtf8(std::span<const std::uint8_t> field, CodePage page);
