// The tool bar and its buttons.
#include "platform/win/tool_bar.h"

#include <commctrl.h>

#include <array>

namespace {
constexpr std::array<std::string_view, 3> kStyleNames{"tbsButton", "tbsCheck", "tbsSeparator"};
// Command identifiers of the buttons: the index plus this.
constexpr int kFirstCommand = 1;
}  // namespace

// ======================================================================= TToolBarButton

const PropTable TToolBarButton::Props{
    &TObject::Props,
    {
        Prop::Str("Caption", &TToolBarButton::Caption, &TToolBarButton::SetCaption),
        Prop::Int("ImageIndex", &TToolBarButton::ImageIndex, &TToolBarButton::SetImageIndex),
        Prop::Enum("Style", &TToolBarButton::Style, &TToolBarButton::SetStyle, PropNames{kStyleNames}),
        Prop::Enum("Down", &TToolBarButton::Down, &TToolBarButton::SetDown, kBooleanNames),
        Prop::Enum("Enabled", &TToolBarButton::Enabled, &TToolBarButton::SetEnabled, kBooleanNames),
    }};
const TClassInfo TToolBarButton::ClassInfo_{"TToolBarButton", &TCollectionItem::ClassInfo_,
                                            &TToolBarButton::Props};

TToolBarButton::TToolBarButton(TCollection* collection) : TCollectionItem(collection) {}

void TToolBarButton::Assign(const TPersistent& source) {
    auto* b = dynamic_cast<const TToolBarButton*>(&source);
    if (!b) return TCollectionItem::Assign(source);
    caption_ = b->caption_;
    imageIndex_ = b->imageIndex_;
    style_ = b->style_;
    down_ = b->down_;
    enabled_ = b->enabled_;
    Changed(false);
}

std::string TToolBarButton::DisplayName() const {
    return caption_.empty() ? TCollectionItem::DisplayName() : WideToUtf8(caption_);
}

void TToolBarButton::SetCaption(const std::wstring& value) {
    if (value == caption_) return;
    caption_ = value;
    Changed(false);
}
void TToolBarButton::SetImageIndex(int value) {
    if (value < -1) value = -1;
    if (value == imageIndex_) return;
    imageIndex_ = value;
    Changed(false);
}
void TToolBarButton::SetStyle(TToolButtonStyle value) {
    if (value == style_) return;
    style_ = value;
    Changed(false);
}
void TToolBarButton::SetDown(bool value) {
    if (value == down_) return;
    down_ = value;
    Changed(false);
}
void TToolBarButton::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    Changed(false);
}

const TClassInfo TToolBarButtons::ClassInfo_{"TToolBarButtons", &TCollection::ClassInfo_, &TObject::Props};

TToolBarButtons::TToolBarButtons(TToolBar* bar)
    : TCollection(TToolBarButton::ClassInfo_, TCollection::FactoryOf<TToolBarButton>(), bar), bar_(bar) {}

void TToolBarButtons::Update(TCollectionItem*) {
    if (bar_) bar_->UpdateButtons();
}

// ======================================================================= TToolBar

const PropTable TToolBar::Props{
    &TWinControl::Props,
    {
        Prop::Obj("Buttons", &TToolBar::Buttons),
        Prop::Obj("Images", &TToolBar::Images, &TToolBar::SetImages),
        Prop::Enum("Flat", &TToolBar::Flat, &TToolBar::SetFlat, kBooleanNames),
        Prop::Enum("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions, kBooleanNames),
        Prop::Event("OnButtonClick", &TToolBar::OnButtonClick),
    }};
const TClassInfo TToolBar::ClassInfo_{"TToolBar", &TWinControl::ClassInfo_, &TToolBar::Props};

TToolBar::TToolBar(TComponent* owner)
    : TWinControl(owner), buttons_(std::make_unique<TToolBarButtons>(this)) {
    SetBoundsQuiet(0, 0, 250, 29);
    SetAlign(alTop);
}

TToolBar::~TToolBar() {
    // The window goes before the buttons and the image list it draws with.
    Destroying();
    DestroyHandle();
}

void TToolBar::SetImages(TCustomImageList* images) {
    if (images == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    UpdateButtons();
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        if (!HasState(csDestroying)) UpdateButtons();
    }
}

void TToolBar::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    Restyle();
}

void TToolBar::SetShowCaptions(bool value) {
    if (value == showCaptions_) return;
    showCaptions_ = value;
    Restyle();
}

void TToolBar::Restyle() {
    // The platform lays its buttons out by the styles it was made with.
    if (!HandleAllocated()) return;
    const bool hadParent = Parent() && Parent()->HandleAllocated();
    DestroyHandle();
    if (hadParent) HandleNeeded();
}

void TToolBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClass = TOOLBARCLASSNAMEW;
    // Our own bounds and alignment decide where it goes, not the control.
    p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | (flat_ ? TBSTYLE_FLAT : 0) |
               (showCaptions_ ? TBSTYLE_LIST : 0);
}

void TToolBar::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    UpdateButtons();
}

void TToolBar::ApplyImages() {
    const HIMAGELIST list = images_ ? images_->Handle() : nullptr;
    const HIMAGELIST copy = list ? ImageList_Duplicate(list) : nullptr;
    SendMessageW(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(copy));
    shownImages_.reset(copy);
}

void TToolBar::UpdateButtons() {
    if (!HandleAllocated() || HasState(csDestroying)) return;
    const HWND h = Handle();
    while (SendMessageW(h, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(h, TB_DELETEBUTTON, 0, 0);
    ApplyImages();
    std::vector<std::wstring> texts;
    texts.reserve(std::size_t(buttons_->Count()));
    std::vector<TBBUTTON> made;
    for (int i = 0; i < buttons_->Count(); ++i) {
        const TToolBarButton* b = buttons_->Items(i);
        texts.push_back(b->Caption());
        TBBUTTON t{};
        t.idCommand = i + kFirstCommand;
        if (b->Style() == tbsSeparator) {
            t.fsStyle = BTNS_SEP;
            t.iBitmap = 6;  // the gap's width
        } else {
            t.iBitmap = images_ && b->ImageIndex() >= 0 ? b->ImageIndex() : I_IMAGENONE;
            t.fsStyle = BYTE(BTNS_AUTOSIZE | (b->Style() == tbsCheck ? BTNS_CHECK : BTNS_BUTTON));
            t.fsState = BYTE((b->Enabled() ? TBSTATE_ENABLED : 0) | (b->Down() ? TBSTATE_CHECKED : 0));
            t.iString =
                showCaptions_ && !texts.back().empty() ? reinterpret_cast<INT_PTR>(texts.back().c_str()) : -1;
        }
        made.push_back(t);
    }
    if (!made.empty())
        SendMessageW(h, TB_ADDBUTTONSW, WPARAM(made.size()), reinterpret_cast<LPARAM>(made.data()));
    SendMessageW(h, TB_AUTOSIZE, 0, 0);
    InvalidateRect(h, nullptr, TRUE);
}

TRect TToolBar::ButtonRect(int index) {
    RECT r{};
    if (!HandleAllocated() ||
        !SendMessageW(Handle(), TB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r)))
        return {};
    return {r.left, r.top, r.right, r.bottom};
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& cd) {
    switch (cd.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        // On a face a skin gave the bar, captions in the default colour take the skin's text colour, a
        // disabled one is drawn flat (a light etching would read as lit text on a dark face) and a check
        // button that is down keeps the face behind it.
        const TColor text = TextColorOn(Color());
        if (text == Font()->Color()) return CDRF_DODEFAULT;
        cd.clrText = ColorToRGB(text);
        cd.clrBtnFace = cd.clrBtnHighlight = ColorToRGB(Color());
        if (cd.nmcd.uItemState & CDIS_CHECKED) {
            // Down: a shade of the text over the face, sunk in.
            const COLORREF f = ColorToRGB(Color()), t = cd.clrText;
            Owned<HBRUSH> shade{CreateSolidBrush(RGB((GetRValue(f) * 4 + GetRValue(t)) / 5,
                                                     (GetGValue(f) * 4 + GetGValue(t)) / 5,
                                                     (GetBValue(f) * 4 + GetBValue(t)) / 5))};
            RECT r = cd.nmcd.rc;
            FillRect(cd.nmcd.hdc, &r, shade.get());
            DrawEdge(cd.nmcd.hdc, &r, BDR_SUNKENOUTER, BF_RECT);
        }
        return CDRF_DODEFAULT | TBCDRF_NOETCHEDEFFECT | TBCDRF_USECDCOLORS | TBCDRF_NOBACKGROUND |
               TBCDRF_NOMARK;
    }
    default: return CDRF_DODEFAULT;
    }
}

void TToolBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND: {
        const int index = int(LOWORD(m.WParam)) - kFirstCommand;
        m.Result = 0;
        if (index < 0 || index >= buttons_->Count()) return;
        TToolBarButton* b = buttons_->Items(index);
        if (b->Style() == tbsCheck)
            b->down_ = SendMessageW(Handle(), TB_ISBUTTONCHECKED, WPARAM(index + kFirstCommand), 0) != 0;
        if (OnButtonClick) OnButtonClick(this, b);
        return;
    }
    case CN_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
        m.Result = 0;
        if (hdr && hdr->code == NM_CUSTOMDRAW) m.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(hdr));
        return;
    }
    default: TWinControl::WndProc(m);
    }
}
