// Replacing the procedure of a window that is not ours (a raw dialog control, a popup menu, any form) with
// a member function of an object, one role at a time.
//
// Each role (form, control, popup menu ...) names its owner type and its handler; the window's messages then
// reach `(owner->*Handle)(m)` through a static procedure of that role. The window-to-owner table is kept per
// thread, because a window's messages always run on the thread that made it. Two roles on one window chain
// cleanly: each keeps the procedure it replaced.
//
//     Subclass<TSkinControl, &TSkinControl::NewWndProc>::Attach(hwnd, this);   // FPrevWndProc comes back
//     ...
//     Subclass<TSkinControl, &TSkinControl::NewWndProc>::Detach(hwnd);
//
// The handler passes a message on with CallPrevious. No exception ever leaves the procedure.
#pragma once

#include <windows.h>

#include <unordered_map>

#include "platform/win/messages.h"

// What a role's table knows of one window.
template <class Owner>
struct SubclassEntry {
    Owner* owner = nullptr;  // nullptr: orphaned, the procedure only forwards
    WNDPROC prev = nullptr;
};

template <class Owner, void (Owner::*Handle)(TMessage&)>
class Subclass {
public:
    // Puts the role's procedure in front of hwnd's; returns the procedure it replaced (nullptr when the
    // window is gone or already has this role).
    static WNDPROC Attach(HWND hwnd, Owner* owner) {
        if (!IsWindow(hwnd) || Table().count(hwnd)) return nullptr;
        const auto prev = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
        Table()[hwnd] = {owner, prev};  // first: messages may arrive while the procedure is swapped
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
        return prev;
    }

    // Takes the role off hwnd. When someone subclassed on top of us, our procedure must stay in the chain:
    // the entry is orphaned and only forwards from then on. Nothing happens for a window without the role.
    static void Detach(HWND hwnd) {
        auto it = Table().find(hwnd);
        if (it == Table().end()) return;
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &Procedure) {
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.prev));
            Table().erase(it);
        } else {
            it->second.owner = nullptr;
        }
    }

    // The owner of hwnd's role, or nullptr.
    static Owner* OwnerOf(HWND hwnd) {
        const auto it = Table().find(hwnd);
        return it == Table().end() ? nullptr : it->second.owner;
    }

    // Is this role's procedure the one the window calls first?
    static bool OnTop(HWND hwnd) {
        return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &Procedure;
    }

    // Hands a message to the procedure the role replaced.
    static LRESULT CallPrevious(HWND hwnd, const TMessage& m) {
        const auto it = Table().find(hwnd);
        const WNDPROC prev = it == Table().end() ? nullptr : it->second.prev;
        return prev ? CallWindowProcW(prev, hwnd, m.Msg, m.WParam, m.LParam)
                    : DefWindowProcW(hwnd, m.Msg, m.WParam, m.LParam);
    }

    static WNDPROC Proc() { return &Procedure; }

private:
    static std::unordered_map<HWND, SubclassEntry<Owner>>& Table() {
        // Never freed: a thread's windows may still get messages while the thread ends, after its
        // thread-local objects have gone.
        thread_local auto* table = new std::unordered_map<HWND, SubclassEntry<Owner>>;
        return *table;
    }

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
        const auto it = Table().find(hwnd);
        if (it == Table().end()) return DefWindowProcW(hwnd, msg, wParam, lParam);
        const SubclassEntry<Owner> e = it->second;  // a copy: the handler may change the table
        TMessage m{msg, wParam, lParam, 0};
        if (!e.owner) {
            m.Result = CallWindowProcW(e.prev, hwnd, msg, wParam, lParam);
        } else {
            try {
                (e.owner->*Handle)(m);
            } catch (...) {
                // Painting and other failures are dropped: nothing may unwind into the system's code.
            }
        }
        // The window's last message: its handle may be reused from now on.
        if (msg == WM_NCDESTROY) Table().erase(hwnd);
        return m.Result;
    }
};
