// The list of all hits: every lesson that holds the search text, with its title and the words
// around the hit; Enter, Show or a double-click chooses one.
#pragma once

#include <windows.h>

#include <vector>

#include "search/hit_list.h"

namespace qm {

// Runs the list owned by `owner`: the index of the chosen hit, or -1 when it was closed without.
int ChooseListedHit(HWND owner, const std::vector<ListedHit>& hits);

INT_PTR CALLBACK HitListDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qm
