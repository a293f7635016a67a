// TSkinManage: the process-wide registry of the skinning engine. It keeps
// the skin components of the process, watches the creation, activation and destruction of windows through
// a thread-local creation hook, decides which windows are skinned (skin_decision.h) and makes their form
// skinners, and carries out the components' skin-wide requests a little later from its own one-shot timer.
// It paints nothing itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "skin/form/form_manager_link.h"

class TBitmap;
class TSkinData;
class TTimer;
class TWinControl;
class TWinSkinForm;
class TWinSkinPopMenu;

// The hooks of one extra GUI thread: its creation hook, and the hook through which the manager asks that
// thread to skin or release one of its windows (a window's skinner lives and dies on the window's thread).
struct TSkinThread {
    HHOOK hook = nullptr;
    HHOOK requestHook = nullptr;
    DWORD ThreadID = 0;
};

// One form skinner of the list. The manager owns the skinners of plain windows (`owned`); a framework form
// owns its own, which leaves the list when it is freed.
struct TSkinFormEntry {
    TWinSkinForm* form = nullptr;
    std::unique_ptr<TWinSkinForm> owned;
    TSkinFormEntry(TWinSkinForm* f, std::unique_ptr<TWinSkinForm> o);
    TSkinFormEntry(TSkinFormEntry&&) noexcept;
    TSkinFormEntry& operator=(TSkinFormEntry&&) noexcept;
    ~TSkinFormEntry();
};

// The lists of a primary manager, which its secondary managers share. Hooks of several threads reach them:
// every access holds `lock`, and nothing is called out of the manager while it is held.
struct TSkinLists {
    TSkinLists();
    ~TSkinLists();
    std::recursive_mutex lock;
    std::vector<TSkinFormEntry> Flist;                    // the form skinners, in order of creation
    std::vector<std::unique_ptr<TWinSkinPopMenu>> Mlist;  // the popup-menu skinners, in order of creation
    std::vector<TSkinData*> Dlist;        // the skin components (not owned), in order of registration
    std::vector<TSkinThread> Threadlist;  // hooks of extra threads
};

class TSkinManage final : public FormManagerLink {
public:
    // amode 0 makes the primary manager with its lists; any other value a secondary one, whose lists come
    // from AssignData.
    explicit TSkinManage(std::int32_t amode);
    ~TSkinManage() override;
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // What the skin components ask.
    void InstallHook() override;
    void InstallThread(std::uint32_t aThreadID) override;
    void UnInstallThread(std::uint32_t aThreadID) override;
    void AddSkinData(TSkinData* adata) override;
    void RemoveSkinData(TSkinData* adata) override;
    bool AddForm(HWND aHwnd) override;
    void SetAction(std::int32_t acode, std::int32_t Interval) override;
    void DeleteSysbtn() override;

    // What the form skinners ask.
    void SetMDIMax(bool b) override;
    void DeleteForm2(const TWinSkinForm* skinner) override;

    // Releases and frees the skinner of a framework form; false for a dialog's skinner or none.
    bool DeleteForm(HWND aHwnd);
    // Frees the skinners that have let their windows go.
    void DeleteForm3();
    void SetMDIMax2(bool b);
    void SetCaption(bool);
    int GetMDIChildNum() const;
    // Attaches a secondary manager to a primary one, or (nullptr) detaches it.
    void AssignData(TSkinManage* adata);
    void DeleteSub(TSkinManage* p);
    // Popup menus: marks every popup skinner as owner-drawn; binds a menu to its popup window (directly where
    // the platform tells which menu a popup shows, else the newest unbound popup); the composed background
    // of the popup that shows a menu, or nullptr.
    void SetPopMenu() override;
    void SetHMenu(HMENU amenu) override;
    TBitmap* GetMenuBg(HMENU amenu) override;
    std::vector<TWinSkinPopMenu*> PopMenus() const;
    // The optional external scroll bar library is never loaded.
    bool initsb(HWND) { return false; }
    bool Uninitsb(HWND) { return false; }

    // The timer's event: carries out the pending action.
    void DoAction();

    // The skinner of a window in the lists, or nullptr.
    TWinSkinForm* FindForm(HWND aHwnd) const;
    // A copy of the form skinners, in list order.
    std::vector<TWinSkinForm*> Forms() const;
    std::vector<TSkinData*> Components() const;

    std::unique_ptr<TTimer> Timer;
    std::shared_ptr<TSkinLists> lists;  // nullptr on a detached secondary manager
    std::vector<TSkinManage*> sublist;  // secondary managers sharing the lists (primary only)
    std::int32_t action = 0;
    bool SBinstall = false;
    TSkinData* MainData = nullptr;  // the first main-form component: its options judge every window
    HWND handle = nullptr;
    TSkinManage* mmgr = nullptr;  // a secondary's primary manager
    DWORD PlatformVersion = 0;    // GetVersion, recorded when the hook is installed

private:
    // What the manager asks of a window's own thread (through that thread's request hook).
    enum class ThreadRequest : WPARAM {
        AddForm = 1,
        AddChildForm,
        Release,
        Reskin,
        LetGo,
        ChangeSkin,
        DeleteSysbtn,
        ReleasePopup
    };
    // How a skinner gives its window back: with the window's own frame, repainted (uninstall); with its own
    // frame, for a new skinner (re-skinning one form); or only letting go (teardown).
    enum class HandBack { Plain, ForNewSkinner, LetGo };

    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK ThreadHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK RequestHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    // Runs a request on the thread of window; false when that thread has no request hook or does not answer.
    bool AskWindowThread(HWND window, ThreadRequest request);
    void OnThreadRequest(HWND window, ThreadRequest request);
    void OnActivate(HWND window);
    // A window is being created on a hooked thread (threadHook: an extra thread's hook).
    void OnCreated(HWND window, const CREATESTRUCTW& cs, bool threadHook);
    // The framework form, or else the framework object, of a window; nullptr for foreign windows.
    TWinControl* FindTForm(HWND aHwnd) const;
    TSkinData* ChooseSkinData(HWND aHwnd, const std::string& className) const;
    bool CanSkin(HWND aHwnd, const std::string& className) const;
    void AddVisibleForm(TWinControl* form);
    // AddForm for the windows of a thread that a user could activate now.
    void AddVisibleWindows(DWORD thread);
    void ClearDeadForms();
    void DeleteAllForms();
    void DeleteModuleForms(std::intptr_t amode);
    void FreeThreads();
    void ReleaseSubs();
    void AddPopMenu(HWND aHwnd);
    void DeletePopMenu(HWND aHwnd);
    void FreePopMenus();
    // Asks every unbound popup window which menu it shows.
    void BindPopMenus();
    // Takes a skinner out of Flist, with the ownership the list had of it (nullptr for a framework form's).
    std::unique_ptr<TWinSkinForm> Unlist(TWinSkinForm* form, bool* listed = nullptr);
    // Lets a skinner's window go and frees the skinner, on the window's own thread.
    void ReleaseForm(TWinSkinForm* form, HandBack how);
    bool FindFormEntry(const TWinSkinForm* form) const;
    // AddForm for a window whose framework object is known already (an MDI child being made).
    bool AddFormOf(HWND aHwnd, TWinControl* known);
    // Frees a skinner that is out of the list, once no message of its window is being handled.
    static void Free(TWinSkinForm* form, std::unique_ptr<TWinSkinForm> owned);
    void FreeDeadForms(bool all);
    void InstallAll(TSkinData* data);
    void UninstallAll(TSkinData* data);
    void ApplySkin(TSkinData* data);
    void ReskinForm();
    void NotifySecondaries(std::int32_t acode);
    void ApplyMDIMax(bool b);
};

// Makes the skin components of this program create and use a TSkinManage (call once at start-up).
void UseSkinManager();
// The primary manager of this program module, or nullptr.
TSkinManage* PrimarySkinManager();
