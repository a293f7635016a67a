#include "skin/form/win/skin_text_colors.h"

#include <utility>

#include "platform/win/controls.h"
#include "platform/win/graphics.h"
#include "skin/data/skin_data.h"
#include "skin/imaging/img_util.h"

namespace {}  // namespace

void TSkinTextColors::Apply(TWinControl* form, const TSkinData& skin) {
    if (!form) return;
    if (form != form_) {
        Release();
        form_ = form;
        before_ = form->FaceText();
    }
    form->SetFaceText(TFaceText{skin.Colors[scheme::kButtonFace], skin.Colors[scheme::kButtonText]});
}

void TSkinTextColors::Release() {
    if (TWinControl* form = std::exchange(form_, nullptr)) form->SetFaceText(before_);
}

LRESULT TSkinTextColors::PlainStaticColors(HDC dc, const TSkinData& skin) {
    SetTextColor(dc, ColorToRGB(ResolveColor(skin.Colors[scheme::kButtonText])));
    return LRESULT(skin.BGBrush());
}
