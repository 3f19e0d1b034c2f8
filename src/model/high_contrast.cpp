#include "model/high_contrast.h"

namespace wisplet {
namespace {

constexpr TColor SystemColor(int index) { return kSystemColorFlag | TColor(index); }

// The system color indexes (COLOR_...) used here.
constexpr TColor kMenu = SystemColor(4);
constexpr TColor kMenuText = SystemColor(7);
constexpr TColor kWindowText = SystemColor(8);
constexpr TColor kHighlightText = SystemColor(14);
constexpr TColor kBtnFace = SystemColor(15);
constexpr TColor kGrayText = SystemColor(17);
constexpr TColor kBtnText = SystemColor(18);

// The Office XP look's own light colors.
constexpr TColor kXpBackground = Rgb(252, 252, 249);
constexpr TColor kXpGutter = Rgb(235, 233, 225);
constexpr TColor kXpSeparator = Rgb(197, 194, 184);
constexpr TColor kXpHighlight = Rgb(193, 210, 238);
constexpr TColor kXpHighlightBorder = Rgb(49, 106, 197);
constexpr TColor kStripColor = Rgb(243, 242, 240);

}  // namespace

TColorScheme SchemeToPaint(const TColorScheme& own, bool highContrast) {
  if (!highContrast) return own;
  TColorScheme s;
  s.Name = own.Name;
  s.TitleColor = s.TitleGradColor = clHighlight;
  s.TitleFontColor = kHighlightText;
  s.TitleGradType = fgdNone;
  s.MemoColor = s.MemoGradColor = clWindow;
  s.MemoFontColor = kWindowText;
  s.MemoGradType = fgdNone;
  s.AlphaBlendValue = 0;
  return s;
}

MenuLookColors OfficeXpMenuColors(bool highContrast) {
  if (highContrast) return {kMenu, kMenu, kMenuText, kMenuText, kGrayText, clHighlight, clHighlight, kHighlightText};
  return {kXpBackground, kXpGutter,          kXpSeparator, kMenuText,
          kGrayText,     kXpHighlight, kXpHighlightBorder, kMenuText};
}

PageStripColors OptionsPageStripColors(bool highContrast) {
  // The chosen page keeps a frame in high contrast, so it shows by more than color.
  if (highContrast) return {kBtnFace, kBtnText, clHighlight, kBtnText, kHighlightText};
  return {kStripColor, kBtnText, kXpHighlight, kXpHighlightBorder, kBtnText};
}

}  // namespace wisplet
