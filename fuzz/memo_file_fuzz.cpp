// Memo file: what is read writes back to a file that reads the same, records
// we write read the same whatever is written after them, and memos attached to
// a reordered table stay with their friends.
#include <algorithm>
#include <cstdint>
#include <set>
#include <tuple>

#include "formats/memo_file.h"
#include "formats/utf8_text.h"
#include "fuzz_check.h"
#include "platform/posix/iconv_charset.h"

using namespace quillby;

namespace {

bool sameRecords(const std::vector<MemoRecord>& a, const std::vector<MemoRecord>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
    return x.name == y.name && x.address == y.address && x.memo == y.memo;
  });
}

// Shift-JIS that happens to be valid UTF-8 too reads as UTF-8: the one file
// that does not read back as written, and practically never Japanese text.
bool readsAsUtf8(BytesView file) {
  return isUtf8(file) && std::any_of(file.begin(), file.end(), [](char c) { return c < 0; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const IconvCharset charset;
  const auto records = readMemoFile(BytesView(reinterpret_cast<const char*>(data), size), charset);
  require(records.size() <= FriendTable::kCapacity, "at most a table's worth of records");

  std::vector<FriendEntry> rows;
  std::set<std::tuple<Text, Text, Text>> known;
  for (const auto& r : records) {
    FriendEntry row;
    row.friendName = r.name;
    row.friendAddress = r.address;
    row.friendMemo = r.memo;
    rows.push_back(row);
    known.emplace(r.name, r.address, r.memo);
  }
  if (auto file = encodeMemoFile(rows, charset); file.ok() && !readsAsUtf8(file.value())) {
    require(sameRecords(readMemoFile(file.value(), charset), records), "written file reads back");
    const Bytes mixed = file.value() + Bytes(reinterpret_cast<const char*>(data), size);
    auto before = readMemoFile(mixed, charset);
    before.resize(std::min(before.size(), records.size()));
    require(sameRecords(before, records), "records we write read the same before others");
  }

  std::reverse(rows.begin(), rows.end());
  for (auto& row : rows) row.friendMemo.clear();
  attachMemos(rows, records);
  for (const auto& row : rows) {
    require(known.contains({row.friendName, row.friendAddress, row.friendMemo}),
            "each memo stays with its friend");
  }
  return 0;
}
