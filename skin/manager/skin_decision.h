// Whether a window is skinned and by which skin component, as pure functions of what the caller reads from
// the window (class names, styles, size, module, framework object) and of the manager's flags. The Win32
// manager fills the structs from a real window; the decisions themselves never touch one.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "skin/data/skin_options.h"

// Everything the form decision reads about one window.
struct FormCandidate {
    std::string className;
    std::string parentClassName;  // the class of GetParent's window
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int width = 0, height = 0;
    bool answersSkinned = false;   // SM_ISSKINNED answered 1
    bool hasSkinner = false;       // the manager already lists a skinner for it
    bool frameworkObject = false;  // a framework form (or control object) belongs to the window
    int tag = 0;                   // that object's Tag
    bool ownModule = false;        // the window's module instance is the program's own
};

// The manager's flags the decision reads.
struct ManagerFlags {
    bool active = false;
    bool skinChildForm = false;  // a request to skin a child form explicitly
};

// Why a window is left alone, or Skin.
enum class SkinVerdict {
    Skin,
    Inactive,
    AlreadySkinned,
    HasSkinner,
    ChildWindow,
    ForeignModule,
    ZeroSize,
    NeverSkinTag,
    ExcludedClass,
    Vetoed
};

// The tag that marks a form which must stay unskinned.
constexpr int kNeverSkinTag = 99;

// A child window proper: WS_CHILD, not an MDI child and not placed in an MDI client.
bool IsChildWindow(std::uint32_t style, std::uint32_t exStyle, std::string_view parentClassName);

// The main component's per-window veto before its own handler has the last word. Without a main component
// every window may be skinned.
bool CanSkinClass(std::string_view className, std::uint32_t style, bool hasMainData,
                  TSkinOptions mainOptions);

// The form decision, in order: manager on, not skinned already, not a child, own module or a standard dialog,
// a real size, not tag 99, no excluded class, not vetoed. The caller still asks the main component's
// DoFormSkin when the verdict is Skin, and then needs a skin component holding a skin.
SkinVerdict DecideForm(const FormCandidate& w, const ManagerFlags& m, bool hasMainData,
                       TSkinOptions mainOptions);

// One registered skin component as the choice sees it.
struct SkinChoice {
    TSkinFormType type = sfMainform;
    bool ownerIsWindow = false;  // its owner form's window is the window being skinned
};

// Which skin component serves a window (index into `components`, -1 when there are none): the one of its own
// form, else a dialog component for dialogs, else a main-form component (the last registered wins in each
// tier), else the first registered component.
int ChooseSkinData(std::span<const SkinChoice> components, std::string_view className);

// Whether a popup menu window is skinned by a component with these controls, by the kind of menu being
// opened (0 context menu, 1 menu-bar drop-down, 2 system menu, other values always).
bool PopupMenuAllowed(int menutype, TSkinControlTypes controls);

// What the creation of a window asks of the main hook. Popup menus are skinned only by the primary manager.
struct CreateActions {
    bool sizeGrip = false;   // a size grip of a (possibly) skinned form: attach a control skinner
    bool popupMenu = false;  // a popup menu window: skin it
    bool mdiChild = false;   // an MDI child: skin it now
};
CreateActions OnCreateWindow(std::string_view className, std::uint32_t style, std::uint32_t exStyle,
                             bool primaryManager);

// Whether a thread hook refuses to create a window: scroll bars of skinned forms on secondary threads.
bool ThreadHookRefuses(std::string_view className, bool parentSkinned);
