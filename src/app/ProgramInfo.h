// The program's identity texts and its default device address.
#pragma once

#include <string_view>

inline constexpr std::string_view ProgramTitle = "Tolvane Morvex Processor Editor";
inline constexpr std::string_view ProgramVersion = "V1.04";
// No factory address is assumed: with no address set the scan makes no TCP attempt.
inline constexpr std::string_view DefaultDeviceAddress = "";
