#include "formats/memo_file.h"

#include <optional>

#include "formats/display_text.h"
#include "formats/field_bytes.h"
#include "formats/quoted_fields.h"

namespace quillby {
namespace {

constexpr std::size_t kFieldsPerRecord = 3;

FieldEnd endOf(std::size_t field) {
  return field + 1 == kFieldsPerRecord ? FieldEnd::LineEnd : FieldEnd::Comma;
}

// The fields of the records kept, three per record; a field missing at the end
// of the file is empty. Nothing when `tidyOnly` and a field does not end right
// where its record says, which is how a file with raw quotes shows. Under the
// plain rule a record is one line (but for line breaks inside quotes): what it
// lacks is empty and what it has beyond three fields is dropped, so that an odd
// record never moves the next.
std::optional<std::vector<Bytes>> recordFields(BytesView file, QuoteRule rule, bool tidyOnly) {
  FieldReader reader(file, rule);
  std::vector<Bytes> fields;
  while (fields.size() < FriendTable::kCapacity * kFieldsPerRecord) {
    bool lineEnded = false;
    for (std::size_t k = 0; k < kFieldsPerRecord; ++k) {
      if (lineEnded && rule == QuoteRule::Plain) {
        fields.emplace_back();
        continue;
      }
      auto field = reader.next(endOf(k));
      if (!field && k == 0) return fields;
      if (tidyOnly && (!field || field->dropped || field->endedBy != endOf(k))) return std::nullopt;
      lineEnded = !field || field->endedBy == FieldEnd::LineEnd;
      fields.push_back(field ? std::move(field->text) : Bytes{});
    }
    if (!lineEnded && rule == QuoteRule::Plain) reader.skipRestOfLine();
  }
  return fields;
}

// Our own files double their quotes; a file that does not read cleanly that
// way was written with quotes left as they are.
std::vector<Bytes> recordFields(BytesView file) {
  if (auto doubled = recordFields(file, QuoteRule::Doubled, true)) return std::move(*doubled);
  return *recordFields(file, QuoteRule::Plain, false);
}

}  // namespace

std::vector<MemoRecord> readMemoFile(BytesView file, const Charset& charset) {
  std::vector<Bytes> fields = recordFields(file);
  const std::vector<BytesView> views(fields.begin(), fields.end());
  std::vector<Text> texts = decodeAllForDisplay(views, charset);
  std::vector<MemoRecord> records(texts.size() / kFieldsPerRecord);
  for (std::size_t i = 0; i < records.size(); ++i) {
    records[i].name = std::move(texts[i * kFieldsPerRecord]);
    records[i].address = std::move(texts[i * kFieldsPerRecord + 1]);
    records[i].memo = std::move(texts[i * kFieldsPerRecord + 2]);
    records[i].memoBytes = std::move(fields[i * kFieldsPerRecord + 2]);
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
