#include "model/scheme.h"

#include <algorithm>

namespace wisplet {

TColorScheme DefaultScheme() {
  TColorScheme s;
  s.Name = "Default";
  s.AlphaBlendValue = 0;
  s.TitleColor = clWindow;
  s.TitleGradColor = clSkyBlue;
  s.TitleFontColor = clNavy;
  s.TitleGradType = fgdHorizontal;
  s.MemoColor = clWhite;
  s.MemoGradColor = clSkyBlue;
  s.MemoFontColor = clBlack;
  s.MemoGradType = fgdHorizontal;
  return s;
}

void AddScheme(TListColorScheme& list, const TColorScheme& scheme) { list.push_back(scheme); }

void DeleteScheme(TListColorScheme& list, const TColorScheme& scheme) {
  // Copy the name first: the caller usually passes an element of this list.
  const std::string name = scheme.Name;
  auto it = std::find_if(list.begin(), list.end(),
                         [&](const TColorScheme& s) { return s.Name == name; });
  if (it != list.end()) list.erase(it);
}

void DeleteScheme(TListColorScheme& list, std::size_t index) {
  if (index < list.size()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace wisplet
