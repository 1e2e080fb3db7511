// A bitmap from the program's resources in a dialog's picture control, owned by the dialog.
#pragma once

#include <windows.h>

namespace qm {

// Loads bitmap `bitmapId` and shows it in the SS_BITMAP static `controlId` of the dialog. The
// dialog owns the returned bitmap (a control releases no image it was given) and deletes it with
// DeletePicture when it is destroyed. Null when either cannot be had.
HBITMAP ShowDialogPicture(HWND dialog, int controlId, int bitmapId);
void DeletePicture(HBITMAP& bitmap);

}  // namespace qm
