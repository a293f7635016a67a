// The header control and its sections.
#include "platform/win/header_control.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

namespace {
constexpr std::array<std::string_view, 3> kAlignmentNames{"taLeftJustify", "taRightJustify", "taCenter"};
}  // namespace

int HeaderFormat(TAlignment alignment, bool hasText, bool hasImage) {
    int fmt = alignment == taRightJustify ? HDF_RIGHT : alignment == taCenter ? HDF_CENTER : HDF_LEFT;
    if (hasText) fmt |= HDF_STRING;
    if (hasImage) fmt |= HDF_IMAGE;
    return fmt;
}

// ======================================================================= THeaderSection

const PropTable THeaderSection::Props{
    &TObject::Props,
    {
        Prop::Str("Text", &THeaderSection::Text, &THeaderSection::SetText),
        Prop::Int("Width", &THeaderSection::Width, &THeaderSection::SetWidth),
        Prop::Enum("Alignment", &THeaderSection::Alignment, &THeaderSection::SetAlignment,
                   PropNames{kAlignmentNames}),
        Prop::Int("ImageIndex", &THeaderSection::ImageIndex, &THeaderSection::SetImageIndex),
        Prop::Enum("AllowClick", &THeaderSection::AllowClick, nullptr, kBooleanNames),
    }};
const TClassInfo THeaderSection::ClassInfo_{"THeaderSection", &TCollectionItem::ClassInfo_,
                                            &THeaderSection::Props};

THeaderSection::THeaderSection(TCollection* collection) : TCollectionItem(collection) {}

void THeaderSection::Assign(const TPersistent& source) {
    auto* s = dynamic_cast<const THeaderSection*>(&source);
    if (!s) return TCollectionItem::Assign(source);
    text_ = s->text_;
    width_ = s->width_;
    alignment_ = s->alignment_;
    imageIndex_ = s->imageIndex_;
    AllowClick = s->AllowClick;
    Changed(false);
}

std::string THeaderSection::DisplayName() const {
    return text_.empty() ? TCollectionItem::DisplayName() : WideToUtf8(text_);
}

void THeaderSection::SetText(const std::wstring& value) {
    if (value == text_) return;
    text_ = value;
    Changed(false);
}
void THeaderSection::SetWidth(int value) {
    value = std::max(0, value);
    if (value == width_) return;
    width_ = value;
    Changed(true);
}
void THeaderSection::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Changed(false);
}
void THeaderSection::SetImageIndex(int value) {
    if (value < -1) value = -1;
    if (value == imageIndex_) return;
    imageIndex_ = value;
    Changed(false);
}

// ======================================================================= THeaderSections

const TClassInfo THeaderSections::ClassInfo_{"THeaderSections", &TCollection::ClassInfo_, &TObject::Props};

THeaderSections::THeaderSections(THeaderControl* header)
    : TCollection(THeaderSection::ClassInfo_, TCollection::FactoryOf<THeaderSection>(), header),
      header_(header) {}

THeaderSection* THeaderSections::AddSection(const std::wstring& text, int width) {
    BeginUpdate();
    THeaderSection* s = Add();
    s->SetText(text);
    s->SetWidth(width);
    EndUpdate();
    return s;
}

void THeaderSections::Update(TCollectionItem*) {
    if (header_) header_->UpdateSections();
}

// ======================================================================= THeaderControl

const PropTable THeaderControl::Props{
    &TWinControl::Props,
    {
        Prop::Obj("Sections", &THeaderControl::Sections),
        Prop::Obj("Images", &THeaderControl::Images, &THeaderControl::SetImages),
        Prop::Enum("HotTrack", &THeaderControl::HotTrack, &THeaderControl::SetHotTrack, kBooleanNames),
        Prop::Event("OnSectionClick", &THeaderControl::OnSectionClick),
        Prop::Event("OnSectionResize", &THeaderControl::OnSectionResize),
    }};
const TClassInfo THeaderControl::ClassInfo_{"THeaderControl", &TWinControl::ClassInfo_,
                                            &THeaderControl::Props};

THeaderControl::THeaderControl(TComponent* owner)
    : TWinControl(owner), sections_(std::make_unique<THeaderSections>(this)) {
    SetBoundsQuiet(0, 0, 250, 20);
    SetAlign(alTop);
}

THeaderControl::~THeaderControl() {
    // The window goes before the sections and the image list it draws with.
    Destroying();
    DestroyHandle();
}

void THeaderControl::SetImages(TCustomImageList* images) {
    if (images == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    ApplyImages();
}

void THeaderControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        if (!HasState(csDestroying)) ApplyImages();
    }
}

void THeaderControl::SetHotTrack(bool value) {
    if (value == hotTrack_) return;
    hotTrack_ = value;
    if (!HandleAllocated()) return;
    const HWND h = Handle();
    LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    style = value ? (style | HDS_HOTTRACK) : (style & ~LONG_PTR(HDS_HOTTRACK));
    SetWindowLongPtrW(h, GWL_STYLE, style);
    InvalidateRect(h, nullptr, TRUE);
}

void THeaderControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClass = WC_HEADERW;
    p.Style |= HDS_BUTTONS | HDS_HORZ | (hotTrack_ ? HDS_HOTTRACK : 0);
}

void THeaderControl::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateSections();
}

void THeaderControl::ApplyImages() {
    if (!HandleAllocated()) return;
    // A copy of the images as they are now (the image list remakes its own platform list when it changes).
    const HIMAGELIST list = images_ ? images_->Handle() : nullptr;
    const HIMAGELIST copy = list ? ImageList_Duplicate(list) : nullptr;
    SendMessageW(Handle(), HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(copy));
    shownImages_.reset(copy);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void THeaderControl::UpdateSections() {
    if (!HandleAllocated() || HasState(csDestroying)) return;
    const HWND h = Handle();
    while (SendMessageW(h, HDM_GETITEMCOUNT, 0, 0) > 0) SendMessageW(h, HDM_DELETEITEM, 0, 0);
    for (int i = 0; i < sections_->Count(); ++i) {
        const THeaderSection* s = sections_->Items(i);
        std::wstring text = s->Text();
        HDITEMW item{};
        // Without HDI_IMAGE for a section without a picture: given one, the control draws a picture.
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | (s->ImageIndex() >= 0 ? HDI_IMAGE : 0);
        item.cxy = s->Width();
        item.pszText = text.data();
        item.cchTextMax = int(text.size());
        item.iImage = s->ImageIndex();
        item.fmt = HeaderFormat(s->Alignment(), !text.empty(), s->ImageIndex() >= 0);
        SendMessageW(h, HDM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    ApplyImages();
}

void THeaderControl::Notify(const NMHDR& hdr) {
    const auto& nm = reinterpret_cast<const NMHEADERW&>(hdr);
    THeaderSection* section =
        nm.iItem >= 0 && nm.iItem < sections_->Count() ? sections_->Items(nm.iItem) : nullptr;
    if (!section) return;
    switch (hdr.code) {
    case HDN_ITEMCLICKW:
    case HDN_ITEMCLICKA:
        if (section->AllowClick && OnSectionClick) OnSectionClick(this, section);
        break;
    case HDN_ITEMCHANGEDW:
    case HDN_ITEMCHANGEDA:
        if (nm.pitem && (nm.pitem->mask & HDI_WIDTH) && nm.pitem->cxy != section->width_) {
            section->width_ = nm.pitem->cxy;  // the control has it already
            if (OnSectionResize) OnSectionResize(this, section);
        }
        break;
    default: break;
    }
}

void THeaderControl::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY) {
        m.Result = 0;
        if (const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam)) Notify(*hdr);
        return;
    }
    TWinControl::WndProc(m);
}
