// TSkinManage (the unit once named WinSkinDlg): the process-wide registry of the skinning engine. It keeps
// the skin components of the process, watches windows through its hook, makes the form and popup-menu
// skinners, and carries out the components' skin-wide requests a little later from its own timer.
//
// This is the manager's interface as the skin components use it. Requests are recorded (action, the
// component on whose behalf it runs, the interval); carrying them out belongs to the form skinners.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/data/skin_data.h"

class TWinSkinForm;
class TWinSkinPopMenu;

// Deferred actions of SetAction.
enum TSkinAction : std::int32_t {
    saInstall = 1,      // skin every window of the component
    saUninstall = 2,    // give every window its own look back
    saSkinChanged = 3,  // apply a changed skin to the component's windows
    saReskinForm = 7,   // skin one form again (lpara)
};

// A request as it was made: what, for whom, after how many milliseconds.
struct TSkinActionRequest {
    std::int32_t action = 0;
    TSkinData* data = nullptr;
    std::int32_t interval = 0;
    friend bool operator==(const TSkinActionRequest&, const TSkinActionRequest&) = default;
};

struct TSkinThread {
    std::uintptr_t hook = 0;
    std::uint32_t ThreadID = 0;
};

class TSkinManage {
public:
    // amode 0 makes the primary manager (with its lists); any other value a secondary one.
    explicit TSkinManage(std::int32_t amode);
    ~TSkinManage();
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    void InstallHook();
    void InstallThread(std::uint32_t aThreadID);
    void UnInstallThread(std::uint32_t aThreadID);
    void AddSkinData(TSkinData* adata);
    void RemoveSkinData(TSkinData* adata);
    // Decides whether the window is skinned and makes its form skinner; true when one was made.
    bool AddForm(HWND aHwnd);
    // Queues a deferred action for UpdateData, carried out interval milliseconds later.
    void SetAction(std::int32_t acode, std::int32_t Interval);
    // Drops the caption buttons of every form skinner of UpdateData.
    void DeleteSysbtn();

    // The lists.
    std::vector<TWinSkinForm*> Flist;
    std::vector<TWinSkinPopMenu*> Mlist;
    std::vector<TSkinData*> Dlist;  // not owned, in order of registration
    std::vector<TSkinThread> Threadlist;
    std::vector<TSkinManage*> sublist;

    bool active = false;
    bool skinchildform = false;
    std::int32_t state = 0;  // 0 nothing activated yet, 1 running, 4 shutting down
    std::int32_t menutype = 0;
    bool menuactive = false;
    bool MDIMax = false;
    bool WMSetDraw = false;
    HWND clienthwnd = nullptr;
    std::int32_t action = 0;
    TSkinData* UpdateData = nullptr;
    bool SBinstall = false;
    TSkinData* MainData = nullptr;
    std::intptr_t mode = 0;
    HWND handle = nullptr;
    HWND lpara = nullptr;
    TSkinManage* mmgr = nullptr;

    // What was asked of the manager, oldest first; the pending interval of the timer.
    std::vector<TSkinActionRequest> Requests;
    std::int32_t TimerInterval = 100;
    bool TimerEnabled = false;
    bool HookInstalled = false;
};

// The primary manager of this program module: nullptr until the first skin component has loaded.
TSkinManage* PrimarySkinManager();
// Makes the primary manager when there is none and returns it.
TSkinManage* CreatePrimarySkinManager();
// Frees the primary manager (program shutdown); later lookups answer nullptr.
void FreePrimarySkinManager();
