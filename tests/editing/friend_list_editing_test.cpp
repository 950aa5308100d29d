#include "editing/friend_list_editing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/recording_dialogs.h"
#include "ui/messages.h"

namespace quillby {
namespace {

using ::testing::ElementsAre;

FriendEntry row(Text name, Text num = u" 1", Text pet = u"ポチ", Text kind = u"イヌ") {
  FriendEntry r;
  r.friendName = name;
  r.friendAddress = name + u"@example.jp";
  r.petName = pet;
  r.petKindName = kind;
  r.friendNum = num;
  r.friendMemo = u"memo of " + name;
  return r;
}

class Editing : public ::testing::Test {
 protected:
  void load(std::initializer_list<FriendEntry> rows) {
    table.rows = rows;
    editing.connect();
    editing.fillList();
  }
  const std::vector<Text>& lines() const { return list.lines(); }
  std::vector<Text> boxes() const {
    return {name.text(), num.text(), address.text(), petName.text(), petKind.text(), memo.text()};
  }
  std::vector<Text> rowFields(std::size_t i) const {
    const auto& r = table.rows.at(i);
    return {r.friendName, r.friendNum, r.friendAddress, r.petName, r.petKindName, r.friendMemo};
  }

  FriendTable table;
  ListBox list;
  TextBox name, num, address, petName, petKind, memo;
  RecordingDialogs dialogs;
  FriendListEditing editing{
      table, {list, name, num, address, petName, petKind, memo}, dialogs, editingBoxes()};
};

TEST_F(Editing, LoadSelectsFirstFriendAndShowsItsSixFields) {
  load({row(u"A", u" 5"), row(u"B"), row(u"C")});
  EXPECT_THAT(lines(), ElementsAre(u"A", u"B", u"C"));
  EXPECT_EQ(list.listIndex(), 0);
  EXPECT_EQ(boxes(), rowFields(0));
  EXPECT_EQ(num.text(), u" 5");
}

TEST_F(Editing, EmptyBookSelectsNothingAndEmptiesTheBoxes) {
  name.setText(u"名前");
  memo.setText(u"メモ");
  load({});
  EXPECT_EQ(list.listIndex(), -1);
  EXPECT_EQ(boxes(), std::vector<Text>(6));
  editing.Add_Click();
  EXPECT_EQ(list.listIndex(), 0);
  EXPECT_EQ(boxes(), rowFields(0));
}

TEST_F(Editing, TypingANameUpdatesRowAndLineKeyByKeyAndKeepsSelection) {
  load({row(u"A"), row(u"B"), row(u"C")});
  list.userSelected(1);
  int clicks = 0;
  auto click = list.onClick;
  list.onClick = [&] {
    ++clicks;
    click();
  };
  name.userEdited(u"Bo");
  name.userEdited(u"Bob");
  EXPECT_EQ(table.rows[1].friendName, u"Bob");
  EXPECT_THAT(lines(), ElementsAre(u"A", u"Bob", u"C"));
  EXPECT_EQ(list.listIndex(), 1);
  EXPECT_EQ(clicks, 2);  // one re-selection per key, no further nesting
  EXPECT_EQ(name.text(), u"Bob");

  name.userEdited(u"");
  EXPECT_THAT(lines(), ElementsAre(u"A", u"", u"C"));
  list.userSelected(0);
  list.userSelected(1);
  EXPECT_EQ(boxes(), rowFields(1));
}

TEST_F(Editing, EditsGoToTheSelectedRowAndStayWhenAnotherIsSelected) {
  load({row(u"A"), row(u"B")});
  address.userEdited(u"new@example.jp");
  memo.userEdited(u"line 1\r\nline 2");
  list.userSelected(1);
  EXPECT_EQ(boxes(), rowFields(1));
  list.userSelected(0);
  EXPECT_EQ(address.text(), u"new@example.jp");
  EXPECT_EQ(table.rows[0].friendMemo, u"line 1\r\nline 2");
  EXPECT_EQ(table.rows[1].friendAddress, u"B@example.jp");
}

TEST_F(Editing, EditsWithoutSelectionChangeNothing) {
  load({});
  name.userEdited(u"x");
  address.userEdited(u"y");
  memo.userEdited(u"z");
  EXPECT_TRUE(table.rows.empty());
  EXPECT_EQ(list.listCount(), 0);
  EXPECT_EQ(name.text(), u"x");
}

TEST_F(Editing, AddAppendsSelectedNewFriendShowingItsOwnEmptyFields) {
  load({row(u"A"), row(u"B"), row(u"C")});
  list.userSelected(1);
  dialogs.answers = {DialogAnswer::Ok};
  editing.Del_Click();
  editing.Add_Click();
  ASSERT_EQ(table.rows.size(), 3u);
  EXPECT_THAT(lines(), ElementsAre(u"A", u"C", u"新しいおともだち"));
  EXPECT_EQ(list.listIndex(), 2);
  EXPECT_EQ(boxes(), (std::vector<Text>{u"新しいおともだち", u"", u"friend@example.com", u"", u"",
                                        u"ここにメモを書いて下さい"}));
  EXPECT_EQ(boxes(), rowFields(2));
  EXPECT_FALSE(table.rows[2].origin);
}

TEST_F(Editing, AddOnFullTableTellsWhyAndChangesNothing) {
  load({});
  table.rows.resize(FriendTable::kCapacity);
  editing.fillList();
  list.userSelected(10);
  editing.Add_Click();
  EXPECT_EQ(table.rows.size(), FriendTable::kCapacity);
  EXPECT_EQ(list.listCount(), 1000);
  EXPECT_EQ(list.listIndex(), 10);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].buttons, DialogButtons::Ok);
}

TEST_F(Editing, DeleteAsksWithCancelAsDefaultAndCancelKeepsEverything) {
  load({row(u"A"), row(u"B")});
  dialogs.answers = {DialogAnswer::Cancel};
  editing.Del_Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  const auto& box = dialogs.shown[0];
  EXPECT_EQ(box.text, u"本当に削除してよろしいですか？");
  EXPECT_EQ(box.title, u"QuillbyVer0.5");
  EXPECT_EQ(box.buttons, DialogButtons::OkCancel);
  EXPECT_EQ(box.icon, DialogIcon::Exclamation);
  EXPECT_EQ(box.defaultButton, 2);
  EXPECT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(list.listIndex(), 0);
}

TEST_F(Editing, DeleteSelectsTheRowAboveOrTheNewFirstRow) {
  load({row(u"A"), row(u"B"), row(u"C")});
  list.userSelected(1);
  editing.Del_Click();
  EXPECT_THAT(lines(), ElementsAre(u"A", u"C"));
  EXPECT_EQ(list.listIndex(), 0);
  EXPECT_EQ(boxes(), rowFields(0));

  editing.Del_Click();  // the first row
  EXPECT_THAT(lines(), ElementsAre(u"C"));
  EXPECT_EQ(list.listIndex(), 0);
  EXPECT_EQ(boxes(), rowFields(0));
}

TEST_F(Editing, DeletingTheLastFriendEmptiesTheBoxesAndThenAsksNothing) {
  load({row(u"A")});
  editing.Del_Click();
  EXPECT_TRUE(table.rows.empty());
  EXPECT_EQ(list.listIndex(), -1);
  EXPECT_EQ(boxes(), std::vector<Text>(6));
  editing.Del_Click();
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(Editing, DeleteWithoutSelectionAsksButRemovesNothing) {
  load({row(u"A"), row(u"B")});
  list.setListIndex(-1);
  editing.Del_Click();
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(table.rows.size(), 2u);
}

TEST_F(Editing, UpAndDownMoveAllSixFieldsWithTheFriend) {
  load({row(u"A", u" 1"), row(u"B", u" 2", u"タマ", u"雑種ネコ"), row(u"C", u" 3")});
  list.userSelected(1);
  const auto b = rowFields(1);
  editing.Up_Click();
  EXPECT_THAT(lines(), ElementsAre(u"B", u"A", u"C"));
  EXPECT_EQ(list.listIndex(), 0);
  EXPECT_EQ(rowFields(0), b);
  EXPECT_EQ(boxes(), b);
  editing.Up_Click();  // already first
  EXPECT_THAT(lines(), ElementsAre(u"B", u"A", u"C"));

  editing.Down_Click();
  editing.Down_Click();
  EXPECT_THAT(lines(), ElementsAre(u"A", u"C", u"B"));
  EXPECT_EQ(list.listIndex(), 2);
  editing.Down_Click();  // already last
  EXPECT_EQ(list.listIndex(), 2);
  EXPECT_EQ(rowFields(2), b);
}

TEST_F(Editing, MovesWithoutSelectionDoNothing) {
  load({row(u"A"), row(u"B")});
  list.setListIndex(-1);
  editing.Up_Click();
  editing.Down_Click();
  EXPECT_THAT(lines(), ElementsAre(u"A", u"B"));
  EXPECT_EQ(list.listIndex(), -1);
}

}  // namespace
}  // namespace quillby
