#include <gtest/gtest.h>

#include <set>

#include "ui/main_layout.h"
#include "ui/small_layout.h"

namespace quillby {
namespace {

// Every entry stands for a different member of `controls`, and there are as
// many entries as the window has controls.
template <class Controls>
void expectEveryControlOnce(const WindowLayout& layout, const Controls& controls,
                            std::size_t count) {
  const auto* first = reinterpret_cast<const char*>(&controls);
  const auto* last = first + sizeof(Controls);
  std::set<const void*> seen;
  for (const auto& c : layout.controls) {
    const void* member = std::visit([](auto* p) -> const void* { return p; }, c.control);
    EXPECT_TRUE(member >= first && member < last) << c.name;
    EXPECT_TRUE(seen.insert(member).second) << c.name << " twice";
  }
  EXPECT_EQ(layout.controls.size(), count);
  EXPECT_EQ(layout.form, &controls.form);
}

// The order, places and captions are checked on the real windows; here, that
// no control is left out or listed twice.
TEST(MainLayout, EveryControlOnce) {
  MainControls c;
  expectEveryControlOnce(mainLayout(c), c, 33);
}

TEST(SmallLayout, EveryControlOnce) {
  SmallControls c;
  expectEveryControlOnce(smallLayout(c), c, 15);
}

TEST(MainLayout, DesignTextsReachTheControlsInMemory) {
  MainControls c;
  applyDesign(mainLayout(c));
  EXPECT_EQ(c.form.clientWidth(), 7215);
  EXPECT_EQ(c.form.clientHeight(), 5190);
  EXPECT_EQ(c.txtName.text(), u"名前");
  EXPECT_EQ(c.txtNum.text(), u"回数");
  EXPECT_EQ(c.txtAddress.text(), u"メールアドレス");
  EXPECT_EQ(c.txtPetName.text(), u"ペットの名前");
  EXPECT_EQ(c.txtPetKind.text(), u"ペットの種類");
  EXPECT_EQ(c.txtMemo.text(), u"メモ");
  EXPECT_EQ(c.Label1.caption(), u"おともだちリスト");
  EXPECT_EQ(c.Label12.caption(), u"接続チェックなし");
  EXPECT_EQ(c.Label9.caption(), u"");
  EXPECT_EQ(c.List1.listCount(), 0);
  EXPECT_EQ(c.List1.listIndex(), -1);
  EXPECT_FALSE(c.Check1.value());
}

TEST(SmallLayout, DesignTextsReachTheControlsInMemory) {
  SmallControls c;
  applyDesign(smallLayout(c));
  EXPECT_EQ(c.form.clientWidth(), 2430);
  EXPECT_EQ(c.form.clientHeight(), 4935);
  EXPECT_EQ(c.Label1.caption(), u"おともだちリスト");
  EXPECT_EQ(c.Label10.caption(), u"手前に表示");
  EXPECT_EQ(c.Label2.caption(), u"PostPetも終了");
}

}  // namespace
}  // namespace quillby
