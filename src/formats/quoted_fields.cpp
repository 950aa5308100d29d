#include "formats/quoted_fields.h"

namespace quillby {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::optional<QuotedField> FieldReader::next(FieldEnd expected, QuoteRule rule) {
  skipBlanks();
  if (pos_ == data_.size()) {
    if (!afterComma_) return std::nullopt;
    afterComma_ = false;
    return QuotedField{};
  }
  QuotedField field;
  field.quoted = data_[pos_] == '"';
  if (!field.quoted) {
    field.text = readUnquoted();
  } else {
    field.text = rule == QuoteRule::Doubled ? readDoubled() : readPlain(expected);
  }
  skipSeparator(field);
  return field;
}

bool FieldReader::atEnd() {
  skipBlanks();
  return pos_ == data_.size() && !afterComma_;
}

// Between records (not after a comma) line ends are only separators.
void FieldReader::skipBlanks() {
  while (pos_ < data_.size() &&
         (isBlank(data_[pos_]) || (!afterComma_ && isLineEnd(data_[pos_])))) {
    ++pos_;
  }
}

void FieldReader::skipRestOfLine() {
  while (pos_ < data_.size() && !isLineEnd(data_[pos_])) ++pos_;
  afterComma_ = false;
}

bool FieldReader::atLineEnd() const { return pos_ < data_.size() && isLineEnd(data_[pos_]); }

// Anything between a closing quote and the separator is dropped.
void FieldReader::skipSeparator(QuotedField& field) {
  const std::size_t from = pos_;
  while (pos_ < data_.size() && data_[pos_] != ',' && !isLineEnd(data_[pos_])) ++pos_;
  field.dropped = pos_ != from;
  afterComma_ = pos_ < data_.size() && data_[pos_] == ',';
  field.endedBy = afterComma_ ? FieldEnd::Comma : FieldEnd::LineEnd;
  if (afterComma_) {
    ++pos_;
  } else if (atLineEnd()) {
    const bool cr = data_[pos_++] == '\r';
    if (cr && atLineEnd() && data_[pos_] == '\n') ++pos_;
  }
}

// From the opening quote to the closing one; a doubled quote stands for one.
// An unclosed field runs to the end of the data.
Bytes FieldReader::readDoubled() {
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

// Without escapes a quote inside a field looks like its closing one. The field
// is kept whole up to the first quote followed by what ends it, unless the
// border of another field (`",` or `,"`, or a line end in a comma-ended field)
// comes first: then it ends at its first quote, as the plain form reads, so a
// record never runs into the next.
Bytes FieldReader::readPlain(FieldEnd expected) {
  const std::size_t start = ++pos_;
  const std::size_t at = closingOrBoundary(expected, start);
  std::size_t quote = at;
  if (at == data_.size() || data_[at] != '"' || !closes(at, expected)) {
    quote = data_.find('"', start);
  }
  if (quote == BytesView::npos) {
    pos_ = data_.size();
    return Bytes(data_.substr(start));
  }
  pos_ = quote + 1;
  return Bytes(data_.substr(start, quote - start));
}

std::size_t FieldReader::closingOrBoundary(FieldEnd expected, std::size_t from) {
  ForwardSearch& search = searches_[expected == FieldEnd::Comma ? 0 : 1];
  if (search.valid && search.from <= from && from <= search.found) return search.found;
  std::size_t p = from;
  for (; p < data_.size(); ++p) {
    const char c = data_[p];
    const bool nextIsQuote = p + 1 < data_.size() && data_[p + 1] == '"';
    const bool nextIsComma = p + 1 < data_.size() && data_[p + 1] == ',';
    if (c == '"' && (closes(p, expected) || nextIsComma)) break;
    if (c == ',' && nextIsQuote) break;
    if (expected == FieldEnd::Comma && isLineEnd(c)) break;
  }
  search = {from, p, true};
  return p;
}

// Whether the quote at `quote` is followed, blanks aside, by what ends the
// field: a comma, or a line end after which the next record begins (a quote, as
// every record of the plain form begins) or nothing does; a memo's own line
// breaks may follow a quote too.
bool FieldReader::closes(std::size_t quote, FieldEnd expected) const {
  std::size_t p = quote + 1;
  while (p < data_.size() && isBlank(data_[p])) ++p;
  if (expected == FieldEnd::Comma) return p < data_.size() && data_[p] == ',';
  if (p < data_.size() && !isLineEnd(data_[p])) return false;
  while (p < data_.size() && (isBlank(data_[p]) || isLineEnd(data_[p]))) ++p;
  return p == data_.size() || data_[p] == '"';
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
