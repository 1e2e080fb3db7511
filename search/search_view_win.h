// The main window's side of the search: repainting the view and the Bookmark check mark.
#pragma once

namespace qm {

// Installs the hooks through which Search Again reaches the main window (RepaintView and the
// main menu's Bookmark check mark, whichever window owns the search).
void InstallSearchViewHooks();

}  // namespace qm
