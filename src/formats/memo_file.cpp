#include "formats/memo_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "formats/display_text.h"
#include "formats/field_bytes.h"
#include "formats/quoted_fields.h"
#include "formats/utf16_text.h"
#include "formats/utf8_text.h"

namespace quillby {
namespace {

constexpr std::size_t kFieldsPerRecord = 3;
using RecordFields = std::array<Bytes, kFieldsPerRecord>;

constexpr char kEndOfFileMark = 0x1A;

FieldEnd endOf(std::size_t field) {
  return field + 1 == kFieldsPerRecord ? FieldEnd::LineEnd : FieldEnd::Comma;
}

// Old editors end a text file with 0x1A; it and what follows it, blanks and
// line ends, are not text.
BytesView withoutEndMark(BytesView file) {
  std::size_t cut = file.size();
  for (std::size_t end = file.size(); end > 0; --end) {
    const char c = file[end - 1];
    if (c == kEndOfFileMark) {
      cut = end - 1;
    } else if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
      break;
    }
  }
  return file.substr(0, cut);
}

// Today's editors save UTF-8, with or without a byte-order mark; Japanese in
// Shift-JIS is practically never valid UTF-8 as a whole.
enum class Encoding { ShiftJis, Utf8 };
Encoding encodingOf(BytesView& file) {
  if (file.starts_with(kUtf8Mark)) {
    file.remove_prefix(kUtf8Mark.size());
    return Encoding::Utf8;
  }
  const bool ascii = std::all_of(file.begin(), file.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return !ascii && isUtf8(file) ? Encoding::Utf8 : Encoding::ShiftJis;
}

// A record as we write it: every field quoted with its quotes doubled and
// ended where its place says. Nothing where the record is not so.
std::optional<RecordFields> tidyRecord(FieldReader& reader) {
  RecordFields fields;
  for (std::size_t k = 0; k < kFieldsPerRecord; ++k) {
    auto field = reader.next(endOf(k), QuoteRule::Doubled);
    if (!field || field->dropped || field->endedBy != endOf(k)) return std::nullopt;
    fields[k] = std::move(field->text);
  }
  return fields;
}

// A record written with quotes left raw is one line (but for line breaks
// inside quotes): what it lacks is empty and what it has beyond three fields is
// dropped, so that an odd record never moves the next.
RecordFields plainRecord(FieldReader& reader) {
  RecordFields fields;
  for (std::size_t k = 0; k < kFieldsPerRecord; ++k) {
    auto field = reader.next(endOf(k), QuoteRule::Plain);
    if (!field) return fields;
    fields[k] = std::move(field->text);
    if (field->endedBy == FieldEnd::LineEnd) return fields;
  }
  reader.skipRestOfLine();
  return fields;
}

// Each record is read as we write it where it reads cleanly so, and as its
// plain form otherwise: a record added by hand does not change how the others
// read.
std::vector<RecordFields> recordFields(BytesView file) {
  FieldReader reader(file);
  std::vector<RecordFields> records;
  while (records.size() < FriendTable::kCapacity && !reader.atEnd()) {
    const auto start = reader.place();
    auto tidy = tidyRecord(reader);
    if (!tidy) reader.goBack(start);
    records.push_back(tidy ? std::move(*tidy) : plainRecord(reader));
  }
  return records;
}

std::vector<Text> decode(std::span<const BytesView> fields, Encoding encoding,
                         const Charset& charset) {
  if (encoding == Encoding::ShiftJis) return decodeAllForDisplay(fields, charset);
  std::vector<Text> texts;
  texts.reserve(fields.size());
  for (BytesView field : fields) texts.push_back(decodeUtf8(field).text);
  return texts;
}

}  // namespace

std::vector<MemoRecord> readMemoFile(BytesView file, const Charset& charset) {
  const std::optional<Bytes> fromUtf16 = utf16AsUtf8(file);
  BytesView body = withoutEndMark(fromUtf16 ? BytesView(*fromUtf16) : file);
  const Encoding encoding = encodingOf(body);
  const std::vector<RecordFields> fields = recordFields(body);
  std::vector<BytesView> views;
  views.reserve(fields.size() * kFieldsPerRecord);
  for (const auto& record : fields) views.insert(views.end(), record.begin(), record.end());
  std::vector<Text> texts = decode(views, encoding, charset);
  std::vector<MemoRecord> records(fields.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    records[i].name = std::move(texts[i * kFieldsPerRecord]);
    records[i].address = std::move(texts[i * kFieldsPerRecord + 1]);
    records[i].memo = std::move(texts[i * kFieldsPerRecord + 2]);
    // Written back as read only in the encoding we write.
    if (encoding == Encoding::ShiftJis) records[i].memoBytes = fields[i][2];
  }
  return records;
}

Result<Bytes, MemoEncodeError> encodeMemoFile(const std::vector<FriendEntry>& rows,
                                              const Charset& charset) {
  const auto shiftJis = [&charset](TextView text) { return charset.fromUnicode(text); };
  Bytes file;
  for (std::size_t n = 0; n < rows.size(); ++n) {
    const FriendEntry& row = rows[n];
    const auto name =
        fieldBytes(row.friendName, storedField(row, &BookOrigin::friendName), shiftJis);
    if (!name) return MemoEncodeError{n, MemoField::Name};
    const auto address =
        fieldBytes(row.friendAddress, storedField(row, &BookOrigin::friendAddress), shiftJis);
    if (!address) return MemoEncodeError{n, MemoField::Address};
    const auto memo = fieldBytes(row.friendMemo, storedMemo(row), shiftJis);
    if (!memo) return MemoEncodeError{n, MemoField::Memo};
    appendQuoted(file, *name);
    file += ',';
    appendQuoted(file, *address);
    file += ',';
    appendQuoted(file, *memo);
    file += "\r\n";
  }
  return file;
}

}  // namespace quillby
