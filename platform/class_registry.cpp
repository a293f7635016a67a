// The registry of component classes by name.
#include "platform/class_registry.h"

#include <map>
#include <string>

#include "platform/string_list.h"

namespace {
struct Entry {
    const TClassInfo* info;
    TComponentFactory factory;
};

// A function-local table: classes may register from static initialisers of any unit.
std::map<std::string, Entry, std::less<>>& Registry() {
    static std::map<std::string, Entry, std::less<>> registry;
    return registry;
}
}  // namespace

void RegisterComponentClass(const TClassInfo& info, TComponentFactory factory) {
    Registry()[AsciiLower(info.Name)] = {&info, factory};
}

void UnregisterComponentClass(std::string_view name) {
    auto& r = Registry();
    if (auto it = r.find(AsciiLower(name)); it != r.end()) r.erase(it);
}

const TClassInfo* FindClassInfo(std::string_view name) {
    auto& r = Registry();
    auto it = r.find(AsciiLower(name));
    return it == r.end() ? nullptr : it->second.info;
}

TComponentFactory FindClassFactory(std::string_view name) {
    auto& r = Registry();
    auto it = r.find(AsciiLower(name));
    return it == r.end() ? nullptr : it->second.factory;
}
