// A skin manager that records what the skin components ask of it, for tests of the components without the
// engine's windows. FakeSkinManager::Use() makes components create it; FreeSkinManager() ends it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"

class FakeSkinManager : public SkinManagerLink {
public:
    struct Request {
        std::int32_t action = 0;
        TSkinData* data = nullptr;
        std::int32_t interval = 0;
        friend bool operator==(const Request&, const Request&) = default;
    };

    static void Use() {
        SetSkinManagerFactory(
            []() -> std::unique_ptr<SkinManagerLink> { return std::make_unique<FakeSkinManager>(); });
    }
    static void StopUsing() {
        FreeSkinManager();
        SetSkinManagerFactory(nullptr);
    }
    static FakeSkinManager* Current() { return static_cast<FakeSkinManager*>(SkinManager()); }

    void InstallHook() override { HookInstalled = true; }
    void InstallThread(std::uint32_t id) override { ThreadCalls.push_back(std::int64_t(id)); }
    void UnInstallThread(std::uint32_t id) override { ThreadCalls.push_back(-std::int64_t(id)); }
    void AddSkinData(TSkinData* d) override {
        Dlist.push_back(d);
        if (!MainData && d->SkinFormtype() == sfMainform) MainData = d;
    }
    void RemoveSkinData(TSkinData* d) override { std::erase(Dlist, d); }
    bool AddForm(HWND window) override {
        Forms.push_back(window);
        return false;
    }
    void SetAction(std::int32_t code, std::int32_t interval) override {
        Requests.push_back({code, UpdateData, interval});
    }
    void DeleteSysbtn() override { ++DeleteSysbtnCalls; }

    std::vector<TSkinData*> Dlist;
    TSkinData* MainData = nullptr;
    bool HookInstalled = false;
    std::vector<Request> Requests;
    std::vector<std::int64_t> ThreadCalls;  // +id installed, -id uninstalled
    std::vector<HWND> Forms;                // AddForm's windows, in order
    int DeleteSysbtnCalls = 0;
};
