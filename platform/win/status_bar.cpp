// The status bar and its panels.
#include "platform/win/status_bar.h"

#include <commctrl.h>

#include <array>

#include "platform/win/forms.h"

namespace {
constexpr std::array<std::string_view, 3> kAlignmentNames{"taLeftJustify", "taRightJustify", "taCenter"};
constexpr std::array<std::string_view, 3> kBevelNames{"pbNone", "pbLowered", "pbRaised"};
constexpr std::array<std::string_view, 2> kStyleNames{"psText", "psOwnerDraw"};
constexpr std::array<std::string_view, 4> kBiDiNames{"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                                                     "bdRightToLeftReadingOnly"};
}  // namespace

// ======================================================================= TStatusPanel

const PropTable TStatusPanel::Props{
    &TObject::Props,
    {
        Prop::Enum("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment,
                   PropNames{kAlignmentNames}),
        Prop::Enum("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel, PropNames{kBevelNames}),
        Prop::Enum("BiDiMode", &TStatusPanel::BiDiMode, &TStatusPanel::SetBiDiMode, PropNames{kBiDiNames}),
        Prop::Enum("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle, PropNames{kStyleNames}),
        Prop::Str("Text", &TStatusPanel::Text, &TStatusPanel::SetText),
        Prop::Int("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth),
    }};
const TClassInfo TStatusPanel::ClassInfo_{"TStatusPanel", &TCollectionItem::ClassInfo_, &TStatusPanel::Props};

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

void TStatusPanel::Assign(const TPersistent& source) {
    auto* p = dynamic_cast<const TStatusPanel*>(&source);
    if (!p) return TCollectionItem::Assign(source);
    text_ = p->text_;
    width_ = p->width_;
    alignment_ = p->alignment_;
    bevel_ = p->bevel_;
    style_ = p->style_;
    biDiMode_ = p->biDiMode_;
    Changed(false);
}

std::string TStatusPanel::DisplayName() const {
    return text_.empty() ? TCollectionItem::DisplayName() : WideToUtf8(text_);
}

void TStatusPanel::SetText(const std::wstring& text) {
    if (text == text_) return;
    text_ = text;
    Changed(false);
}
void TStatusPanel::SetWidth(int width) {
    if (width == width_) return;
    width_ = width;
    Changed(true);
}
void TStatusPanel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Changed(false);
}
void TStatusPanel::SetBevel(TStatusPanelBevel value) {
    bevel_ = value;
    Changed(false);
}
void TStatusPanel::SetStyle(TStatusPanelStyle value) {
    style_ = value;
    Changed(false);
}
void TStatusPanel::SetBiDiMode(TBiDiMode value) {
    biDiMode_ = value;
    Changed(false);
}

// ======================================================================= TStatusPanels

const TClassInfo TStatusPanels::ClassInfo_{"TStatusPanels", &TCollection::ClassInfo_, &TObject::Props};

TStatusPanels::TStatusPanels(TCustomStatusBar* bar)
    : TCollection(TStatusPanel::ClassInfo_, TCollection::FactoryOf<TStatusPanel>(), bar), bar_(bar) {}

void TStatusPanels::Update(TCollectionItem*) {
    if (bar_) bar_->UpdatePanels();
}

// ======================================================================= TCustomStatusBar

const PropTable TCustomStatusBar::Props{
    &TWinControl::Props,
    {
        Prop::Obj("Panels", &TCustomStatusBar::Panels),
        Prop::Enum("SimplePanel", &TCustomStatusBar::SimplePanel, &TCustomStatusBar::SetSimplePanel,
                   kBooleanNames),
        Prop::Str("SimpleText", &TCustomStatusBar::SimpleText, &TCustomStatusBar::SetSimpleText),
        Prop::Enum("SizeGrip", &TCustomStatusBar::SizeGrip, &TCustomStatusBar::SetSizeGrip, kBooleanNames),
        Prop::Event("OnDrawPanel", &TCustomStatusBar::OnDrawPanel),
    }};
const TClassInfo TCustomStatusBar::ClassInfo_{"TCustomStatusBar", &TWinControl::ClassInfo_,
                                              &TCustomStatusBar::Props};
const TClassInfo TStatusBar::ClassInfo_{"TStatusBar", &TCustomStatusBar::ClassInfo_,
                                        &TCustomStatusBar::Props};

TCustomStatusBar::TCustomStatusBar(TComponent* owner)
    : TWinControl(owner), panels_(std::make_unique<TStatusPanels>(this)) {
    SetBoundsQuiet(0, 0, 200, 19);
    SetAlign(alBottom);
    clickEvents_ = true;
}

TCustomStatusBar::~TCustomStatusBar() {
    DestroyHandle();
    canvas_.SetHandle(nullptr);
}

void TCustomStatusBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClass = STATUSCLASSNAMEW;
    // Our own bounds and alignment decide where it goes, not the control.
    p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY;
    auto* form = dynamic_cast<TCustomForm*>(ParentForm());
    if (sizeGrip_ && form && Parent() == form &&
        (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin))
        p.Style |= SBARS_SIZEGRIP;
}

void TCustomStatusBar::CreateWnd() {
    TWinControl::CreateWnd();
    UpdatePanels();
}

void TCustomStatusBar::SetSimplePanel(bool value) {
    if (value == simplePanel_) return;
    simplePanel_ = value;
    UpdatePanels();
}

void TCustomStatusBar::SetSimpleText(const std::wstring& text) {
    if (text == simpleText_) return;
    simpleText_ = text;
    if (HandleAllocated() && simplePanel_)
        SendMessageW(Handle(), SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
}

void TCustomStatusBar::UpdatePanels() {
    if (!HandleAllocated()) return;
    HWND h = Handle();
    SendMessageW(h, SB_SIMPLE, simplePanel_, 0);
    if (simplePanel_) {
        SendMessageW(h, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
        return;
    }
    const int count = panels_->Count();
    if (count == 0) {
        int edge = -1;
        SendMessageW(h, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&edge));
        SendMessageW(h, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
        return;
    }
    // Right edges; the last panel reaches the end of the bar.
    std::vector<int> edges(std::size_t(count), -1);
    int x = 0;
    for (int i = 0; i + 1 < count; ++i) {
        x += panels_->Items(i)->Width();
        edges[std::size_t(i)] = x;
    }
    SendMessageW(h, SB_SETPARTS, WPARAM(count), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < count; ++i) {
        const TStatusPanel* p = panels_->Items(i);
        WPARAM flags = WPARAM(i);
        if (p->Bevel() == pbNone) flags |= SBT_NOBORDERS;
        if (p->Bevel() == pbRaised) flags |= SBT_POPOUT;
        if (p->BiDiMode() != bdLeftToRight) flags |= SBT_RTLREADING;
        if (p->Style() == psOwnerDraw) {
            SendMessageW(h, SB_SETTEXTW, flags | SBT_OWNERDRAW, LPARAM(i));
            continue;
        }
        // Tabs in front of the text centre it (one) or right-align it (two).
        std::wstring text = p->Alignment() == taCenter         ? L"\t"
                            : p->Alignment() == taRightJustify ? L"\t\t"
                                                               : L"";
        text += p->Text();
        SendMessageW(h, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TCustomStatusBar::DrawPanel(TStatusPanel* panel, const TRect& rect) {
    if (OnDrawPanel)
        OnDrawPanel(this, panel, rect);
    else
        canvas_.FillRect(rect);
}

void TCustomStatusBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_DRAWITEM: {
        auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        const int index = int(dis->itemID);
        if (index >= 0 && index < panels_->Count()) {
            SavedDC saved{dis->hDC};
            CanvasBinding bind{canvas_, dis->hDC};
            canvas_.Font().Assign(*Font());
            canvas_.Brush().SetColor(Color());
            DrawPanel(panels_->Items(index), ToTRect(dis->rcItem));
        }
        m.Result = TRUE;
        return;
    }
    default: TWinControl::WndProc(m);
    }
}
