#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <optional>

#include "model/text.h"

namespace quillby {

// Code page 932 as Windows converts it, from cp932_reference.txt (its header says
// how to read it and how it was made).
struct Cp932Reference {
  std::map<Bytes, char16_t> reads;                   // every code that reads as a character
  std::array<std::optional<Bytes>, 0x10000> writes;  // the code of each character that has one
};

// Throws std::runtime_error naming the line that it cannot read.
Cp932Reference loadCp932Reference(const std::filesystem::path& file);

}  // namespace quillby
