#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "model/text.h"

namespace quillby {

// Text records of comma-separated fields, a field optionally in double quotes:
// the memo file and the settings file.
enum class QuoteRule {
  Doubled,  // a double quote inside a quoted field is written doubled (ours)
  Plain,    // nothing is escaped: a raw quote may stand inside a field
};

// What ends a field in its record: a comma, or (for the last) a line end.
enum class FieldEnd { Comma, LineEnd };

struct QuotedField {
  Bytes text;
  bool quoted = false;  // an unquoted empty field is "no value"
  // What came after the field: a comma, a line end (or the end of the data),
  // and whether bytes between a closing quote and that separator were dropped.
  FieldEnd endedBy = FieldEnd::LineEnd;
  bool dropped = false;
};

// Reads fields one after another; records are the caller's business, since a
// quoted field may hold line breaks. Blank lines between fields are read over.
class FieldReader {
 public:
  explicit FieldReader(BytesView data) : data_(data) {}

  // The next field, or nothing at the end of the data. A comma always has a
  // field after it, even where the data ends right after the comma. Under the
  // plain rule, `expected` tells a quote inside the field from its closing one.
  std::optional<QuotedField> next(FieldEnd expected = FieldEnd::Comma,
                                  QuoteRule rule = QuoteRule::Doubled);
  // True when no field is left: nothing but blanks and line ends, and no comma
  // before them.
  bool atEnd();
  // Drops what is left of the current line, so that the next field starts the
  // next line.
  void skipRestOfLine();

  // Where the reader stands, to read the same fields again another way.
  struct Place {
    std::size_t pos = 0;
    bool afterComma = false;
  };
  Place place() const { return {pos_, afterComma_}; }
  void goBack(Place place) {
    pos_ = place.pos;
    afterComma_ = place.afterComma;
  }

 private:
  // The first position at or after `from` where a test holds (or the end),
  // remembered so that a long line is scanned once however many fields it holds.
  struct ForwardSearch {
    std::size_t from = 0;
    std::size_t found = 0;
    bool valid = false;
  };

  void skipBlanks();
  bool atLineEnd() const;
  void skipSeparator(QuotedField& field);
  Bytes readDoubled();
  Bytes readPlain(FieldEnd expected);
  std::size_t closingOrBoundary(FieldEnd expected, std::size_t from);
  bool closes(std::size_t quote, FieldEnd expected) const;
  Bytes readUnquoted();

  BytesView data_;
  std::size_t pos_ = 0;
  bool afterComma_ = false;
  std::array<ForwardSearch, 2> searches_{};  // one per FieldEnd
};

// Appends `text` in double quotes, doubling the double quotes inside it.
void appendQuoted(Bytes& out, BytesView text);

}  // namespace quillby
