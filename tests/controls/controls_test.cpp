#include "controls/controls.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "controls/row_editor.h"

namespace quillby {
namespace {

using ::testing::ElementsAre;

void fill(ListBox& list, std::initializer_list<const char16_t*> lines) {
  for (const auto* line : lines) list.addItem(line);
}

TEST(TextBox, ProgramChangeRaisesChangeBeforeTheSetterReturns) {
  TextBox box;
  std::vector<Text> seen;
  box.onChange = [&] { seen.push_back(box.text()); };
  box.setText(u"名前");
  EXPECT_THAT(seen, ElementsAre(u"名前"));
  box.setText(u"名前");  // already there
  box.userEdited(u"名前");
  EXPECT_EQ(seen.size(), 1u);
  box.userEdited(u"名前A");
  box.setText(u"");
  EXPECT_THAT(seen, ElementsAre(u"名前", u"名前A", u""));
}

TEST(ListBox, SelectionChangesRaiseClickAndRepeatsDoNot) {
  ListBox list;
  fill(list, {u"A", u"B", u"C"});
  std::vector<int> clicks;
  list.onClick = [&] { clicks.push_back(list.listIndex()); };
  list.setListIndex(1);
  list.setListIndex(1);
  list.userSelected(1);
  list.userSelected(2);
  list.setListIndex(-1);
  list.setListIndex(3);   // not a line
  list.setListIndex(-2);  // not a line
  list.userSelected(7);
  EXPECT_THAT(clicks, ElementsAre(1, 2, -1));
  EXPECT_EQ(list.listIndex(), -1);
}

TEST(ListBox, LineEditsRaiseNothingAndCarryTheSelection) {
  ListBox list;
  fill(list, {u"A", u"B", u"C", u"D"});
  list.setListIndex(2);  // C
  int clicks = 0;
  list.onClick = [&] { ++clicks; };

  list.insertItem(0, u"Z");  // before the selection
  EXPECT_EQ(list.listIndex(), 3);
  list.insertItem(3, u"Y");  // at the selection: the selected line moves down
  EXPECT_EQ(list.listIndex(), 4);
  list.insertItem(5, u"X");  // after it
  list.addItem(u"W");
  EXPECT_EQ(list.listIndex(), 4);
  EXPECT_THAT(list.lines(), ElementsAre(u"Z", u"A", u"B", u"Y", u"C", u"X", u"D", u"W"));

  list.removeItem(0);
  EXPECT_EQ(list.listIndex(), 3);
  list.removeItem(5);
  EXPECT_EQ(list.listIndex(), 3);
  list.setLine(3, u"C2");
  EXPECT_EQ(list.listIndex(), 3);
  EXPECT_EQ(list.line(3), u"C2");

  list.removeItem(3);  // the selected line
  EXPECT_EQ(list.listIndex(), -1);
  list.insertItem(9, u"far");  // past the end
  list.removeItem(-1);
  list.setLine(6, u"gone");
  EXPECT_THAT(list.lines(), ElementsAre(u"A", u"B", u"Y", u"X", u"W"));

  list.setListIndex(4);
  list.setLines({});
  EXPECT_EQ(list.listIndex(), -1);
  EXPECT_EQ(list.listCount(), 0);
  EXPECT_EQ(clicks, 1);  // only the setListIndex(4)
}

TEST(ListBox, DoubleClickAndKeysReachTheirEvents) {
  ListBox list;
  fill(list, {u"A"});
  int doubleClicks = 0;
  std::vector<char16_t> keys;
  list.onDblClick = [&] { ++doubleClicks; };
  list.onKeyPress = [&](char16_t key) { keys.push_back(key); };
  list.userDoubleClicked();
  list.userPressedKey(13);
  list.userPressedKey(u'あ');
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_THAT(keys, ElementsAre(13, u'あ'));
}

TEST(CheckBox, ClickToggledFirstAndProgramSetOnlyOnChange) {
  CheckBox box;
  std::vector<bool> seen;
  box.onClick = [&] { seen.push_back(box.value()); };
  box.setValue(false);  // already
  box.setValue(true);
  box.setValue(true);
  box.userClicked();
  box.userClicked();
  EXPECT_THAT(seen, ElementsAre(true, false, true));
}

TEST(Label, ClickAndMouseDownAreSeparateEvents) {
  Label label;
  int clicks = 0;
  int downs = 0;
  label.onClick = [&] { ++clicks; };
  label.onMouseDown = [&] { ++downs; };
  label.userMouseDown();
  label.userMouseDown();
  label.userClicked();
  label.setCaption(u" 9.98");
  EXPECT_EQ(label.caption(), u" 9.98");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(downs, 2);
}

TEST(Controls, EventsWithoutHandlersAreHarmless) {
  TextBox box;
  ListBox list;
  fill(list, {u"A"});
  CheckBox check;
  Button button;
  Label label;
  box.setText(u"x");
  list.setListIndex(0);
  list.userDoubleClicked();
  list.userPressedKey(13);
  check.userClicked();
  button.userClicked();
  label.userClicked();
  label.userMouseDown();
  EXPECT_TRUE(check.value());
}

TEST(EventRules, SelectionAndNameEditReenterOnceAndSettle) {
  RowEditor w({{u"A", u"a@x"}, {u"B", u"b@x"}});

  // Selecting shows the name, whose edit re-selects the row once; the nested
  // selection finds the name in place and fills the address.
  w.list.setListIndex(0);
  EXPECT_EQ(w.clicks, 2);
  EXPECT_EQ(w.nameChanges, 1);
  EXPECT_EQ(w.addressChanges, 1);
  EXPECT_EQ(w.name.text(), u"A");
  EXPECT_EQ(w.address.text(), u"a@x");
  EXPECT_EQ(w.list.listIndex(), 0);
  EXPECT_THAT(w.list.lines(), ElementsAre(u"A", u"B"));

  // Typing into the name changes the row and its line, keeps the selection,
  // and the one nested selection changes nothing more.
  w.name.userEdited(u"Ab");
  EXPECT_EQ(w.clicks, 3);
  EXPECT_EQ(w.nameChanges, 2);
  EXPECT_EQ(w.addressChanges, 1);
  EXPECT_EQ(w.row(0).name, u"Ab");
  EXPECT_THAT(w.list.lines(), ElementsAre(u"Ab", u"B"));
  EXPECT_EQ(w.list.listIndex(), 0);

  // An emptied name leaves an empty line in place.
  w.name.userEdited(u"");
  EXPECT_THAT(w.list.lines(), ElementsAre(u"", u"B"));
  EXPECT_EQ(w.list.listIndex(), 0);

  w.list.userSelected(1);
  EXPECT_EQ(w.clicks, 6);
  EXPECT_EQ(w.name.text(), u"B");
  EXPECT_EQ(w.address.text(), u"b@x");
  w.list.userSelected(0);
  EXPECT_EQ(w.name.text(), u"");
  EXPECT_EQ(w.address.text(), u"a@x");
}

TEST(EventRules, EditsWithoutSelectionChangeNoRow) {
  RowEditor w({{u"A", u"a@x"}});
  w.name.userEdited(u"typed");
  w.address.userEdited(u"typed@x");
  EXPECT_EQ(w.nameChanges, 1);
  EXPECT_EQ(w.addressChanges, 1);
  EXPECT_EQ(w.clicks, 0);
  EXPECT_EQ(w.row(0).name, u"A");
  EXPECT_EQ(w.row(0).address, u"a@x");
  EXPECT_THAT(w.list.lines(), ElementsAre(u"A"));
  EXPECT_EQ(w.name.text(), u"typed");  // the box keeps what was typed
}

}  // namespace
}  // namespace quillby
