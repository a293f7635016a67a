// The platform's handle types, declared exactly as <windows.h> declares them, so that portable code can
// carry them (and compare them) without including it.
#pragma once

struct HWND__;
using HWND = HWND__*;
struct HMENU__;
using HMENU = HMENU__*;
struct HDC__;
using HDC = HDC__*;
struct HFONT__;
using HFONT = HFONT__*;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
