// The preset file "*.prs": the 16-byte head text, the parameter stream, CR LF; 1086 bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/FileIo.h"

class LUnitControl;

constexpr int kPresetFileSize = 1086;

// The name a chosen save name is written under: the file-name part is cut before its first ".prs"
// or ".PRS" (a mixed-case ending does not count), then ".prs" is appended.
std::string NormalisePresetFileName(const std::string& chosen);

// The whole file image of the model's current set.
std::vector<uint8_t> BuildPresetFile(const LUnitControl& unit);

// Checks a file image (length, head, every table index) and gives its 1068 stream bytes.
FileStatus ParsePresetFile(std::span<const uint8_t> file, std::vector<uint8_t>& stream);

// Reads and checks a preset file; on success stream holds the bytes for LUnitControl::LoadStream,
// which then cannot refuse them. On failure nothing is changed anywhere.
FileStatus ReadPresetFile(const std::string& path, std::vector<uint8_t>& stream);

// Writes the model's set under the normalised form of chosen, whole or not at all.
// writtenPath (optional) receives the name actually written.
FileStatus SavePresetFile(const LUnitControl& unit, const std::string& chosen,
                          std::string* writtenPath = nullptr);
