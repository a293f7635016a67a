// The skin manager as the skin components see it. A component registers with the manager, asks it to skin
// one window, and leaves skin-wide requests (install, uninstall, skin changed, re-skin one form) with it,
// to be carried out a little later. The manager's own module provides the object (UseSkinManager there);
// without it components still load and parse skins, and nothing is skinned.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/handles.h"

class TSkinData;

// Deferred actions of SetAction.
enum TSkinAction : std::int32_t {
    saInstall = 1,      // skin every window of the component
    saUninstall = 2,    // give every window its own look back
    saSkinChanged = 3,  // apply a changed skin to the component's windows
    saFreeDead = 6,     // free the form skinners that have let their windows go
    saReskinForm = 7,   // skin one form again (lpara)
};

// How long the manager waits before it carries out a component's request, so that several changes made
// together (a skin loaded, then activated) refresh the windows once.
constexpr std::int32_t kSkinActionDelayMs = 250;

class SkinManagerLink {
public:
    virtual ~SkinManagerLink();

    // Starts watching the windows of the calling thread (once; later calls change nothing).
    virtual void InstallHook() = 0;
    virtual void InstallThread(std::uint32_t threadId) = 0;
    virtual void UnInstallThread(std::uint32_t threadId) = 0;
    virtual void AddSkinData(TSkinData* data) = 0;
    virtual void RemoveSkinData(TSkinData* data) = 0;
    // Decides whether the window is skinned and makes its form skinner; true when one was made.
    virtual bool AddForm(HWND window) = 0;
    // Queues action `code` on behalf of UpdateData, carried out `interval` milliseconds later.
    virtual void SetAction(std::int32_t code, std::int32_t interval) = 0;
    // Drops the caption buttons of every form skinner of UpdateData (its skin is about to change).
    virtual void DeleteSysbtn() = 0;

    // Asks for `action` on behalf of `data` after the usual delay.
    void Request(TSkinData* data, TSkinAction action) {
        UpdateData = data;
        SetAction(action, kSkinActionDelayMs);
    }

    // The values of `state`.
    static constexpr std::int32_t kNoneActivated = 0;  // no window has been activated yet
    static constexpr std::int32_t kRunning = 1;
    static constexpr std::int32_t kShuttingDown = 4;  // or a detached secondary manager

    bool active = false;         // while false no new skinner of any kind is made
    bool skinchildform = false;  // AddForm also accepts plain child windows
    std::int32_t state = kNoneActivated;
    TSkinData* UpdateData = nullptr;  // the component on whose behalf the pending action runs
    HWND lpara = nullptr;             // the window of a pending re-skin-one-form action
};

// Makes the manager; installed by the manager's module.
using SkinManagerFactory = std::unique_ptr<SkinManagerLink> (*)();
// Sets the factory and returns the previous one (nullptr: components make no manager).
SkinManagerFactory SetSkinManagerFactory(SkinManagerFactory factory);
// The primary manager of the program, or nullptr until the first component has loaded.
SkinManagerLink* SkinManager();
// The primary manager, made with the factory when there is none; nullptr without a factory.
SkinManagerLink* LoadSkinManager();
// Frees the primary manager (program shutdown, after the forms); later lookups answer nullptr.
void FreeSkinManager();
