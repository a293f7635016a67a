// Push button, label, edit and memo, group box and panel.
#include "platform/win/std_controls.h"

#include <array>

namespace {
constexpr std::array<std::string_view, 3> kAlignmentNames{"taLeftJustify", "taRightJustify", "taCenter"};
constexpr std::array<std::string_view, 6> kBorderStyleNames{"bsNone",   "bsSingle",     "bsSizeable",
                                                            "bsDialog", "bsToolWindow", "bsSizeToolWin"};
constexpr std::array<std::string_view, 4> kScrollStyleNames{"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
constexpr std::array<std::string_view, 4> kBevelKindNames{"bkNone", "bkTile", "bkSoft", "bkFlat"};
constexpr std::array<std::string_view, 4> kBevelCutNames{"bvNone", "bvLowered", "bvRaised", "bvSpace"};

// A memory dc like the screen's, kept for the thread: measuring on it gives the screen's metrics without
// asking the system for the screen's dc each time (a label measures its text at every change). Made once
// and kept, it is not counted among the live handles.
class MeasuringDC {
public:
    MeasuringDC() : dc_(CreateCompatibleDC(nullptr)) {}
    ~MeasuringDC() {
        if (dc_) DeleteDC(dc_);
    }
    MeasuringDC(const MeasuringDC&) = delete;
    MeasuringDC& operator=(const MeasuringDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Line height and caption metrics of a font, measured as on the screen.
TSize MeasureText(const TFont& font, const std::wstring& text, UINT flags, int wrapWidth) {
    thread_local MeasuringDC measuring;
    const HDC dc = measuring.get();
    if (!dc) return {};
    HGDIOBJ old = SelectObject(dc, font.Handle());
    RECT r{0, 0, wrapWidth > 0 ? wrapWidth : 0, 0};
    DrawTextW(dc, text.c_str(), int(text.size()), &r, flags | DT_CALCRECT);
    SelectObject(dc, old);
    return {int(r.right - r.left), int(r.bottom - r.top)};
}

int FontLineHeight(const TFont& font) { return MeasureText(font, L"0", DT_SINGLELINE, 0).cy; }
}  // namespace

// ======================================================================= TButton

const PropTable TButton::Props{
    &TWinControl::Props,
    {
        Prop::Str("Caption", &TButton::Caption, &TButton::SetCaption),
        Prop::Enum("Default", &TButton::Default, &TButton::SetDefault, kBooleanNames),
        Prop::Enum("Cancel", &TButton::Cancel, nullptr, kBooleanNames),
    }};
const TClassInfo TButton::ClassInfo_{"TButton", &TWinControl::ClassInfo_, &TButton::Props};

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetBoundsQuiet(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::SetDefault(bool value) {
    if (value == default_) return;
    default_ = value;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClass = L"BUTTON";
    p.Style |= (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        return;
    }
    TWinControl::WndProc(m);
}

// ======================================================================= TLabel

const PropTable TLabel::Props{
    &TGraphicControl::Props,
    {
        Prop::Str("Caption", &TLabel::Caption, &TLabel::SetCaption),
        Prop::Enum("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, kBooleanNames),
        Prop::Enum("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, PropNames{kAlignmentNames}),
        Prop::Enum("Transparent", &TLabel::Transparent, &TLabel::SetTransparent, kBooleanNames),
        Prop::Enum("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar, kBooleanNames),
        Prop::Enum("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, kBooleanNames),
    }};
const TClassInfo TLabel::ClassInfo_{"TLabel", &TGraphicControl::ClassInfo_, &TLabel::Props};

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBoundsQuiet(0, 0, 65, 17);
    SetParentColor(true);
}

void TLabel::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    AdjustSize();
}
void TLabel::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Invalidate();
}
void TLabel::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Invalidate();
}
void TLabel::SetShowAccelChar(bool value) {
    if (value == showAccelChar_) return;
    showAccelChar_ = value;
    AdjustSize();
    Invalidate();
}
void TLabel::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    AdjustSize();
    Invalidate();
}

UINT TLabel::DrawFlags() const {
    UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    if (alignment_ == taRightJustify) flags |= DT_RIGHT;
    if (alignment_ == taCenter) flags |= DT_CENTER;
    return flags;
}

void TLabel::AdjustSize() {
    if (!autoSize_ || HasState(csLoading)) return;
    std::wstring text = text_;
    // An empty caption still takes one line, a blank wide.
    if (text.empty() || (showAccelChar_ && text == L"&")) text += L" ";
    const TSize s =
        MeasureText(*Font(), text, DrawFlags() & ~UINT(DT_RIGHT | DT_CENTER), wordWrap_ ? Width() : 0);
    int left = Left();
    if (alignment_ == taRightJustify) left += Width() - s.cx;
    if (alignment_ == taCenter) left += (Width() - s.cx) / 2;
    SetBounds(left, Top(), s.cx, s.cy);
}

void TLabel::Paint() {
    TCanvas& c = Canvas();
    const TRect r = ClientRect();
    if (!transparent_) {
        c.Brush().SetColor(Color());
        c.FillRect(r);
    }
    c.Font().Assign(*Font());
    HDC dc = c.Handle();
    SelectObject(dc, Font()->Handle());  // the canvas's own selection is put back when it is unbound
    SetBkMode(dc, TRANSPARENT);
    RECT rc = ToRECT(r);
    if (!Enabled()) {
        OffsetRect(&rc, 1, 1);
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextW(dc, text_.c_str(), int(text_.size()), &rc, DrawFlags());
        OffsetRect(&rc, -1, -1);
        SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
        // A transparent label shows its parent's colour behind the text.
        SetTextColor(dc, ColorToRGB(TextColorOn(transparent_ && Parent() ? Parent()->Color() : Color())));
    }
    DrawTextW(dc, text_.c_str(), int(text_.size()), &rc, DrawFlags());
}

// ======================================================================= TCustomEdit

const PropTable TCustomEdit::Props{
    &TWinControl::Props,
    {
        Prop::Str("Text", &TCustomEdit::Text, &TCustomEdit::SetText),
        Prop::Enum("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle,
                   PropNames{kBorderStyleNames}),
        Prop::Enum("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, kBooleanNames),
        Prop::Int("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength),
        Prop::Enum("BevelKind", &TCustomEdit::BevelKind, &TCustomEdit::SetBevelKind,
                   PropNames{kBevelKindNames}),
        Prop::Enum("BevelInner", &TCustomEdit::BevelInner, &TCustomEdit::SetBevelInner,
                   PropNames{kBevelCutNames}),
        Prop::Enum("BevelOuter", &TCustomEdit::BevelOuter, &TCustomEdit::SetBevelOuter,
                   PropNames{kBevelCutNames}),
        Prop::Event("OnChange", &TCustomEdit::OnChange),
    }};
const TClassInfo TCustomEdit::ClassInfo_{"TCustomEdit", &TWinControl::ClassInfo_, &TCustomEdit::Props};
const TClassInfo TEdit::ClassInfo_{"TEdit", &TCustomEdit::ClassInfo_, &TCustomEdit::Props};

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetBoundsQuiet(0, 0, 121, 21);
    SetTabStop(true);
    color_ = clWindow;
}

void TCustomEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClass = L"EDIT";
    p.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (readOnly_) p.Style |= ES_READONLY;
    if (borderStyle_ != bsNone) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::RecreateFrame() {
    if (!HandleAllocated()) return;
    HWND h = Handle();
    LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
    ex = borderStyle_ != bsNone ? (ex | WS_EX_CLIENTEDGE) : (ex & ~LONG_PTR(WS_EX_CLIENTEDGE));
    SetWindowLongPtrW(h, GWL_EXSTYLE, ex);
    SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    RecreateFrame();
}
void TCustomEdit::SetReadOnly(bool value) {
    readOnly_ = value;
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, value, 0);
}
void TCustomEdit::SetMaxLength(int value) {
    maxLength_ = value < 0 ? 0 : value;
    if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
}
void TCustomEdit::SetBevelKind(TBevelKind value) {
    if (value == bevelKind_) return;
    bevelKind_ = value;
    RecreateFrame();
}
void TCustomEdit::SetBevelInner(TBevelCut value) {
    if (value == bevelInner_) return;
    bevelInner_ = value;
    RecreateFrame();
}
void TCustomEdit::SetBevelOuter(TBevelCut value) {
    if (value == bevelOuter_) return;
    bevelOuter_ = value;
    RecreateFrame();
}

int TCustomEdit::BevelSize() const {
    if (bevelKind_ == bkNone) return 0;
    return (bevelInner_ != bvNone ? 1 : 0) + (bevelOuter_ != bvNone ? 1 : 0);
}

void TCustomEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == EN_CHANGE && OnChange) OnChange(this);
        return;
    case WM_NCCALCSIZE: {
        // The bevel is outermost: take it off before the control reserves its border and scroll bars.
        const int b = BevelSize();
        if (b > 0 && m.LParam) {
            RECT* r = m.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0]
                               : reinterpret_cast<RECT*>(m.LParam);
            InflateRect(r, -b, -b);
        }
        DefaultHandler(m);
        return;
    }
    case WM_NCPAINT: {
        DefaultHandler(m);
        if (BevelSize() > 0) {
            static constexpr UINT kInner[] = {0, BDR_SUNKENINNER, BDR_RAISEDINNER, 0};
            static constexpr UINT kOuter[] = {0, BDR_SUNKENOUTER, BDR_RAISEDOUTER, 0};
            UINT flags = BF_RECT;
            if (bevelKind_ == bkSoft) flags |= BF_SOFT;
            if (bevelKind_ == bkFlat) flags |= BF_FLAT;
            WindowDC dc{Handle()};
            RECT r;
            GetWindowRect(Handle(), &r);
            OffsetRect(&r, -r.left, -r.top);
            DrawEdge(dc, &r, kInner[bevelInner_] | kOuter[bevelOuter_], flags);
        }
        return;
    }
    default: TWinControl::WndProc(m);
    }
}

// ======================================================================= TCustomMemo

const PropTable TCustomMemo::Props{
    &TCustomEdit::Props,
    {
        Prop::Strings("Lines", &TCustomMemo::LinesList, &TCustomMemo::SetLinesList),
        Prop::Enum("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars,
                   PropNames{kScrollStyleNames}),
        Prop::Enum("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap, kBooleanNames),
        Prop::Enum("WantReturns", &TCustomMemo::WantReturns, nullptr, kBooleanNames),
    }};
const TClassInfo TCustomMemo::ClassInfo_{"TCustomMemo", &TCustomEdit::ClassInfo_, &TCustomMemo::Props};
const TClassInfo TMemo::ClassInfo_{"TMemo", &TCustomMemo::ClassInfo_, &TCustomMemo::Props};

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner) { SetBoundsQuiet(0, 0, 185, 89); }

void TCustomMemo::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.Style &= ~DWORD(ES_AUTOHSCROLL);
    p.Style |= ES_MULTILINE | ES_AUTOVSCROLL | (WantReturns ? ES_WANTRETURN : 0);
    if (!wordWrap_ || scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) p.Style |= ES_AUTOHSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) p.Style |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) p.Style |= WS_HSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
    if (value == scrollBars_) return;
    scrollBars_ = value;
    if (HandleAllocated()) {
        ShowScrollBar(Handle(), SB_VERT, value == ssVertical || value == ssBoth);
        ShowScrollBar(Handle(), SB_HORZ, value == ssHorizontal || value == ssBoth);
    }
}

void TCustomMemo::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    // Wrapping is fixed when the window is made.
    if (HandleAllocated()) {
        const bool focused = Focused();
        DestroyHandle();
        HandleNeeded();
        if (focused) SetFocus();
    }
}

// ---- lines

namespace {
std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}
std::wstring JoinLines(const std::vector<std::wstring>& lines) {
    std::wstring s;
    for (const auto& l : lines) s += l + L"\r\n";
    return s;
}
}  // namespace

int TMemoLines::Count() const { return int(SplitLines(memo_.Text()).size()); }

std::wstring TMemoLines::Strings(int index) const {
    const auto lines = SplitLines(memo_.Text());
    if (index < 0 || index >= int(lines.size())) return {};
    return lines[std::size_t(index)];
}

void TMemoLines::Add(const std::wstring& line) {
    if (!memo_.HandleAllocated()) {
        std::wstring text = memo_.Text();
        if (!text.empty() && text.back() != L'\n' && text.back() != L'\r') text += L"\r\n";
        memo_.SetText(text + line + L"\r\n");
        return;
    }
    HWND h = memo_.Handle();
    const int length = GetWindowTextLengthW(h);
    std::wstring insert = line + L"\r\n";
    if (length > 0) {
        // Does the text end with a line break? Then its last line, as the control counts lines, is empty.
        const int lastLine = int(SendMessageW(h, EM_GETLINECOUNT, 0, 0)) - 1;
        const int lastStart = int(SendMessageW(h, EM_LINEINDEX, WPARAM(lastLine), 0));
        if (SendMessageW(h, EM_LINELENGTH, WPARAM(lastStart), 0) > 0) insert = L"\r\n" + insert;
    }
    SendMessageW(h, EM_SETSEL, WPARAM(length), LPARAM(length));
    SendMessageW(h, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(insert.c_str()));
}

void TMemoLines::Delete(int index) {
    auto lines = SplitLines(memo_.Text());
    if (index < 0 || index >= int(lines.size())) return;
    lines.erase(lines.begin() + index);
    memo_.SetText(JoinLines(lines));
}

void TMemoLines::Clear() { memo_.SetText(L""); }

std::wstring TMemoLines::Text() const { return memo_.Text(); }

void TMemoLines::SetText(const std::wstring& text) { memo_.SetText(text); }

TStringList TMemoLines::AsStringList() const {
    TStringList list;
    for (const auto& l : SplitLines(memo_.Text())) list.Add(WideToUtf8(l));
    return list;
}

void TMemoLines::Assign(const TStringList& lines) {
    std::vector<std::wstring> wide;
    for (int i = 0; i < lines.Count(); ++i) wide.push_back(Utf8ToWide(lines[i]));
    memo_.SetText(JoinLines(wide));
}

// ======================================================================= TCustomGroupBox

const PropTable TCustomGroupBox::Props{
    &TWinControl::Props,
    {
        Prop::Str("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption),
    }};
const TClassInfo TCustomGroupBox::ClassInfo_{"TCustomGroupBox", &TCustomControl::ClassInfo_,
                                             &TCustomGroupBox::Props};
const TClassInfo TGroupBox::ClassInfo_{"TGroupBox", &TCustomGroupBox::ClassInfo_, &TCustomGroupBox::Props};

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    SetBoundsQuiet(0, 0, 185, 105);
    // Follows the form's colour, and passes it on to the labels on it.
    SetParentColor(true);
}

void TCustomGroupBox::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style |= WS_CLIPCHILDREN;
    p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TCustomGroupBox::AlignControls(TRect& rect) {
    // Aligned children stay inside the frame and below the caption.
    const int h = FontLineHeight(*Font());
    rect.Top += h;
    rect.Left += 2, rect.Right -= 2, rect.Bottom -= 2;
    TCustomControl::AlignControls(rect);
}

void TCustomGroupBox::Paint() {
    TCanvas& c = Canvas();
    const TRect r = ClientRect();
    c.Brush().SetColor(Color());
    c.FillRect(r);
    HDC dc = c.Handle();
    c.Font().Assign(*Font());
    const std::wstring caption = Caption();
    const int h = FontLineHeight(*Font());
    RECT frame{r.Left, r.Top + h / 2, r.Right, r.Bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        SelectObject(dc, Font()->Handle());
        SIZE s{0, 0};
        GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &s);
        RECT text{8, 0, 8 + s.cx + 2, h};
        FillRect(dc, &text, BackgroundBrush());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(Enabled() ? TextColor() : clGrayText));
        DrawTextW(dc, caption.c_str(), int(caption.size()), &text, DT_SINGLELINE | DT_CENTER);
    }
}

// ======================================================================= TCustomPanel

const PropTable TCustomPanel::Props{
    &TWinControl::Props,
    {
        Prop::Str("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption),
        Prop::Enum("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment,
                   PropNames{kAlignmentNames}),
        Prop::Enum("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner,
                   PropNames{kBevelCutNames}),
        Prop::Enum("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter,
                   PropNames{kBevelCutNames}),
        Prop::Int("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth),
        Prop::Enum("Transparent", &TCustomPanel::Transparent, nullptr, kBooleanNames),
    }};
const TClassInfo TCustomPanel::ClassInfo_{"TCustomPanel", &TCustomControl::ClassInfo_, &TCustomPanel::Props};
const TClassInfo TPanel::ClassInfo_{"TPanel", &TCustomPanel::ClassInfo_, &TCustomPanel::Props};

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) { SetBoundsQuiet(0, 0, 185, 41); }

void TCustomPanel::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style |= WS_CLIPCHILDREN;
    p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    bevelInner_ = value;
    Realign();
    Invalidate();
}
void TCustomPanel::SetBevelOuter(TBevelCut value) {
    bevelOuter_ = value;
    Realign();
    Invalidate();
}
void TCustomPanel::SetBevelWidth(int value) {
    bevelWidth_ = value < 1 ? 1 : value;
    Realign();
    Invalidate();
}
void TCustomPanel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

void TCustomPanel::AlignControls(TRect& rect) {
    const int b = (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
    rect.Left += b, rect.Top += b, rect.Right -= b, rect.Bottom -= b;
    TCustomControl::AlignControls(rect);
}

void TCustomPanel::Paint() {
    TCanvas& c = Canvas();
    RECT r = ToRECT(ClientRect());
    HDC dc = c.Handle();
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        for (int i = 0; i < bevelWidth_; ++i) {
            const UINT edge = cut == bvLowered ? BDR_SUNKENOUTER : cut == bvRaised ? BDR_RAISEDINNER : 0;
            if (edge)
                DrawEdge(dc, &r, edge, BF_RECT | BF_ADJUST);
            else
                InflateRect(&r, -1, -1);
        }
    };
    bevel(bevelOuter_);
    bevel(bevelInner_);
    FillRect(dc, &r, BackgroundBrush());
    const std::wstring caption = Caption();
    if (!caption.empty()) {
        SelectObject(dc, Font()->Handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(TextColor()));
        UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
        flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
        DrawTextW(dc, caption.c_str(), int(caption.size()), &r, flags);
    }
}
