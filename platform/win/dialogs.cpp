// Message boxes and the common file-open dialog.
#include "platform/win/dialogs.h"

#include <commdlg.h>

#include <array>
#include <vector>

#include "platform/win/forms.h"

namespace {
constexpr std::array<std::string_view, 6> kOpenOptionNames{"ofReadOnly",         "ofHideReadOnly",
                                                           "ofAllowMultiSelect", "ofFileMustExist",
                                                           "ofPathMustExist",    "ofNoChangeDir"};

HWND DialogOwner() {
    if (TCustomForm* f = Screen->ActiveForm()) return f->Handle();
    if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
        return Application->MainForm()->Handle();
    return Application ? Application->Handle() : nullptr;
}
}  // namespace

int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
    const std::wstring title = caption.empty() && Application ? Application->Title() : caption;
    return MessageBoxW(DialogOwner(), text.c_str(), title.c_str(), flags);
}

void ShowMessage(const std::wstring& text) { ShowMessageBox(text, {}, MB_OK | MB_ICONINFORMATION); }

const PropTable TOpenDialog::Props{
    &TComponent::Props,
    {
        Prop::Str("FileName", &TOpenDialog::FileName),
        Prop::Str("Filter", &TOpenDialog::Filter),
        Prop::Int("FilterIndex", &TOpenDialog::FilterIndex),
        Prop::Str("InitialDir", &TOpenDialog::InitialDir),
        Prop::Str("Title", &TOpenDialog::Title),
        Prop::Str("DefaultExt", &TOpenDialog::DefaultExt),
        Prop::Set("Options", &TOpenDialog::Options, nullptr, PropNames{kOpenOptionNames}),
        Prop::Event("OnShow", &TOpenDialog::OnShow),
    }};
const TClassInfo TOpenDialog::ClassInfo_{"TOpenDialog", &TComponent::ClassInfo_, &TOpenDialog::Props};

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

std::wstring TOpenDialog::PlatformFilter(const std::wstring& filter) {
    std::wstring s = filter;
    for (wchar_t& c : s)
        if (c == L'|') c = L'\0';
    s.push_back(L'\0');
    s.push_back(L'\0');
    return s;
}

UINT_PTR CALLBACK TOpenDialog::HookProc(HWND dlg, UINT msg, WPARAM, LPARAM lParam) noexcept {
    // The hook's dialog is a child of the real dialog window.
    try {
        if (msg == WM_INITDIALOG) {
            const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
            auto* self = reinterpret_cast<TOpenDialog*>(ofn->lCustData);
            SetWindowLongPtrW(dlg, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            if (self) self->handle_ = GetParent(dlg);
        } else if (msg == WM_NOTIFY) {
            const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
            auto* self = reinterpret_cast<TOpenDialog*>(GetWindowLongPtrW(dlg, GWLP_USERDATA));
            if (hdr && self && hdr->code == CDN_INITDONE && self->OnShow) self->OnShow(self);
        }
    } catch (...) {
    }
    return 0;
}

bool TOpenDialog::Execute(HWND owner) {
    std::vector<wchar_t> buffer(Options.Contains(ofAllowMultiSelect) ? 32768 : MAX_PATH * 4, L'\0');
    FileName.copy(buffer.data(), std::min(FileName.size(), buffer.size() - 1));
    const std::wstring filter = PlatformFilter(Filter);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner ? owner : DialogOwner();
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = DWORD(FilterIndex);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = DWORD(buffer.size());
    ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    if (Options.Contains(ofReadOnly)) ofn.Flags |= OFN_READONLY;
    if (Options.Contains(ofHideReadOnly)) ofn.Flags |= OFN_HIDEREADONLY;
    if (Options.Contains(ofAllowMultiSelect)) ofn.Flags |= OFN_ALLOWMULTISELECT;
    if (Options.Contains(ofFileMustExist)) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (Options.Contains(ofPathMustExist)) ofn.Flags |= OFN_PATHMUSTEXIST;
    if (Options.Contains(ofNoChangeDir)) ofn.Flags |= OFN_NOCHANGEDIR;
    ofn.lpfnHook = &HookProc;
    ofn.lCustData = reinterpret_cast<LPARAM>(this);
    const bool chosen = GetOpenFileNameW(&ofn) != FALSE;
    handle_ = nullptr;
    Files.clear();
    if (!chosen) return false;
    FilterIndex = int(ofn.nFilterIndex);
    // One file: its full path. Several: the folder, then each name, each ended by a NUL.
    std::wstring first = buffer.data();
    const wchar_t* next = buffer.data() + first.size() + 1;
    if (!Options.Contains(ofAllowMultiSelect) || !*next) {
        FileName = first;
        Files.push_back(first);
        return true;
    }
    std::wstring folder = first;
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    for (; *next; next += std::wcslen(next) + 1) Files.push_back(folder + next);
    FileName = Files.front();
    return true;
}
