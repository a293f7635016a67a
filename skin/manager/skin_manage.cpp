// The skin manager's registry and its record of requests.
#include "skin/manager/skin_manage.h"

#include <algorithm>

namespace {
TSkinManage* primary = nullptr;
}  // namespace

TSkinManage::TSkinManage(std::int32_t amode) : mode(amode) {}

TSkinManage::~TSkinManage() {
    state = 4;
    if (primary == this) primary = nullptr;  // nobody reaches a freed manager through the module
}

void TSkinManage::InstallHook() {
    // The creation hook itself comes with the form skinners; the manager records that it was asked.
    HookInstalled = true;
}

void TSkinManage::InstallThread(std::uint32_t aThreadID) {
    const bool known = std::any_of(Threadlist.begin(), Threadlist.end(),
                                   [&](const TSkinThread& t) { return t.ThreadID == aThreadID; });
    if (!known) Threadlist.push_back({0, aThreadID});
}

void TSkinManage::UnInstallThread(std::uint32_t aThreadID) {
    auto it = std::find_if(Threadlist.begin(), Threadlist.end(),
                           [&](const TSkinThread& t) { return t.ThreadID == aThreadID; });
    if (it != Threadlist.end()) Threadlist.erase(it);
}

void TSkinManage::AddSkinData(TSkinData* adata) {
    Dlist.push_back(adata);
    if (!MainData && adata && adata->SkinFormtype() == sfMainform) MainData = adata;
}

void TSkinManage::RemoveSkinData(TSkinData* adata) {
    auto it = std::find(Dlist.begin(), Dlist.end(), adata);
    if (it != Dlist.end()) Dlist.erase(it);
    if (MainData == adata) MainData = nullptr;  // windows that come later are judged without it
    if (UpdateData == adata) {
        UpdateData = nullptr;
        action = 0;
        TimerEnabled = false;
    }
}

bool TSkinManage::AddForm(HWND aHwnd) { return false; }

void TSkinManage::SetAction(std::int32_t acode, std::int32_t Interval) {
    action = acode;
    TimerInterval = Interval;
    TimerEnabled = true;
    Requests.push_back({acode, UpdateData, Interval});
}

void TSkinManage::DeleteSysbtn() {}

TSkinManage* PrimarySkinManager() { return primary; }

TSkinManage* CreatePrimarySkinManager() {
    if (!primary) primary = new TSkinManage(0);
    return primary;
}

void FreePrimarySkinManager() {
    delete primary;
    primary = nullptr;
}
