#include "cp932_reference.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillby {
namespace {

unsigned long hexValue(const std::string& text) {
  std::size_t used = 0;
  const unsigned long value = std::stoul(text, &used, 16);
  if (used != text.size()) throw std::invalid_argument(text);
  return value;
}

// A code written as 2 or 4 hex digits, plus `offset`, as its bytes.
Bytes codeBytes(const std::string& hex, unsigned long offset) {
  const unsigned long code = hexValue(hex) + offset;
  if (hex.size() == 2 && code <= 0xFF) return Bytes(1, static_cast<char>(code));
  if (hex.size() == 4 && code <= 0xFFFF) {
    return Bytes{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  }
  throw std::invalid_argument(hex);
}

char16_t unitOf(const std::string& hex, unsigned long offset) {
  const unsigned long unit = hexValue(hex) + offset;
  if (hex.size() != 4 || unit > 0xFFFF) throw std::invalid_argument(hex);
  return static_cast<char16_t>(unit);
}

}  // namespace

Cp932Reference loadCp932Reference(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + file.string());
  Cp932Reference reference;
  std::map<char16_t, std::vector<Bytes>> readersOf;
  std::map<char16_t, std::optional<Bytes>> writeLines;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    std::istringstream fields(line);
    std::string first, second, third, extra;
    fields >> first >> second >> third >> extra;
    try {
      if (first == ">") {
        if (third.empty() || !extra.empty()) throw std::invalid_argument("fields");
        writeLines[unitOf(second, 0)] =
            third == "-" ? std::nullopt : std::optional<Bytes>(codeBytes(third, 0));
      } else {
        if (second.empty() || !extra.empty()) throw std::invalid_argument("fields");
        const unsigned long count = third.empty() ? 1 : std::stoul(third);
        for (unsigned long i = 0; i < count; ++i) {
          const Bytes code = codeBytes(first, i);
          const char16_t unit = unitOf(second, i);
          reference.reads[code] = unit;
          readersOf[unit].push_back(code);
        }
      }
    } catch (const std::logic_error&) {
      throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": " + line);
    }
  }
  for (const auto& [unit, readers] : readersOf) {
    if (readers.size() == 1) reference.writes[unit] = readers.front();
  }
  for (const auto& [unit, code] : writeLines) reference.writes[unit] = code;
  return reference;
}

}  // namespace quillby
