// What a note shows a screen reader, and the events that follow its changes.
#include "notes/note_accessibility.h"

#include <gtest/gtest.h>

using namespace wisplet;
using namespace wisplet::msaa;

namespace {
// 13-pixel lines: buttons 15 wide; Menu at 0, Hide at 148, OnTop at 166 and
// Close at 184 of a 200-pixel note, whose client area is 198 x 58.
const NoteLayout kLayout{200, 60, 13};
}  // namespace

TEST(NoteAccessibility, ANoteFollowedThroughItsChanges) {
  NoteFacts note{"Shopping", "milk\r\nbread", false, false, false, kLayout};
  auto items = DescribeNote(note);
  ASSERT_EQ(items.size(), 1u + kNoteButtonCount);
  EXPECT_EQ(items[0], (AccessibleItem{kRoleClient, "Shopping", "milk\r\nbread", kStateFocusable | kStateReadOnly,
                                      Rect{0, 0, 198, 58}, "", ""}));
  const char* names[] = {"Menu", "Hide", "OnTop", "Close"};
  const char* shortcuts[] = {"", "Ctrl+H", "Ctrl+T", "F10"};
  for (int child = 1; child <= kNoteButtonCount; ++child)
    EXPECT_EQ(items[child], (AccessibleItem{kRolePushButton, names[child - 1], "", child == 1 ? kStateHasPopup : 0,
                                            kLayout.PartRect(NoteButtonOfChild(child)), shortcuts[child - 1], "Press"}));

  struct Step {
    const char* what;
    void (*change)(NoteFacts&);
    std::vector<AccessibleEvent> events;
  } steps[] = {
      {"on top (Ctrl+T)", [](NoteFacts& n) { n.onTop = true; }, {{kEventNameChange, 3}, {kEventStateChange, 3}}},
      {"focused: the system tells", [](NoteFacts& n) { n.focused = true; }, {}},
      {"normal", [](NoteFacts& n) { n.onTop = false; }, {{kEventNameChange, 3}, {kEventStateChange, 3}}},
      {"edited", [](NoteFacts& n) { n.title.assign(2, ' '); n.text = "milk"; },
       {{kEventNameChange, 0}, {kEventValueChange, 0}}},
      {"rolled up", [](NoteFacts& n) { n.rolledUp = true; n.layout.height = 17; },
       {{kEventStateChange, 0}, {kEventLocationChange, 0}}},
      {"widened", [](NoteFacts& n) { n.layout.width = 260; },
       {{kEventLocationChange, 0}, {kEventLocationChange, 2}, {kEventLocationChange, 3}, {kEventLocationChange, 4}}},
      {"on top again", [](NoteFacts& n) { n.onTop = true; }, {{kEventNameChange, 3}, {kEventStateChange, 3}}},
  };
  for (const Step& step : steps) {
    step.change(note);
    auto after = DescribeNote(note);
    EXPECT_EQ(AccessibleChanges(items, after), step.events) << step.what;
    items = after;
  }
  EXPECT_EQ(items[0].name, "Note");  // a blank title still names the note
  EXPECT_EQ(items[0].state, kStateFocusable | kStateReadOnly | kStateFocused | kStateCollapsed);
  EXPECT_EQ(items[3].name, "Normal");
  EXPECT_EQ(items[3].state, kStatePressed);
}

TEST(NoteAccessibility, HitTestAtTheButtonsEdgesAndNavigation) {
  struct Hit {
    int x, y;
    std::optional<int> child;
  } hits[] = {
      {0, 0, 1},   {14, 12, 1},  {15, 0, 0},   {14, 13, 0},  // Menu, the title beside and below it
      {147, 5, 0}, {148, 0, 2},  {162, 12, 2}, {163, 5, 0}, {165, 5, 0}, {166, 5, 3}, {180, 12, 3}, {181, 5, 0},
      {184, 0, 4}, {197, 12, 4}, {198, 0, std::nullopt},  // Close reaches past the client area
      {100, 57, 0}, {100, 58, std::nullopt}, {-1, 0, std::nullopt}, {0, -1, std::nullopt},
  };
  for (const Hit& h : hits) EXPECT_EQ(AccessibleHitTest(kLayout, h.x, h.y), h.child) << h.x << "," << h.y;

  struct Move {
    int from, direction;
    std::optional<int> to;
  } moves[] = {
      {kChildSelf, kNavFirstChild, 1}, {kChildSelf, kNavLastChild, 4}, {kChildSelf, kNavNext, std::nullopt},
      {1, kNavNext, 2}, {2, kNavRight, 3}, {4, kNavNext, std::nullopt}, {4, kNavPrevious, 3},
      {1, kNavLeft, std::nullopt}, {2, kNavUp, std::nullopt}, {2, kNavFirstChild, std::nullopt},
      {5, kNavPrevious, std::nullopt},
  };
  for (const Move& m : moves) EXPECT_EQ(AccessibleNavigate(m.from, m.direction), m.to) << m.from << "/" << m.direction;
}
