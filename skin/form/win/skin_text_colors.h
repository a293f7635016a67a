// TSkinTextColors: the text colours a skinned framework form lends its controls. The skin paints the
// form's face in its ButtonFace; text there that has kept the platform's default colour is drawn in the
// skin's ButtonText (black would vanish on a dark face), while text with a colour of its own keeps it, and
// so does text on other backgrounds (the white of an edit). The form skinner applies them with the skin and
// again at every skin change, and gives the form its own back together with its own face colour.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/face_text.h"

class TSkinData;
class TWinControl;

class TSkinTextColors {
public:
    TSkinTextColors() = default;
    TSkinTextColors(const TSkinTextColors&) = delete;
    TSkinTextColors& operator=(const TSkinTextColors&) = delete;

    // Gives form the face text colours of skin; what the form had is kept the first time.
    void Apply(TWinControl* form, const TSkinData& skin);
    // The form gets its own text colours back (when it gets its own face colour back).
    void Release();
    // Lets go of the form without changing it: where the form keeps the skin's face (its window is going,
    // or the engine is shutting down), its text keeps the colours that go with that face, which only ever
    // apply on exactly that face.
    void Forget() { form_ = nullptr; }

    // The answer to WM_CTLCOLORSTATIC in a window without a framework form (a dialog box, a message box):
    // its statics sit on the skin's face brush, so their text takes the skin's ButtonText on dc.
    static LRESULT PlainStaticColors(HDC dc, const TSkinData& skin);

private:
    TWinControl* form_ = nullptr;
    std::optional<TFaceText> before_;
};
