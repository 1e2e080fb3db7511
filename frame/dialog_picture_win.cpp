// Pictures of the dialogs: loaded and released by the dialog itself, never left to the control.
#include "frame/dialog_picture_win.h"

namespace qm {

HBITMAP ShowDialogPicture(HWND dialog, int controlId, int bitmapId) {
  HWND control = GetDlgItem(dialog, controlId);
  if (!control) return nullptr;
  // The module whose template made the dialog holds its pictures too.
  auto* module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
  auto* bitmap = static_cast<HBITMAP>(
      LoadImageW(module, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  if (!bitmap) return nullptr;
  SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  return bitmap;
}

void DeletePicture(HBITMAP& bitmap) {
  if (bitmap) DeleteObject(bitmap);
  bitmap = nullptr;
}

}  // namespace qm
