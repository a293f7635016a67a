#include "skin/manager/win/skin_manage.h"

#include <algorithm>

#include "platform/object.h"
#include "platform/win/forms.h"
#include "platform/win/timer.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/form/win/win_skin_form.h"
#include "skin/manager/skin_decision.h"
#include "skin/manager/win/skin_pop_menu.h"

namespace {

// The module's own state: its primary manager, the manager whose hooks run, the main hook.
TSkinManage* primary = nullptr;
TSkinManage* hookOwner = nullptr;
HHOOK mainHook = nullptr;
bool managerDestroyed = false;

constexpr std::int32_t kSecondaryDelayMs = 300;
constexpr UINT kThreadRequestTimeoutMs = 5000;  // a thread that does not answer by then is taken as hung
constexpr std::int32_t kDefaultDelayMs = 100;
constexpr LPARAM kInitSkinMark = 1000;
std::string ClassNameOf(HWND hwnd) { return WideToUtf8(WindowClassName(hwnd)); }

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

// The message through which the manager asks another GUI thread to act on one of its windows; the thread's
// request hook sees it before the window does (the window's own procedure ignores it).
UINT ThreadRequestMessage() {
    static const UINT message = RegisterWindowMessageW(L"TvSkinThreadRequest");
    return message;
}

DWORD ThreadOf(HWND window) { return window ? GetWindowThreadProcessId(window, nullptr) : 0; }

template <typename List, typename T>
bool EraseFirst(List& list, const T& value) {
    auto it = std::find(list.begin(), list.end(), value);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

}  // namespace

// ---- Life

TSkinFormEntry::TSkinFormEntry(TWinSkinForm* f, std::unique_ptr<TWinSkinForm> o)
    : form(f), owned(std::move(o)) {}
TSkinFormEntry::TSkinFormEntry(TSkinFormEntry&&) noexcept = default;
TSkinFormEntry& TSkinFormEntry::operator=(TSkinFormEntry&&) noexcept = default;
TSkinFormEntry::~TSkinFormEntry() = default;
TSkinLists::TSkinLists() = default;
TSkinLists::~TSkinLists() = default;

TSkinManage::TSkinManage(std::int32_t amode) {
    if (amode == 0) {
        lists = std::make_shared<TSkinLists>();
        mode = 0;
        if (!primary) primary = this;
    } else {
        mode = std::intptr_t(ModuleInstance());
    }
    Timer = std::make_unique<TTimer>(nullptr);
    Timer->SetEnabled(false);
    Timer->SetInterval(kDefaultDelayMs);
    Timer->OnTimer = [this](TObject*) { DoAction(); };
}

TSkinManage::~TSkinManage() {
    state = kShuttingDown;
    active = false;
    Timer.reset();
    if (mmgr) {
        // A library's manager: its skinners go with the forms of its module.
        mmgr->DeleteSub(this);
        mmgr->DeleteModuleForms(mode);
    } else if (lists) {
        // The windows of other threads are let go by their threads, through the hooks that reach them: the
        // forms go before the hooks.
        if (!sublist.empty() || !Forms().empty()) DeleteAllForms();
        FreePopMenus();
        FreeThreads();
        ReleaseSubs();
    }
    if (hookOwner == this) {
        if (mainHook) UnhookWindowsHookEx(mainHook);
        mainHook = nullptr;
        hookOwner = nullptr;
        managerDestroyed = true;
    }
    if (primary == this) primary = nullptr;
}

// ---- Hooks

void TSkinManage::InstallHook() {
    PlatformVersion = GetVersion();
    // One hook per thread: a second request while the hook runs changes nothing.
    if (mainHook) return;
    mainHook = SetWindowsHookExW(WH_CBT, &TSkinManage::HookProc, nullptr, GetCurrentThreadId());
    if (mainHook) {
        hookOwner = this;
        managerDestroyed = false;
    }
}

void TSkinManage::InstallThread(std::uint32_t aThreadID) {
    if (!lists) return;
    {
        std::lock_guard hold(lists->lock);
        for (const TSkinThread& t : lists->Threadlist)
            if (t.ThreadID == aThreadID) return;
    }
    HHOOK hook = SetWindowsHookExW(WH_CBT, &TSkinManage::ThreadHookProc, nullptr, aThreadID);
    if (!hook) return;
    HHOOK requests = SetWindowsHookExW(WH_CALLWNDPROC, &TSkinManage::RequestHookProc, nullptr, aThreadID);
    if (!hookOwner) hookOwner = this;
    std::lock_guard hold(lists->lock);
    lists->Threadlist.push_back({hook, requests, aThreadID});
}

void TSkinManage::UnInstallThread(std::uint32_t aThreadID) {
    if (!lists) return;
    TSkinThread gone;
    {
        std::lock_guard hold(lists->lock);
        auto& threads = lists->Threadlist;
        auto it = std::find_if(threads.begin(), threads.end(),
                               [&](const TSkinThread& t) { return t.ThreadID == aThreadID; });
        if (it == threads.end()) return;
        gone = *it;
        threads.erase(it);
    }
    UnhookWindowsHookEx(gone.hook);
    if (gone.requestHook) UnhookWindowsHookEx(gone.requestHook);
}

void TSkinManage::FreeThreads() {
    std::vector<TSkinThread> threads;
    {
        std::lock_guard hold(lists->lock);
        threads.swap(lists->Threadlist);
    }
    for (const TSkinThread& t : threads) {
        UnhookWindowsHookEx(t.hook);
        if (t.requestHook) UnhookWindowsHookEx(t.requestHook);
    }
}

bool TSkinManage::AskWindowThread(HWND window, ThreadRequest request) {
    const DWORD thread = ThreadOf(window);
    if (!thread || !lists) return false;
    {
        std::lock_guard hold(lists->lock);
        const auto& threads = lists->Threadlist;
        if (std::none_of(threads.begin(), threads.end(),
                         [&](const TSkinThread& t) { return t.ThreadID == thread && t.requestHook; }))
            return false;
    }
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, ThreadRequestMessage(), WPARAM(request), SkinSignature, SMTO_NORMAL,
                               kThreadRequestTimeoutMs, &answer) != 0;
}

void TSkinManage::OnThreadRequest(HWND window, ThreadRequest request) {
    switch (request) {
    case ThreadRequest::AddForm:
    case ThreadRequest::AddChildForm: {
        const bool child = std::exchange(skinchildform, request == ThreadRequest::AddChildForm);
        AddForm(window);
        skinchildform = child;
        break;
    }
    case ThreadRequest::Release:
    case ThreadRequest::Reskin:
    case ThreadRequest::LetGo:
        if (TWinSkinForm* f = FindForm(window))
            ReleaseForm(f, request == ThreadRequest::Release  ? HandBack::Plain
                           : request == ThreadRequest::Reskin ? HandBack::ForNewSkinner
                                                              : HandBack::LetGo);
        break;
    case ThreadRequest::ChangeSkin:
        if (TWinSkinForm* f = FindForm(window)) {
            f->DeleteSysbtn();
            f->InitSkinData();
            f->SkinChange();
        }
        break;
    case ThreadRequest::DeleteSysbtn:
        if (TWinSkinForm* f = FindForm(window)) f->DeleteSysbtn();
        break;
    case ThreadRequest::ReleasePopup:
        for (TWinSkinPopMenu* p : PopMenus())
            if (p->hwnd == window) p->UnSubClass();
        break;
    }
}

void TSkinManage::OnActivate(HWND window) {
    if (state == kNoneActivated) state = kRunning;
    AddForm(window);
}

void TSkinManage::OnCreated(HWND window, const CREATESTRUCTW& cs, bool threadHook) {
    const std::string className = ClassNameOf(window);
    const CreateActions act = OnCreateWindow(className, DWORD(cs.style), cs.dwExStyle, mmgr == nullptr);
    if (act.sizeGrip)
        if (TWinSkinForm* form = FindForm(cs.hwndParent)) form->AddControlh(window);
    // An extra thread's hook skins every popup menu window; the main hook only what the decision allows.
    if (threadHook ? className == "#32768" : act.popupMenu) AddPopMenu(window);
    // A framework MDI child is not bound to its object yet: the creation data names it.
    if (act.mdiChild && !threadHook) AddFormOf(window, FrameworkObjectOfCreation(window, cs));
}

LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    TSkinManage* m = hookOwner;
    if (managerDestroyed || code < 0 || !m) return CallNextHookEx(nullptr, code, wParam, lParam);
    const HWND window = HWND(wParam);
    try {
        switch (code) {
        case HCBT_ACTIVATE: m->OnActivate(window); break;
        case HCBT_DESTROYWND: m->DeletePopMenu(window); break;
        case HCBT_CREATEWND:
            m->OnCreated(window, *reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs, false);
            break;
        default: break;
        }
    } catch (...) {
        // A window the engine cannot skin stays as it is; nothing may unwind into the window manager.
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TSkinManage::ThreadHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    TSkinManage* m = hookOwner;
    if (managerDestroyed || code < 0 || !m) return CallNextHookEx(nullptr, code, wParam, lParam);
    const HWND window = HWND(wParam);
    try {
        switch (code) {
        case HCBT_ACTIVATE: m->OnActivate(window); break;
        case HCBT_DESTROYWND:
            m->DeletePopMenu(window);
            m->DeleteForm(window);
            break;
        case HCBT_CREATEWND:
            // As on the main thread for size grips; other scroll bars are left alone (refusing them would
            // make scroll-bar controls impossible on this thread).
            m->OnCreated(window, *reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs, true);
            break;
        default: break;
        }
    } catch (...) {
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TSkinManage::RequestHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    TSkinManage* m = hookOwner;
    if (!managerDestroyed && code == HC_ACTION && m && lParam) {
        const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent.message == ThreadRequestMessage() && sent.lParam == SkinSignature) {
            try {
                m->OnThreadRequest(sent.hwnd, ThreadRequest(sent.wParam));
            } catch (...) {
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// ---- Skin components

void TSkinManage::AddSkinData(TSkinData* adata) {
    if (!lists || !adata) return;
    std::lock_guard hold(lists->lock);
    lists->Dlist.push_back(adata);
    if (!MainData && adata->SkinFormtype() == sfMainform) MainData = adata;
}

void TSkinManage::RemoveSkinData(TSkinData* adata) {
    if (lists) {
        std::lock_guard hold(lists->lock);
        EraseFirst(lists->Dlist, adata);
    }
    // Windows that come later are judged as without a main component; a request on behalf of the
    // component is dropped.
    if (MainData == adata) MainData = nullptr;
    for (TSkinManage* sub : sublist)
        if (sub->MainData == adata) sub->MainData = nullptr;
    if (UpdateData == adata) {
        UpdateData = nullptr;
        action = 0;
        if (Timer) Timer->SetEnabled(false);
    }
}

std::vector<TSkinData*> TSkinManage::Components() const {
    if (!lists) return {};
    std::lock_guard hold(lists->lock);
    return lists->Dlist;
}

// ---- Form skinners

std::vector<TWinSkinForm*> TSkinManage::Forms() const {
    std::vector<TWinSkinForm*> forms;
    if (!lists) return forms;
    std::lock_guard hold(lists->lock);
    for (const TSkinFormEntry& e : lists->Flist) forms.push_back(e.form);
    return forms;
}

TWinSkinForm* TSkinManage::FindForm(HWND aHwnd) const {
    if (!lists || !aHwnd) return nullptr;
    std::lock_guard hold(lists->lock);
    for (const TSkinFormEntry& e : lists->Flist)
        if (e.form->Hwnd == aHwnd) return e.form;
    return nullptr;
}

std::unique_ptr<TWinSkinForm> TSkinManage::Unlist(TWinSkinForm* form, bool* listed) {
    if (listed) *listed = false;
    if (!lists) return nullptr;
    std::lock_guard hold(lists->lock);
    auto& forms = lists->Flist;
    auto it =
        std::find_if(forms.begin(), forms.end(), [&](const TSkinFormEntry& e) { return e.form == form; });
    if (it == forms.end()) return nullptr;
    if (listed) *listed = true;
    std::unique_ptr<TWinSkinForm> owned = std::move(it->owned);
    forms.erase(it);
    return owned;
}

void TSkinManage::Free(TWinSkinForm* form, std::unique_ptr<TWinSkinForm> owned) {
    // A framework form's skinner is its component; freeing it takes it out of the form's list.
    owned.release();
    TWinSkinForm::Free(form);
}

TWinControl* TSkinManage::FindTForm(HWND aHwnd) const {
    // Only forms that already have a window are compared: this runs inside hook notifications, where
    // making a window is not allowed.
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        if (f->HandleAllocated() && f->Handle() == aHwnd) return f;
    }
    return FindControl(aHwnd);
}

bool TSkinManage::CanSkin(HWND aHwnd, const std::string& className) const {
    bool result = true;
    if (MainData) MainData->DoFormSkin(aHwnd, className, result);
    return result;
}

TSkinData* TSkinManage::ChooseSkinData(HWND aHwnd, const std::string& className) const {
    const std::vector<TSkinData*> components = Components();
    std::vector<SkinChoice> choices;
    choices.reserve(components.size());
    for (TSkinData* d : components) {
        SkinChoice c{d->SkinFormtype(), false};
        if (c.type == sfOnlyThisForm) c.ownerIsWindow = d->Native().FormWindow(d->Owner()) == aHwnd;
        choices.push_back(c);
    }
    const int i = ::ChooseSkinData(choices, className);
    return i < 0 ? nullptr : components[std::size_t(i)];
}

bool TSkinManage::AddForm(HWND aHwnd) { return AddFormOf(aHwnd, nullptr); }

bool TSkinManage::AddFormOf(HWND aHwnd, TWinControl* known) {
    if (!active || !lists || !IsWindow(aHwnd)) return false;
    if (ThreadOf(aHwnd) != GetCurrentThreadId()) {
        // A skinner lives on its window's thread: that thread makes it, or nobody does.
        const bool asked =
            AskWindowThread(aHwnd, skinchildform ? ThreadRequest::AddChildForm : ThreadRequest::AddForm);
        return asked && FindForm(aHwnd) != nullptr;
    }
    ClearDeadForms();
    FormCandidate w;
    w.answersSkinned = SendMessageW(aHwnd, SM_ISSKINNED, 0, 0) == 1;
    if (w.answersSkinned) return false;
    w.hasSkinner = FindForm(aHwnd) != nullptr;
    if (w.hasSkinner) return false;
    TWinControl* object = known ? known : FindTForm(aHwnd);
    w.frameworkObject = object != nullptr;
    w.tag = object ? int(object->Tag()) : 0;
    w.style = DWORD(GetWindowLongW(aHwnd, GWL_STYLE));
    w.exStyle = DWORD(GetWindowLongW(aHwnd, GWL_EXSTYLE));
    w.className = ClassNameOf(aHwnd);
    w.parentClassName = ClassNameOf(GetParent(aHwnd));
    w.ownModule = HINSTANCE(GetWindowLongPtrW(aHwnd, GWLP_HINSTANCE)) == ModuleInstance();
    RECT r{};
    GetWindowRect(aHwnd, &r);
    w.width = r.right - r.left;
    w.height = r.bottom - r.top;
    const ManagerFlags flags{active, skinchildform};
    const TSkinOptions options = MainData ? MainData->Options() : TSkinOptions{};
    if (DecideForm(w, flags, MainData != nullptr, options) != SkinVerdict::Skin) return false;
    if (!CanSkin(aHwnd, w.className)) return false;
    TSkinData* data = ChooseSkinData(aHwnd, w.className);
    if (!data || data->Empty) return false;

    // A framework form owns its skinner, which dies with it; the manager owns a plain window's skinner.
    TForm* form = dynamic_cast<TForm*>(object);
    auto made = std::make_unique<TWinSkinForm>(form);
    made->Hwnd = aHwnd;
    made->mode = mode;
    made->formclass = w.className;
    made->host = this;
    if (form)
        made->InitTform(data, form);
    else
        made->InitDlg(data);
    TWinSkinForm* skinner = made.get();
    {
        std::lock_guard hold(lists->lock);
        lists->Flist.emplace_back(skinner, form ? nullptr : std::move(made));
    }
    if (form) made.release();  // the form's component from here
    PostMessageW(aHwnd, SM_INITSKIN, 0, kInitSkinMark);
    return true;
}

void TSkinManage::AddVisibleForm(TWinControl* form) {
    if (!form || !form->Visible() || !form->HandleAllocated()) return;
    // An MDI child is a child window too, but a form of its own: nothing else would skin it again (MDI
    // children are never activated as windows are).
    const HWND h = form->Handle();
    if ((GetWindowLongW(h, GWL_STYLE) & WS_CHILD) && !(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_MDICHILD))
        return;
    AddForm(h);
}

void TSkinManage::AddVisibleWindows(DWORD thread) {
    struct Collect {
        static BOOL CALLBACK Window(HWND h, LPARAM list) noexcept {
            const DWORD style = DWORD(GetWindowLongW(h, GWL_STYLE));
            const DWORD exStyle = DWORD(GetWindowLongW(h, GWL_EXSTYLE));
            // Windows a user can activate: visible, with a caption (hints, tips and menus have none).
            if (IsWindowVisible(h) && (style & WS_CAPTION) == WS_CAPTION && !(exStyle & WS_EX_NOACTIVATE))
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
            return TRUE;
        }
    };
    std::vector<HWND> windows;
    EnumThreadWindows(thread, &Collect::Window, reinterpret_cast<LPARAM>(&windows));
    for (HWND h : windows)
        if (!FindForm(h)) AddForm(h);
}

bool TSkinManage::DeleteForm(HWND aHwnd) {
    if (state == kShuttingDown) return false;
    TWinSkinForm* f = FindForm(aHwnd);
    if (!f || !f->FForm) return false;  // a dialog's skinner stays until its window goes
    f->Skinstate = TWinSkinForm::kReleasing;
    f->UnSubclass();
    Free(f, Unlist(f));
    return true;
}

void TSkinManage::DeleteForm2(const TWinSkinForm* skinner) {
    // A skinner that goes leaves the list, whatever the manager's state: the list never holds a freed one.
    if (!lists) return;
    std::lock_guard hold(lists->lock);
    auto& forms = lists->Flist;
    auto it =
        std::find_if(forms.begin(), forms.end(), [&](const TSkinFormEntry& e) { return e.form == skinner; });
    if (it == forms.end()) return;
    it->owned.release();  // it is being freed already
    forms.erase(it);
}

void TSkinManage::DeleteForm3() {
    if (state == kShuttingDown) return;
    FreeDeadForms(false);
}

void TSkinManage::ClearDeadForms() {
    if (state == kShuttingDown) return;
    FreeDeadForms(true);
}

void TSkinManage::FreeDeadForms(bool ownModeOnly) {
    // A dead skinner's window is gone and it has let everything go on its own thread: any thread frees it.
    std::vector<TSkinFormEntry> dead;
    {
        std::lock_guard hold(lists->lock);
        auto& forms = lists->Flist;
        for (std::size_t i = forms.size(); i-- > 0;) {
            TWinSkinForm* f = forms[i].form;
            if (f->Skinstate != TWinSkinForm::kDead || (ownModeOnly && f->mode != mode)) continue;
            dead.push_back(std::move(forms[i]));
            forms.erase(forms.begin() + std::ptrdiff_t(i));
        }
    }
    for (TSkinFormEntry& e : dead) Free(e.form, std::move(e.owned));
}

void TSkinManage::ReleaseForm(TWinSkinForm* form, HandBack how) {
    if (form->Skinstate != TWinSkinForm::kDead && ThreadOf(form->Hwnd) != GetCurrentThreadId()) {
        const ThreadRequest request = how == HandBack::Plain           ? ThreadRequest::Release
                                      : how == HandBack::ForNewSkinner ? ThreadRequest::Reskin
                                                                       : ThreadRequest::LetGo;
        // Its window procedure, its tables and its timer belong to its window's thread.
        if (AskWindowThread(form->Hwnd, request) && !FindFormEntry(form)) return;
        // That thread cannot be reached: the skinner stays with its window, and no longer with the manager.
        form->host = nullptr;
        Unlist(form).release();
        return;
    }
    if (how == HandBack::LetGo) {
        form->UnSubclass3();
    } else {
        form->UnSubclass();
        if (how == HandBack::Plain) TWinSkinForm::RePaint(form->Hwnd);
    }
    form->host = nullptr;
    Free(form, Unlist(form));
}

bool TSkinManage::FindFormEntry(const TWinSkinForm* form) const {
    std::lock_guard hold(lists->lock);
    return std::any_of(lists->Flist.begin(), lists->Flist.end(),
                       [&](const TSkinFormEntry& e) { return e.form == form; });
}

void TSkinManage::DeleteAllForms() {
    active = false;
    // One at a time from the end: a skinner freed meanwhile by its form has left the list by itself.
    for (;;) {
        TWinSkinForm* f = nullptr;
        {
            std::lock_guard hold(lists->lock);
            for (auto it = lists->Flist.rbegin(); it != lists->Flist.rend() && !f; ++it)
                if (it->form->mode == mode) f = it->form;
        }
        if (!f) break;
        ReleaseForm(f, HandBack::LetGo);
    }
}

void TSkinManage::DeleteModuleForms(std::intptr_t amode) {
    for (;;) {
        TWinSkinForm* f = nullptr;
        {
            std::lock_guard hold(lists->lock);
            for (auto it = lists->Flist.rbegin(); it != lists->Flist.rend() && !f; ++it)
                if (it->form->mode == amode) f = it->form;
        }
        if (!f) break;
        std::unique_ptr<TWinSkinForm> owned = Unlist(f);
        if (f->FForm)
            delete f->FForm;  // destroys the skinner it owns
        else
            Free(f, std::move(owned));
    }
}

void TSkinManage::DeleteSysbtn() {
    for (TWinSkinForm* f : Forms()) {
        if (f->fsd != UpdateData) continue;
        if (ThreadOf(f->Hwnd) == GetCurrentThreadId())
            f->DeleteSysbtn();
        else
            AskWindowThread(f->Hwnd, ThreadRequest::DeleteSysbtn);
    }
}

int TSkinManage::GetMDIChildNum() const {
    int n = 0;
    for (TWinSkinForm* f : Forms())
        if (f->FormStyle == sfsMDIChild) ++n;
    return n;
}

void TSkinManage::SetCaption(bool) {
    for (TWinSkinForm* f : Forms())
        if (f->FormStyle == sfsMDIChild)
            SetWindowLongW(f->Hwnd, GWL_STYLE, GetWindowLongW(f->Hwnd, GWL_STYLE) | WS_CAPTION);
}

// ---- MDI

void TSkinManage::ApplyMDIMax(bool b) {
    // The MDI children are the windows of the thread whose MDI client changed.
    const DWORD thread = GetCurrentThreadId();
    for (TWinSkinForm* f : Forms()) {
        if (f->FormStyle != sfsMDIChild || ThreadOf(f->Hwnd) != thread) continue;
        if (b) {
            if (f->crop) f->Uncropwindow();
            f->EnableSysbtn(true);
        } else if (f->Windowstate == swsMin) {
            f->EnableSysbtn(true);
        } else {
            f->Windowstate = swsNormal;
            f->Cropwindow();
            f->EnableSysbtn(false);
            if (!f->crop) f->Refresh();
        }
    }
}

void TSkinManage::SetMDIMax(bool b) {
    if (b == MDIMax) return;
    MDIMax = b;
    if (MainData && MainData->Options().Contains(xoMDIChildBorder)) return;
    ApplyMDIMax(b);
}

void TSkinManage::SetMDIMax2(bool b) {
    if (b == MDIMax) return;
    MDIMax = b;
    ApplyMDIMax(b);
}

// ---- Popup menus

void TSkinManage::AddPopMenu(HWND aHwnd) {
    if (!active || !lists) return;
    if (SendMessageW(aHwnd, SM_ISSKINNED, 0, 0) == 1) return;
    {
        std::lock_guard hold(lists->lock);
        for (const auto& p : lists->Mlist)
            if (p->hwnd == aHwnd) return;
    }
    TSkinData* data = ChooseSkinData(aHwnd, ClassNameOf(aHwnd));
    if (!data || data->Empty || !PopupMenuAllowed(menutype, data->SkinControls())) return;
    auto skinner = std::make_unique<TWinSkinPopMenu>();
    skinner->manager = this;
    skinner->InitSkin(aHwnd, data, nullptr);
    if (menuactive) skinner->ownerdraw = true;
    std::lock_guard hold(lists->lock);
    lists->Mlist.push_back(std::move(skinner));
}

void TSkinManage::DeletePopMenu(HWND aHwnd) {
    if (!lists) return;
    std::unique_ptr<TWinSkinPopMenu> going;
    bool none;
    {
        std::lock_guard hold(lists->lock);
        auto& popups = lists->Mlist;
        auto it = std::find_if(popups.begin(), popups.end(), [&](const auto& p) { return p->hwnd == aHwnd; });
        if (it != popups.end()) {
            going = std::move(*it);
            popups.erase(it);
        }
        none = popups.empty();
    }
    if (going) going->UnSubClass();
    going.reset();
    if (none) {
        menuactive = false;
        menutype = 0;
    }
}

void TSkinManage::FreePopMenus() {
    // Popups of other threads let their windows go on their threads, while they are still listed.
    for (TWinSkinPopMenu* p : PopMenus())
        if (IsWindow(p->hwnd) && ThreadOf(p->hwnd) != GetCurrentThreadId())
            AskWindowThread(p->hwnd, ThreadRequest::ReleasePopup);
    std::vector<std::unique_ptr<TWinSkinPopMenu>> popups;
    {
        std::lock_guard hold(lists->lock);
        popups.swap(lists->Mlist);
    }
    // One still attached on a thread that did not answer keeps its skinner.
    for (auto& p : popups)
        if (p->FObjectInst && IsWindow(p->hwnd) && ThreadOf(p->hwnd) != GetCurrentThreadId()) p.release();
}

std::vector<TWinSkinPopMenu*> TSkinManage::PopMenus() const {
    std::vector<TWinSkinPopMenu*> popups;
    if (!lists) return popups;
    std::lock_guard hold(lists->lock);
    for (const auto& p : lists->Mlist) popups.push_back(p.get());
    return popups;
}

void TSkinManage::SetPopMenu() {
    for (TWinSkinPopMenu* p : PopMenus()) p->ownerdraw = true;
}

void TSkinManage::BindPopMenus() {
    for (TWinSkinPopMenu* p : PopMenus())
        if (!p->hmenu && IsWindow(p->hwnd)) p->hmenu = HMENU(SendMessageW(p->hwnd, MN_GETHMENU, 0, 0));
}

void TSkinManage::SetHMenu(HMENU amenu) {
    BindPopMenus();
    const std::vector<TWinSkinPopMenu*> popups = PopMenus();
    for (TWinSkinPopMenu* p : popups)
        if (p->hmenu == amenu) return;  // the platform told us already
    for (auto it = popups.rbegin(); it != popups.rend(); ++it)
        if (!(*it)->hmenu) {
            (*it)->hmenu = amenu;
            return;
        }
}

TBitmap* TSkinManage::GetMenuBg(HMENU amenu) {
    BindPopMenus();
    for (TWinSkinPopMenu* p : PopMenus())
        if (p->hmenu == amenu) return p->MenuBg.get();
    return nullptr;
}

// ---- Deferred actions

void TSkinManage::NotifySecondaries(std::int32_t acode) {
    if (mode != 0) return;
    for (TSkinManage* sub : sublist) {
        sub->UpdateData = UpdateData;
        if (acode == saInstall) {
            sub->active = true;
            sub->SetAction(saInstall, kSecondaryDelayMs);
        } else if (acode == saUninstall) {
            sub->active = false;
        }
    }
}

void TSkinManage::SetAction(std::int32_t acode, std::int32_t Interval) {
    action = acode;
    Timer->SetInterval(unsigned(std::max(Interval, 1)));
    if (state == kNoneActivated) {
        // No window has been activated yet: the first activation skins it anyway.
        if (acode == saInstall) active = true;
        if (acode == saUninstall) active = false;
        return;
    }
    NotifySecondaries(acode);
    Timer->SetEnabled(true);
}

void TSkinManage::InstallAll(TSkinData* data) {
    active = true;
    skinchildform = true;
    if (data->SkinFormtype() == sfOnlyThisForm) {
        for (int i = Screen->FormCount() - 1; i >= 0; --i)
            if (Screen->Forms(i) == data->Owner()) {
                AddVisibleForm(Screen->Forms(i));
                break;
            }
    } else {
        WMSetDraw = false;
        ClearDeadForms();
        for (int i = Screen->FormCount() - 1; i >= 0; --i) AddVisibleForm(Screen->Forms(i));
        // The program's other windows on screen (dialog boxes, plain windows) are skinned again too: an
        // active one would otherwise wait for an activation that never comes.
        AddVisibleWindows(GetCurrentThreadId());
        std::vector<DWORD> threads;
        {
            std::lock_guard hold(lists->lock);
            for (const TSkinThread& t : lists->Threadlist) threads.push_back(t.ThreadID);
        }
        for (DWORD t : threads) AddVisibleWindows(t);
        NotifySecondaries(saInstall);
    }
    skinchildform = false;
}

void TSkinManage::UninstallAll(TSkinData* data) {
    active = false;
    ClearDeadForms();
    if (data->SkinFormtype() == sfOnlyThisForm) {
        const std::vector<TWinSkinForm*> forms = Forms();
        for (auto it = forms.rbegin(); it != forms.rend(); ++it)
            if ((*it)->fsd == data) {
                ReleaseForm(*it, HandBack::Plain);
                break;
            }
        return;
    }
    // The first skinner at a time: releasing one may free others (a form that goes takes its own along).
    for (;;) {
        TWinSkinForm* f = nullptr;
        {
            std::lock_guard hold(lists->lock);
            if (!lists->Flist.empty()) f = lists->Flist.front().form;
        }
        if (!f) break;
        ReleaseForm(f, HandBack::Plain);
    }
    NotifySecondaries(saUninstall);
}

void TSkinManage::ApplySkin(TSkinData* data) {
    ClearDeadForms();
    const DWORD thread = GetCurrentThreadId();
    auto mine = [&](TWinSkinForm* f) { return FindFormEntry(f) && f->fsd == data; };
    std::vector<TWinSkinForm*> forms = Forms();
    if (data->SkinFormtype() == sfOnlyThisForm) {
        for (TWinSkinForm* f : forms)
            if (mine(f)) {
                forms = {f};
                break;
            }
        if (forms.size() != 1 || !mine(forms[0])) return;
    }
    // The skinners of other threads apply the change on their threads, all steps at once.
    for (TWinSkinForm* f : forms)
        if (mine(f) && ThreadOf(f->Hwnd) != thread) AskWindowThread(f->Hwnd, ThreadRequest::ChangeSkin);
    for (TWinSkinForm* f : forms)
        if (mine(f) && ThreadOf(f->Hwnd) == thread) {
            f->DeleteSysbtn();
            f->InitSkinData();
        }
    for (TWinSkinForm* f : forms)
        if (mine(f) && ThreadOf(f->Hwnd) == thread) f->SkinChange();
}

void TSkinManage::ReskinForm() {
    TWinSkinForm* f = FindForm(lpara);
    if (!f) return;
    ReleaseForm(f, HandBack::ForNewSkinner);
    AddForm(lpara);
}

void TSkinManage::DoAction() {
    Timer->SetEnabled(false);
    TSkinData* data = UpdateData;
    if (!data) return;
    const bool onlyThisForm = data->SkinFormtype() == sfOnlyThisForm;
    switch (action) {
    case saInstall: InstallAll(data); break;
    case saUninstall: UninstallAll(data); break;
    case saSkinChanged: ApplySkin(data); break;
    case saFreeDead: DeleteForm3(); break;
    case saReskinForm:
        // Re-skinning one form fires no event and keeps the requester.
        if (!onlyThisForm) ReskinForm();
        return;
    default: break;
    }
    data->DoSkinChanged();
    UpdateData = nullptr;
}

// ---- Secondary managers

void TSkinManage::AssignData(TSkinManage* adata) {
    if (adata) {
        lists = adata->lists;
        MainData = adata->MainData;
        mmgr = adata;
        state = kRunning;
        active = adata->active;
        adata->sublist.push_back(this);
        return;
    }
    lists.reset();
    MainData = nullptr;
    active = false;
    state = kShuttingDown;
    if (hookOwner == this) {
        if (mainHook) UnhookWindowsHookEx(mainHook);
        mainHook = nullptr;
        hookOwner = nullptr;
    }
}

void TSkinManage::DeleteSub(TSkinManage* p) { EraseFirst(sublist, p); }

void TSkinManage::ReleaseSubs() {
    std::vector<TSkinManage*> subs;
    subs.swap(sublist);
    for (TSkinManage* sub : subs) {
        sub->mmgr = nullptr;
        sub->AssignData(nullptr);
    }
}

// ---- The program's manager

namespace {
std::unique_ptr<SkinManagerLink> MakeSkinManager() { return std::make_unique<TSkinManage>(0); }
}  // namespace

void UseSkinManager() { SetSkinManagerFactory(&MakeSkinManager); }

TSkinManage* PrimarySkinManager() { return primary; }
