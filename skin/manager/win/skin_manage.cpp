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
constexpr std::int32_t kDefaultDelayMs = 100;
constexpr LPARAM kInitSkinMark = 1000;
constexpr int kClassNameLength = 100;

std::string ClassNameOf(HWND hwnd) {
    wchar_t name[kClassNameLength] = {};
    if (!hwnd || !GetClassNameW(hwnd, name, kClassNameLength)) return {};
    return WideToUtf8(name);
}

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

template <typename List, typename T>
bool EraseFirst(List& list, const T& value) {
    auto it = std::find(list.begin(), list.end(), value);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

}  // namespace

// ---- Life

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
    state = 4;
    active = false;
    Timer.reset();
    if (mmgr) {
        // A library's manager: its skinners go with the forms of its module.
        mmgr->DeleteSub(this);
        mmgr->DeleteModuleForms(mode);
    } else if (lists) {
        FreeThreads();
        if (!sublist.empty() || !Forms().empty()) DeleteAllForms();
        FreePopMenus();
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
    if (!hookOwner) hookOwner = this;
    std::lock_guard hold(lists->lock);
    lists->Threadlist.push_back({hook, aThreadID});
}

void TSkinManage::UnInstallThread(std::uint32_t aThreadID) {
    if (!lists) return;
    HHOOK hook = nullptr;
    {
        std::lock_guard hold(lists->lock);
        auto& threads = lists->Threadlist;
        auto it = std::find_if(threads.begin(), threads.end(),
                               [&](const TSkinThread& t) { return t.ThreadID == aThreadID; });
        if (it == threads.end()) return;
        hook = it->hook;
        threads.erase(it);
    }
    UnhookWindowsHookEx(hook);
}

void TSkinManage::FreeThreads() {
    std::vector<TSkinThread> threads;
    {
        std::lock_guard hold(lists->lock);
        threads.swap(lists->Threadlist);
    }
    for (const TSkinThread& t : threads) UnhookWindowsHookEx(t.hook);
}

void TSkinManage::OnActivate(HWND window) {
    if (state == 0) state = 1;
    AddForm(window);
}

void TSkinManage::OnCreated(HWND window, const CREATESTRUCTW& cs, bool threadHook) {
    const std::string className = ClassNameOf(window);
    const CreateActions act = OnCreateWindow(className, DWORD(cs.style), cs.dwExStyle, mmgr == nullptr);
    if (act.sizeGrip)
        if (TWinSkinForm* form = FindForm(cs.hwndParent)) form->AddControlh(window);
    // An extra thread's hook skins every popup menu window; the main hook only what the decision allows.
    if (threadHook ? className == "#32768" : act.popupMenu) AddPopMenu(window);
    if (act.mdiChild && !threadHook) AddForm(window);
}

LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    TSkinManage* m = hookOwner;
    if (managerDestroyed || code < 0 || !m) return CallNextHookEx(nullptr, code, wParam, lParam);
    const HWND window = HWND(wParam);
    switch (code) {
    case HCBT_ACTIVATE: m->OnActivate(window); break;
    case HCBT_DESTROYWND: m->DeletePopMenu(window); break;
    case HCBT_CREATEWND:
        m->OnCreated(window, *reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs, false);
        break;
    default: break;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TSkinManage::ThreadHookProc(int code, WPARAM wParam, LPARAM lParam) {
    TSkinManage* m = hookOwner;
    if (managerDestroyed || code < 0 || !m) return CallNextHookEx(nullptr, code, wParam, lParam);
    const HWND window = HWND(wParam);
    switch (code) {
    case HCBT_ACTIVATE: m->OnActivate(window); break;
    case HCBT_DESTROYWND:
        m->DeletePopMenu(window);
        m->DeleteForm(window);
        break;
    case HCBT_CREATEWND:
        // As on the main thread for size grips; other scroll bars are left alone (refusing them would make
        // scroll-bar controls impossible on this thread).
        m->OnCreated(window, *reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs, true);
        break;
    default: break;
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
    if (!lists) return {};
    std::lock_guard hold(lists->lock);
    return lists->Flist;
}

TWinSkinForm* TSkinManage::FindForm(HWND aHwnd) const {
    if (!lists || !aHwnd) return nullptr;
    std::lock_guard hold(lists->lock);
    for (TWinSkinForm* f : lists->Flist)
        if (IsLiveFormSkinner(f) && f->Hwnd == aHwnd) return f;
    return nullptr;
}

bool TSkinManage::Unlist(TWinSkinForm* form) {
    if (!lists) return false;
    std::lock_guard hold(lists->lock);
    return EraseFirst(lists->Flist, form);
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

bool TSkinManage::AddForm(HWND aHwnd) {
    if (!active || !lists || !IsWindow(aHwnd)) return false;
    ClearDeadForms();
    FormCandidate w;
    w.answersSkinned = SendMessageW(aHwnd, SM_ISSKINNED, 0, 0) == 1;
    if (w.answersSkinned) return false;
    w.hasSkinner = FindForm(aHwnd) != nullptr;
    if (w.hasSkinner) return false;
    TWinControl* object = FindTForm(aHwnd);
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
    auto* skinner = new TWinSkinForm(form);
    skinner->Hwnd = aHwnd;
    skinner->mode = mode;
    skinner->formclass = w.className;
    skinner->host = this;
    if (form)
        skinner->InitTform(data, form);
    else
        skinner->InitDlg(data);
    {
        std::lock_guard hold(lists->lock);
        lists->Flist.push_back(skinner);
    }
    PostMessageW(aHwnd, SM_INITSKIN, 0, kInitSkinMark);
    return true;
}

void TSkinManage::AddVisibleForm(TWinControl* form) {
    if (!form || !form->Visible() || !form->HandleAllocated()) return;
    if (GetWindowLongW(form->Handle(), GWL_STYLE) & WS_CHILD) return;
    AddForm(form->Handle());
}

bool TSkinManage::DeleteForm(HWND aHwnd) {
    if (state == 4) return false;
    TWinSkinForm* f = FindForm(aHwnd);
    if (!f || !f->FForm) return false;  // a dialog's skinner stays until its window goes
    f->Skinstate = TWinSkinForm::kReleasing;
    f->UnSubclass();
    Unlist(f);
    delete f;
    return true;
}

void TSkinManage::DeleteForm2(HWND aHwnd) {
    if (state == 4 || !lists) return;
    std::lock_guard hold(lists->lock);
    auto& forms = lists->Flist;
    auto it = std::find_if(forms.begin(), forms.end(),
                           [&](TWinSkinForm* f) { return IsLiveFormSkinner(f) && f->Hwnd == aHwnd; });
    if (it != forms.end()) forms.erase(it);
}

void TSkinManage::DeleteForm3() {
    if (state == 4) return;
    const std::vector<TWinSkinForm*> forms = Forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if (IsLiveFormSkinner(*it) && (*it)->Skinstate == TWinSkinForm::kDead) {
            Unlist(*it);
            delete *it;
        }
}

void TSkinManage::ClearDeadForms() {
    if (state == 4 || !lists) return;
    std::vector<TWinSkinForm*> dead;
    {
        std::lock_guard hold(lists->lock);
        auto& forms = lists->Flist;
        for (std::size_t i = forms.size(); i-- > 0;) {
            TWinSkinForm* f = forms[i];
            if (!IsLiveFormSkinner(f)) {
                forms.erase(forms.begin() + std::ptrdiff_t(i));
            } else if (f->Skinstate == TWinSkinForm::kDead && f->mode == mode) {
                forms.erase(forms.begin() + std::ptrdiff_t(i));
                dead.push_back(f);
            }
        }
    }
    for (TWinSkinForm* f : dead) delete f;
}

void TSkinManage::DeleteAllForms() {
    active = false;
    const std::vector<TWinSkinForm*> forms = Forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        TWinSkinForm* f = *it;
        if (!IsLiveFormSkinner(f) || f->mode != mode) continue;
        Unlist(f);
        f->UnSubclass3();
        f->host = nullptr;
        delete f;
    }
}

void TSkinManage::DeleteModuleForms(std::intptr_t amode) {
    const std::vector<TWinSkinForm*> forms = Forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        TWinSkinForm* f = *it;
        if (!IsLiveFormSkinner(f) || f->mode != amode) continue;
        Unlist(f);
        if (f->FForm)
            delete f->FForm;  // destroys the skinner it owns
        else
            delete f;
    }
}

void TSkinManage::DeleteSysbtn() {
    for (TWinSkinForm* f : Forms())
        if (IsLiveFormSkinner(f) && f->fsd == UpdateData) f->DeleteSysbtn();
}

int TSkinManage::GetMDIChildNum() const {
    int n = 0;
    for (TWinSkinForm* f : Forms())
        if (IsLiveFormSkinner(f) && f->FormStyle == sfsMDIChild) ++n;
    return n;
}

void TSkinManage::SetCaption(bool) {
    for (TWinSkinForm* f : Forms())
        if (IsLiveFormSkinner(f) && f->FormStyle == sfsMDIChild)
            SetWindowLongW(f->Hwnd, GWL_STYLE, GetWindowLongW(f->Hwnd, GWL_STYLE) | WS_CAPTION);
}

// ---- MDI

void TSkinManage::ApplyMDIMax(bool b) {
    for (TWinSkinForm* f : Forms()) {
        if (!IsLiveFormSkinner(f) || f->FormStyle != sfsMDIChild) continue;
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
        for (TWinSkinPopMenu* p : lists->Mlist)
            if (p->hwnd == aHwnd) return;
    }
    TSkinData* data = ChooseSkinData(aHwnd, ClassNameOf(aHwnd));
    if (!data || data->Empty || !PopupMenuAllowed(menutype, data->SkinControls())) return;
    auto* skinner = new TWinSkinPopMenu;
    skinner->manager = this;
    skinner->InitSkin(aHwnd, data, nullptr);
    if (menuactive) skinner->ownerdraw = true;
    std::lock_guard hold(lists->lock);
    lists->Mlist.push_back(skinner);
}

void TSkinManage::DeletePopMenu(HWND aHwnd) {
    if (!lists) return;
    TWinSkinPopMenu* going = nullptr;
    bool none;
    {
        std::lock_guard hold(lists->lock);
        auto& popups = lists->Mlist;
        auto it =
            std::find_if(popups.begin(), popups.end(), [&](TWinSkinPopMenu* p) { return p->hwnd == aHwnd; });
        if (it != popups.end()) {
            going = *it;
            popups.erase(it);
        }
        none = popups.empty();
    }
    if (going) {
        going->UnSubClass();
        delete going;
    }
    if (none) {
        menuactive = false;
        menutype = 0;
    }
}

void TSkinManage::FreePopMenus() {
    std::vector<TWinSkinPopMenu*> popups;
    {
        std::lock_guard hold(lists->lock);
        popups.swap(lists->Mlist);
    }
    for (TWinSkinPopMenu* p : popups) delete p;
}

std::vector<TWinSkinPopMenu*> TSkinManage::PopMenus() const {
    if (!lists) return {};
    std::lock_guard hold(lists->lock);
    return lists->Mlist;
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
    if (state == 0) {
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
        NotifySecondaries(saInstall);
    }
    skinchildform = false;
}

void TSkinManage::ReleaseForm(TWinSkinForm* form) {
    form->UnSubclass();
    TWinSkinForm::RePaint(form->Hwnd);
    Unlist(form);
    delete form;
}

void TSkinManage::UninstallAll(TSkinData* data) {
    active = false;
    ClearDeadForms();
    const std::vector<TWinSkinForm*> forms = Forms();
    if (data->SkinFormtype() == sfOnlyThisForm) {
        for (auto it = forms.rbegin(); it != forms.rend(); ++it)
            if (IsLiveFormSkinner(*it) && (*it)->fsd == data) {
                ReleaseForm(*it);
                break;
            }
        return;
    }
    for (TWinSkinForm* f : forms)
        if (IsLiveFormSkinner(f)) ReleaseForm(f);
    NotifySecondaries(saUninstall);
}

void TSkinManage::ApplySkin(TSkinData* data) {
    ClearDeadForms();
    const std::vector<TWinSkinForm*> forms = Forms();
    auto mine = [&](TWinSkinForm* f) { return IsLiveFormSkinner(f) && f->fsd == data; };
    if (data->SkinFormtype() == sfOnlyThisForm) {
        for (TWinSkinForm* f : forms)
            if (mine(f)) {
                f->DeleteSysbtn();
                f->InitSkinData();
                f->SkinChange();
                break;
            }
        return;
    }
    for (TWinSkinForm* f : forms)
        if (mine(f)) {
            f->DeleteSysbtn();
            f->InitSkinData();
        }
    for (TWinSkinForm* f : forms)
        if (mine(f)) f->SkinChange();
}

void TSkinManage::ReskinForm() {
    TWinSkinForm* f = FindForm(lpara);
    if (!f) return;
    f->UnSubclass();
    f->Skinstate = TWinSkinForm::kDead;
    ClearDeadForms();
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
        state = 1;
        active = adata->active;
        adata->sublist.push_back(this);
        return;
    }
    lists.reset();
    MainData = nullptr;
    active = false;
    state = 4;
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
