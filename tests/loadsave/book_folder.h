#pragma once

#include <fstream>
#include <iterator>

#include "formats/friend_book.h"
#include "loadsave/file_names.h"
#include "platform/clock.h"
#include "support/system_platform.h"
#include "support/temp_folder.h"

namespace quillby {

// A clock that stands at noon on 7 December 2026 until a test moves it.
class StillClock final : public Clock {
 public:
  LocalDateTime now() const override { return at; }
  double steadySeconds() const override { return at.secondsOfDay; }
  void sleep(std::chrono::milliseconds) override {}
  ClockStatus setDate(std::chrono::year_month_day) override { return ClockProblem::Refused; }
  LocalDateTime at{std::chrono::year{2026} / 12 / 7, 12 * 3600.0};
};

// A program folder in a temporary folder, with helpers to lay out and read back
// the friend book and the memo file as plain bytes.
struct BookFolder {
  TempFolder folder;
  SystemFiles files{folder.path()};
  SystemCharset charset;
  StillClock clock;

  void put(const std::filesystem::path& name, BytesView data) const {
    std::ofstream(folder / name, std::ios::binary).write(data.data(), std::ssize(data));
  }
  Bytes get(const std::filesystem::path& name) const {
    std::ifstream in(folder / name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  bool has(const std::filesystem::path& name) const {
    return std::filesystem::exists(folder / name);
  }
};

inline FriendEntry friendRow(Text name, std::uint16_t count = 1, Text memo = {}) {
  FriendEntry row;
  row.friendName = name;
  row.friendAddress = u"a@b.jp";
  row.petName = u"ポチ";
  row.petKindName = u"イヌ";
  row.friendNum = countText(count);
  row.friendMemo = std::move(memo);
  return row;
}

inline Bytes bookOf(std::vector<FriendEntry> rows, const Charset& charset) {
  return encodeFriendBook(rows, charset).value();
}

}  // namespace quillby
