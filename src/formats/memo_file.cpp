#include "formats/memo_file.h"

#include "formats/display_text.h"
#include "formats/field_bytes.h"
#include "formats/quoted_fields.h"

namespace quillby {
namespace {

constexpr std::size_t kFieldsPerRecord = 3;

// The fields of the records kept, three per record; a field missing at the end
// of the file is empty.
std::vector<Bytes> recordFields(BytesView file) {
  FieldReader reader(file);
  std::vector<Bytes> fields;
  while (fields.size() < FriendTable::kCapacity * kFieldsPerRecord) {
    auto name = reader.next();
    if (!name) break;
    fields.push_back(std::move(name->text));
    for (std::size_t k = 1; k < kFieldsPerRecord; ++k) {
      auto field = reader.next();
      fields.push_back(field ? std::move(field->text) : Bytes{});
    }
  }
  return fields;
}

}  // namespace

std::vector<MemoRecord> readMemoFile(BytesView file, const Charset& charset) {
  const std::vector<Bytes> fields = recordFields(file);
  const std::vector<BytesView> views(fields.begin(), fields.end());
  std::vector<Text> texts = decodeAllForDisplay(views, charset);
  std::vector<MemoRecord> records(texts.size() / kFieldsPerRecord);
  for (std::size_t i = 0; i < records.size(); ++i) {
    records[i].name = std::move(texts[i * kFieldsPerRecord]);
    records[i].address = std::move(texts[i * kFieldsPerRecord + 1]);
    records[i].memo = std::move(texts[i * kFieldsPerRecord + 2]);
    records[i].memoBytes = fields[i * kFieldsPerRecord + 2];
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
    const auto memo =
        fieldBytes(row.friendMemo, row.memoAsRead ? &*row.memoAsRead : nullptr, shiftJis);
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
