// What the control-skinner tests share: a stand-in for the form skinner that keeps the control skinners,
// pixels read back from a window, and the program's own skin loaded into a component.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/component.h"
#include "platform/stream.h"
#include "skin/controls/win/skin_control.h"
#include "skin/data/skin_data.h"
#include "tests/skin/data/test_skins.h"

class FormSkinnerStub : public TComponent, public SkinControlList {
public:
    FormSkinnerStub() : TComponent(nullptr) {}
};

inline TColor WindowPixel(HWND h, int x, int y) {
    HDC dc = GetWindowDC(h);
    const TColor c = TColor(GetPixel(dc, x, y));
    ReleaseDC(h, dc);
    return c;
}

// Loads the built default skin (or, with fallback, the test skin when the build made none); false when
// there is none to load.
inline bool LoadDefaultSkin(TSkinData& skin, bool fallback) {
    skin.SetSkinFormtype(sfDialog);
    std::vector<std::uint8_t> bytes = testskin::BuiltPackage("tocvane.skn");
    if (bytes.empty() && fallback) bytes = testskin::DefaultPackage();
    if (bytes.empty()) return false;
    TMemoryStream s(bytes);
    skin.LoadFromStream(s);
    return !skin.Empty;
}
