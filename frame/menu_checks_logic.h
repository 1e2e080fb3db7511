// The two menu check marks that change (Bookmark and Reverse), over a small menu seam.
#pragma once

#include <cstdint>

namespace qm {

class MenuSeam {
 public:
  virtual ~MenuSeam() = default;
  virtual bool IsChecked(int item) = 0;
  // Sets the item's whole state word: checked or not, and enabled.
  virtual void SetChecked(int item, bool checked) = 0;
};

// mode != 0: check the item when value != 0; mode 0: toggle its mark. 1 if it is now checked.
int SetMenuCheck(MenuSeam& menu, int mode, int item, std::uint32_t value);
// The Bookmark item follows IsBookmarked().
void UpdateBookmarkCheck(MenuSeam& menu);
// mode 1: the Reverse mark follows Flags bit 11; mode 0: the mark toggles; the bit follows it.
void UpdateReverseCheck(MenuSeam& menu, int mode);

}  // namespace qm
