#include "skin/form/win/skin_text_colors.h"

#include <utility>

#include "platform/win/controls.h"
#include "platform/win/graphics.h"
#include "skin/data/skin_data.h"
#include "skin/imaging/img_util.h"

namespace {
constexpr int kButtonFaceSlot = 3;
constexpr int kButtonTextSlot = 4;
}  // namespace

void TSkinTextColors::Apply(TWinControl* form, const TSkinData& skin) {
    if (!form) return;
    if (form != form_) {
        Release();
        form_ = form;
        before_ = form->FaceText();
    }
    form->SetFaceText(TFaceText{skin.Colors[kButtonFaceSlot], skin.Colors[kButtonTextSlot]});
}

void TSkinTextColors::Release() {
    if (TWinControl* form = std::exchange(form_, nullptr)) form->SetFaceText(before_);
}

LRESULT TSkinTextColors::PlainStaticColors(HDC dc, const TSkinData& skin) {
    SetTextColor(dc, ColorToRGB(ResolveColor(skin.Colors[kButtonTextSlot])));
    return LRESULT(skin.BGBrush());
}
