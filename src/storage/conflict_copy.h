#pragma once
// Sync clients that find a file changed on two PCs keep both: one under the
// file's name, the other under the name with a mark of the conflict. Such a
// copy of the settings file is merged in and then renamed with kMergedSuffix,
// so that it is never merged twice.
#include <string_view>

namespace wisplet {

inline constexpr std::string_view kMergedSuffix = ".merged";

// Whether the file `name` beside the settings file `settingsName` (both
// without folder) is a conflict copy of it: the settings file's name with one
// or more marks between its stem and its extension, compared without regard
// to the case of ASCII letters. The marks, found by their shape rather than by
// the client that makes them:
// - in parentheses, blanks before them allowed: "Wisplet (Laptop's conflicted
//   copy 2026-12-07).ini";
// - ".sync-conflict-" and letters, digits or hyphens:
//   "Wisplet.sync-conflict-20261207-101500-ABCDEFG.ini";
// - "-" and a machine name of letters, digits or "_": "Wisplet-PC2.ini",
//   "Wisplet-DESKTOP-7QK2M1.ini".
// Never the settings file itself, nor a name with another extension after it
// (".merged", ".recovery", ".tmp").
bool IsConflictCopyName(std::string_view settingsName, std::string_view name);

}  // namespace wisplet
