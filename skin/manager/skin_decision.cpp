#include "skin/manager/skin_decision.h"
#include "platform/string_list.h"  // AsciiLower

#include "platform/window_styles.h"

namespace {

bool Has(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

}  // namespace

bool IsChildWindow(std::uint32_t style, std::uint32_t exStyle, std::string_view parentClassName) {
    return (style & WinStyle::Child) && !(exStyle & WinStyle::ExMdiChild) &&
           AsciiLower(parentClassName) != "mdiclient";
}

bool CanSkinClass(std::string_view className, std::uint32_t style, bool hasMainData,
                  TSkinOptions mainOptions) {
    if (!hasMainData) return true;
    const std::string lower = AsciiLower(className);
    if (!mainOptions.Contains(xoPreview) && Has(lower, "preview")) return false;
    if (className == "#32770" && (style & WinStyle::SetForeground)) return false;
    if (lower == "tpopupdbtreeview") return false;
    return true;
}

SkinVerdict DecideForm(const FormCandidate& w, const ManagerFlags& m, bool hasMainData,
                       TSkinOptions mainOptions) {
    if (!m.active) return SkinVerdict::Inactive;
    if (w.answersSkinned) return SkinVerdict::AlreadySkinned;
    if (w.hasSkinner) return SkinVerdict::HasSkinner;
    if (!m.skinChildForm && IsChildWindow(w.style, w.exStyle, w.parentClassName))
        return SkinVerdict::ChildWindow;
    if (!w.frameworkObject && !w.ownModule && w.className != "#32770") return SkinVerdict::ForeignModule;
    if (std::int64_t(w.width) * w.height == 0 && !(w.exStyle & WinStyle::ExMdiChild))
        return SkinVerdict::ZeroSize;
    if (w.frameworkObject && w.tag == kNeverSkinTag) return SkinVerdict::NeverSkinTag;
    if (Has(w.className, "TcxPopupEditPopupWindow") || Has(w.className, "TTERenderWindow") ||
        w.className == "TApplication")
        return SkinVerdict::ExcludedClass;
    if (!CanSkinClass(w.className, w.style, hasMainData, mainOptions)) return SkinVerdict::Vetoed;
    return SkinVerdict::Skin;
}

int ChooseSkinData(std::span<const SkinChoice> components, std::string_view className) {
    auto last = [&](auto&& pred) {
        int found = -1;
        for (std::size_t i = 0; i < components.size(); ++i)
            if (pred(components[i])) found = int(i);
        return found;
    };
    int i = last([](const SkinChoice& c) { return c.type == sfOnlyThisForm && c.ownerIsWindow; });
    if (i >= 0) return i;
    const std::string lower = AsciiLower(className);
    if (lower == "tmessageform" || lower == "#32770") {
        i = last([](const SkinChoice& c) { return c.type == sfDialog; });
        if (i >= 0) return i;
    }
    i = last([](const SkinChoice& c) { return c.type == sfMainform; });
    if (i >= 0) return i;
    return components.empty() ? -1 : 0;
}

bool PopupMenuAllowed(int menutype, TSkinControlTypes controls) {
    switch (menutype) {
    case 0: return controls.Contains(xcPopupMenu);
    case 1: return controls.Contains(xcMainMenu) || controls.Contains(xcMenuItem);
    case 2: return controls.Contains(xcSystemMenu);
    default: return true;
    }
}

CreateActions OnCreateWindow(std::string_view className, std::uint32_t style, std::uint32_t exStyle,
                             bool primaryManager) {
    CreateActions a;
    a.sizeGrip = className == "ScrollBar" && (style & WinStyle::SizeGrip);
    a.popupMenu = !(style & WinStyle::Child) && className == "#32768" && primaryManager;
    a.mdiChild = (exStyle & WinStyle::ExMdiChild) != 0;
    return a;
}

bool ThreadHookRefuses(std::string_view className, bool parentSkinned) {
    return className == "ScrollBar" && parentSkinned;
}
