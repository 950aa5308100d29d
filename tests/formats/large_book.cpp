#include "formats/large_book.h"

#include <array>
#include <string>

#include "formats/friend_book.h"
#include "model/pet_kind.h"

namespace quillby {
namespace {

constexpr std::array<TextView, 10> kFriendNames{
    u"山田太郎", u"佐藤花子", u"鈴木一郎",   u"たなか ゆうこ", u"ｽｽﾞｷ ｼﾞﾛｳ",
    u"高橋美咲", u"伊藤 健",  u"渡辺さくら", u"中村ﾀﾛｳ",       u"小林 Kenji"};
constexpr std::array<TextView, 8> kPetNames{u"モモ", u"チョコ", u"ぽち", u"コジロウ",
                                            u"ﾊﾅ",   u"みかん", u"Taro", u"ゴマ"};

// Shift-JIS length of the texts above: ASCII and half-width katakana take one byte.
std::size_t shiftJisLength(TextView text) {
  std::size_t n = 0;
  for (char16_t c : text) n += (c < 0x80 || (c >= u'\uFF61' && c <= u'\uFF9F')) ? 1 : 2;
  return n;
}

Text addressOfLength(std::size_t index, std::size_t length) {
  const std::string tail = std::to_string(index) + "@mail.example.jp";
  std::string address = "friend." + tail;
  while (address.size() < length) address.insert(0, 1, static_cast<char>('a' + index % 26));
  address = address.substr(address.size() - length);
  return Text(address.begin(), address.end());
}

}  // namespace

std::vector<FriendEntry> largeBookRows() {
  constexpr std::size_t kRows = FriendTable::kCapacity;
  constexpr std::size_t kFixedPerRecord = 11;
  std::vector<FriendEntry> rows(kRows);
  std::size_t used = 0;
  for (std::size_t i = 0; i < kRows; ++i) {
    rows[i].friendName = Text(kFriendNames[i % kFriendNames.size()]);
    rows[i].petName = Text(kPetNames[i % kPetNames.size()]);
    rows[i].petKindName = Text(kindName(static_cast<std::uint8_t>(i % 10)).value_or(TextView{}));
    rows[i].friendNum = countText(static_cast<std::uint16_t>(i * 131));
    used += kFixedPerRecord + shiftJisLength(rows[i].friendName) + shiftJisLength(rows[i].petName);
  }
  const std::size_t left = kMaxBookSize - used;
  for (std::size_t i = 0; i < kRows; ++i) {
    rows[i].friendAddress = addressOfLength(i, left / kRows + (i < left % kRows ? 1 : 0));
  }
  return rows;
}

}  // namespace quillby
