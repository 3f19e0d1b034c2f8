#pragma once
// What a note shows a screen reader through Active Accessibility: the note's
// client area is one object (child 0, CHILDID_SELF) with four push buttons
// (children 1 to 4, left to right as they sit in the title bar: Menu, Hide,
// OnTop, Close). The shell's IAccessible, answered from WM_GETOBJECT for
// OBJID_CLIENT, reads everything from DescribeNote; the window object around
// it (OBJID_WINDOW) is the system's, named by the window title, which the
// shell sets to NoteAccessibleName(Title) as well.
//
// - Role: the note is ROLE_SYSTEM_CLIENT - the client area of its own
//   top-level window, which is what the object stands for; its name is the
//   note's title, its value the note's text (read only). Focused while the
//   note has the keyboard; collapsed while it is rolled up to its title bar.
// - Buttons: ROLE_SYSTEM_PUSHBUTTON named as their tooltips read ("Menu",
//   "Hide", "OnTop" or, while the note is on top, "Normal": the tooltip names
//   what a click will do), the on-top button pressed while the note is on
//   top, the menu button with a popup; keyboard shortcuts as the note's menu
//   shows them; default action "Press" (a click).
// - Locations are in client coordinates (accLocation wants them on the screen
//   and as width and height).
// - Changes: after anything that changes a note (title, text, on top, rolled
//   up, size) the shell describes it again and raises AccessibleChanges with
//   NotifyWinEvent(event, note, OBJID_CLIENT, child).
//
// The numbers are the Win32 values of oleacc.h and winuser.h, so the shell
// passes them straight through.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notes/note_layout.h"

namespace wisplet {

namespace msaa {
constexpr int kChildSelf = 0;  // CHILDID_SELF
constexpr int kRoleClient = 10;
constexpr int kRolePushButton = 43;
constexpr unsigned kStateFocused = 0x4;
constexpr unsigned kStatePressed = 0x8;
constexpr unsigned kStateReadOnly = 0x40;
constexpr unsigned kStateCollapsed = 0x400;
constexpr unsigned kStateFocusable = 0x100000;
constexpr unsigned kStateHasPopup = 0x40000000;
// accNavigate's directions (NAVDIR_...).
constexpr int kNavUp = 1, kNavDown = 2, kNavLeft = 3, kNavRight = 4, kNavNext = 5, kNavPrevious = 6,
              kNavFirstChild = 7, kNavLastChild = 8;
// EVENT_OBJECT_...
constexpr unsigned kEventStateChange = 0x800A;
constexpr unsigned kEventLocationChange = 0x800B;
constexpr unsigned kEventNameChange = 0x800C;
constexpr unsigned kEventValueChange = 0x800E;
}  // namespace msaa

constexpr int kNoteButtonCount = 4;

// The facts of a note the description is made of.
struct NoteFacts {
  std::string title;
  std::string text;
  bool onTop = false;
  bool rolledUp = false;
  bool focused = false;
  NoteLayout layout;  // of the note's outer size
};

struct AccessibleItem {
  int role = 0;
  std::string name;
  std::string value;
  unsigned state = 0;
  Rect location;  // client coordinates
  std::string shortcut;
  std::string defaultAction;
  bool operator==(const AccessibleItem&) const = default;
};

// Item i is child i: the note, then its buttons.
std::vector<AccessibleItem> DescribeNote(const NoteFacts& note);

// The title, or "Note" for a title that is empty or only blanks, so that no
// note is an unnamed window.
std::string NoteAccessibleName(std::string_view title);
// A button's tooltip, which is also its accessible name.
std::string NoteButtonTooltip(NotePart button, bool onTop);
// The button of child 1 to 4, or NotePart::None.
NotePart NoteButtonOfChild(int child);

// The child under a client position: a button's number, CHILDID_SELF
// elsewhere in the client area, nothing outside it (accHitTest's VT_EMPTY).
std::optional<int> AccessibleHitTest(const NoteLayout& layout, int x, int y);
// accNavigate: among the buttons, next and right go right, previous and left
// go left, up and down nowhere; from the note itself the first and last child
// are the Menu and Close buttons. Nothing for every other move (S_FALSE),
// including the note's own siblings, which belong to the window around it.
std::optional<int> AccessibleNavigate(int fromChild, int direction);

struct AccessibleEvent {
  unsigned event = 0;
  int child = 0;
  bool operator==(const AccessibleEvent&) const = default;
};
// The events that tell a screen reader how `after` differs from `before`,
// child by child: name, value, state, location. The focused state is left
// out: the system raises the focus event itself.
std::vector<AccessibleEvent> AccessibleChanges(const std::vector<AccessibleItem>& before,
                                               const std::vector<AccessibleItem>& after);

}  // namespace wisplet
