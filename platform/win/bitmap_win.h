// Win32 view of a TBitmap: its pixels as a DIB section, selected into a memory DC of its own.
#pragma once

// Our headers first: <windows.h> defines GetRValue and friends as macros, which types.h also declares.
#include "platform/bitmap.h"

#include <windows.h>

// The bitmap's memory DC (created on first use, owned by the bitmap) and its DIB section. Both draw into
// the very pixels ScanLine returns; nothing is copied between the two views. nullptr while the bitmap is
// empty. The handles stay valid until the bitmap's size, pixel format or content is replaced. Each call
// renews the bitmap's content stamp (the caller may draw).
HDC BitmapDC(TBitmap& bitmap);
HBITMAP BitmapHandle(TBitmap& bitmap);

// Makes every later bitmap of the process a DIB section from the start. Any use of BitmapDC or
// BitmapHandle installs it as well; a bitmap made before that moves into a DIB section on first use.
void UseDibSections();
