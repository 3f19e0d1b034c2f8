#include "notes/note_accessibility.h"

#include <algorithm>

namespace wisplet {
namespace {

struct ButtonFacts {
  NotePart part;
  const char* shortcut;  // as the note's menu shows it
};
// Left to right in the title bar.
constexpr ButtonFacts kButtons[kNoteButtonCount] = {
    {NotePart::MenuButton, ""},
    {NotePart::HideButton, "Ctrl+H"},
    {NotePart::OnTopButton, "Ctrl+T"},
    {NotePart::CloseButton, "F10"},
};

}  // namespace

std::string NoteAccessibleName(std::string_view title) {
  const bool blank = std::all_of(title.begin(), title.end(), [](char c) { return c == ' ' || c == '\t'; });
  return blank ? "Note" : std::string(title);
}

std::string NoteButtonTooltip(NotePart button, bool onTop) {
  switch (button) {
    case NotePart::MenuButton: return "Menu";
    case NotePart::HideButton: return "Hide";
    case NotePart::OnTopButton: return onTop ? "Normal" : "OnTop";
    case NotePart::CloseButton: return "Close";
    default: return "";
  }
}

NotePart NoteButtonOfChild(int child) {
  return child >= 1 && child <= kNoteButtonCount ? kButtons[child - 1].part : NotePart::None;
}

std::vector<AccessibleItem> DescribeNote(const NoteFacts& note) {
  std::vector<AccessibleItem> items;
  AccessibleItem self;
  self.role = msaa::kRoleClient;
  self.name = NoteAccessibleName(note.title);
  self.value = note.text;
  self.state = msaa::kStateFocusable | msaa::kStateReadOnly | (note.focused ? msaa::kStateFocused : 0) |
               (note.rolledUp ? msaa::kStateCollapsed : 0);
  // The client area is the outer size less the one-pixel border on each side.
  self.location = {0, 0, note.layout.width - 2, note.layout.height - 2};
  items.push_back(self);
  for (const ButtonFacts& b : kButtons) {
    AccessibleItem button;
    button.role = msaa::kRolePushButton;
    button.name = NoteButtonTooltip(b.part, note.onTop);
    if (b.part == NotePart::OnTopButton && note.onTop) button.state = msaa::kStatePressed;
    if (b.part == NotePart::MenuButton) button.state = msaa::kStateHasPopup;
    button.location = note.layout.PartRect(b.part);
    button.shortcut = b.shortcut;
    button.defaultAction = "Press";
    items.push_back(button);
  }
  return items;
}

std::optional<int> AccessibleHitTest(const NoteLayout& layout, int x, int y) {
  if (x < 0 || y < 0 || x >= layout.width - 2 || y >= layout.height - 2) return std::nullopt;
  const NotePart part = layout.HitTest(x, y);
  for (int child = 1; child <= kNoteButtonCount; ++child)
    if (kButtons[child - 1].part == part) return child;
  return msaa::kChildSelf;
}

std::optional<int> AccessibleNavigate(int fromChild, int direction) {
  int to = -1;
  if (fromChild == msaa::kChildSelf) {
    if (direction == msaa::kNavFirstChild) to = 1;
    if (direction == msaa::kNavLastChild) to = kNoteButtonCount;
  } else if (fromChild >= 1 && fromChild <= kNoteButtonCount) {
    if (direction == msaa::kNavNext || direction == msaa::kNavRight) to = fromChild + 1;
    if (direction == msaa::kNavPrevious || direction == msaa::kNavLeft) to = fromChild - 1;
  }
  if (to < 1 || to > kNoteButtonCount) return std::nullopt;
  return to;
}

std::vector<AccessibleEvent> AccessibleChanges(const std::vector<AccessibleItem>& before,
                                               const std::vector<AccessibleItem>& after) {
  std::vector<AccessibleEvent> events;
  const std::size_t count = std::min(before.size(), after.size());
  for (std::size_t i = 0; i < count; ++i) {
    const AccessibleItem &a = before[i], &b = after[i];
    const int child = static_cast<int>(i);
    if (a.name != b.name) events.push_back({msaa::kEventNameChange, child});
    if (a.value != b.value) events.push_back({msaa::kEventValueChange, child});
    if ((a.state & ~msaa::kStateFocused) != (b.state & ~msaa::kStateFocused))
      events.push_back({msaa::kEventStateChange, child});
    if (a.location != b.location) events.push_back({msaa::kEventLocationChange, child});
  }
  return events;
}

}  // namespace wisplet
