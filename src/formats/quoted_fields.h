#pragma once

#include <optional>

#include "model/text.h"

namespace quillby {

// Text records of comma-separated fields, a field optionally in double quotes
// with any double quote inside it doubled: the memo file and the settings file.
struct QuotedField {
  Bytes text;
  bool quoted = false;  // an unquoted empty field is "no value"
};

// Reads fields one after another; records are the caller's business, since a
// quoted field may hold line breaks. Blank lines between fields are read over.
class FieldReader {
 public:
  explicit FieldReader(BytesView data) : data_(data) {}

  // The next field, or nothing at the end of the data. A comma always has a
  // field after it, even where the data ends right after the comma.
  std::optional<QuotedField> next();

 private:
  bool atLineEnd() const;
  void skipSeparator();
  Bytes readQuoted();
  Bytes readUnquoted();

  BytesView data_;
  std::size_t pos_ = 0;
  bool afterComma_ = false;
};

// Appends `text` in double quotes, doubling the double quotes inside it.
void appendQuoted(Bytes& out, BytesView text);

}  // namespace quillby
