#include "formats/quoted_fields.h"

namespace quillby {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::optional<QuotedField> FieldReader::next() {
  // Between records (not after a comma) line ends are only separators.
  while (pos_ < data_.size() &&
         (isBlank(data_[pos_]) || (!afterComma_ && isLineEnd(data_[pos_])))) {
    ++pos_;
  }
  if (pos_ == data_.size()) {
    if (!afterComma_) return std::nullopt;
    afterComma_ = false;
    return QuotedField{};
  }
  QuotedField field;
  field.quoted = data_[pos_] == '"';
  field.text = field.quoted ? readQuoted() : readUnquoted();
  skipSeparator();
  return field;
}

bool FieldReader::atLineEnd() const { return pos_ < data_.size() && isLineEnd(data_[pos_]); }

// Anything between a closing quote and the separator is dropped.
void FieldReader::skipSeparator() {
  while (pos_ < data_.size() && data_[pos_] != ',' && !isLineEnd(data_[pos_])) ++pos_;
  afterComma_ = pos_ < data_.size() && data_[pos_] == ',';
  if (afterComma_) {
    ++pos_;
  } else if (atLineEnd()) {
    const bool cr = data_[pos_++] == '\r';
    if (cr && atLineEnd() && data_[pos_] == '\n') ++pos_;
  }
}

// From the opening quote to the closing one; a doubled quote stands for one.
// An unclosed field runs to the end of the data.
Bytes FieldReader::readQuoted() {
  Bytes text;
  ++pos_;
  for (;;) {
    const std::size_t quote = data_.find('"', pos_);
    if (quote == BytesView::npos) {
      text.append(data_.substr(pos_));
      pos_ = data_.size();
      return text;
    }
    text.append(data_.substr(pos_, quote - pos_));
    pos_ = quote + 1;
    if (pos_ < data_.size() && data_[pos_] == '"') {
      text += '"';
      ++pos_;
    } else {
      return text;
    }
  }
}

Bytes FieldReader::readUnquoted() {
  const std::size_t start = pos_;
  while (pos_ < data_.size() && data_[pos_] != ',' && !isLineEnd(data_[pos_])) ++pos_;
  return Bytes(data_.substr(start, pos_ - start));
}

void appendQuoted(Bytes& out, BytesView text) {
  out += '"';
  for (char c : text) {
    out += c;
    if (c == '"') out += '"';
  }
  out += '"';
}

}  // namespace quillby
