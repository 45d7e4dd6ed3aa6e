// Owner-drawn pictures. Both routines draw the same picture whatever the item's action
// or state; the dialog's WM_DRAWITEM handler decides when to call them.
#include "framework/winapp.h"
#include "genui/bld_helpers.h"

int BLDDrawIcon(LPDRAWITEMSTRUCT lpDrawItemStruct, const char* lpszIconName) {
  if (lpDrawItemStruct == nullptr) return 0;
  HICON hIcon = LoadIconA(AfxGetInstanceHandle(), lpszIconName);
  if (hIcon == nullptr) {
    BLDDisplayMessage(GetActiveWindow(), kIdsCannotLoadIcon, lpszIconName, MB_ICONINFORMATION);
    return 0;
  }
  SetMapMode(lpDrawItemStruct->hDC, MM_TEXT);
  // Loaded icons are shared: this one is not destroyed.
  return DrawIcon(lpDrawItemStruct->hDC, 0, 0, hIcon);
}

int BLDDrawBitmap(LPDRAWITEMSTRUCT lpDrawItemStruct, const char* lpszBitmapName, int bStretch) {
  if (lpDrawItemStruct == nullptr) return 0;
  HDC hDC = lpDrawItemStruct->hDC;
  if ((GetDeviceCaps(hDC, RASTERCAPS) & RC_BITBLT) == 0) return 0;

  HBITMAP hBitmap = LoadBitmapA(AfxGetInstanceHandle(), lpszBitmapName);
  if (hBitmap == nullptr) {
    BLDDisplayMessage(GetActiveWindow(), kIdsCannotLoadBitmap, lpszBitmapName, MB_ICONINFORMATION);
    return 0;
  }
  BITMAP bitmap;
  if (GetObjectA(hBitmap, sizeof bitmap, &bitmap) == 0) {
    DeleteObject(hBitmap);
    return 0;
  }
  HDC hMemDC = CreateCompatibleDC(hDC);
  if (hMemDC == nullptr) {
    DeleteObject(hBitmap);
    return 0;
  }
  HGDIOBJ hOld = SelectObject(hMemDC, hBitmap);
  if (hOld == nullptr) {
    DeleteDC(hMemDC);
    DeleteObject(hBitmap);
    return 0;
  }

  const RECT& item = lpDrawItemStruct->rcItem;
  const int width = item.right - item.left;
  const int height = item.bottom - item.top;
  if (bStretch) {
    StretchBlt(hDC, item.left, item.top, width, height, hMemDC, 0, 0, bitmap.bmWidth,
               bitmap.bmHeight, SRCCOPY);
  } else {
    BitBlt(hDC, item.left, item.top, width, height, hMemDC, 0, 0, SRCCOPY);
  }
  // The bitmap leaves the memory context before either is deleted.
  SelectObject(hMemDC, hOld);
  DeleteDC(hMemDC);
  DeleteObject(hBitmap);
  return 1;
}
