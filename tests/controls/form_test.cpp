#include "controls/form.h"

#include <gtest/gtest.h>

#include "support/memory_window_manager.h"

namespace quillby {
namespace {

TEST(Form, InMemoryKeepsWhatTheProgramDid) {
  Form form;
  EXPECT_FALSE(form.visible());
  EXPECT_EQ(form.windowId(), 0u);
  form.show();
  EXPECT_TRUE(form.visible());
  form.move(1200, 900.5);
  EXPECT_EQ(form.movedLeft(), 1200);
  EXPECT_EQ(form.movedTop(), 900.5);
  form.hide();
  EXPECT_FALSE(form.visible());
  form.refresh();
}

TEST(Form, MouseDownAndCloseReachTheirEvents) {
  Form form;
  form.userMouseDown();  // no handler yet
  form.userClosed();
  int downs = 0;
  int closes = 0;
  form.onMouseDown = [&] { ++downs; };
  form.onClose = [&] { ++closes; };
  form.userMouseDown();
  form.userMouseDown();
  form.userClosed();
  EXPECT_EQ(downs, 2);
  EXPECT_EQ(closes, 1);
}

TEST(Form, PeerGivesIdVisibilityAndRepaints) {
  Form form;
  auto peer = std::make_unique<MemoryFormPeer>(7);
  MemoryFormPeer& seen = *peer;
  form.attach(std::move(peer));
  EXPECT_EQ(form.windowId(), 7u);
  form.show();
  EXPECT_TRUE(seen.isVisible());
  // Something outside the program hid it: the form tells the truth and a
  // second hide still reaches the window.
  seen.showVisible(true);
  form.hide();
  EXPECT_FALSE(form.visible());
  form.refresh();
  form.refresh();
  EXPECT_EQ(seen.refreshes, 2);
}

}  // namespace
}  // namespace quillby
