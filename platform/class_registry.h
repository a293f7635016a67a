// The class registry: component classes by name, so the form reader can make them.
#pragma once

#include <string_view>

#include "platform/object.h"

class TComponent;

// Makes a new component owned by owner.
using TComponentFactory = TComponent* (*)(TComponent* owner);

// Registers a class under its class-info name (ASCII case-insensitive). Registering a name again
// replaces the earlier entry.
void RegisterComponentClass(const TClassInfo& info, TComponentFactory factory);
template <class T>
void RegisterComponentClass() {
    RegisterComponentClass(T::ClassInfo_, [](TComponent* owner) -> TComponent* { return new T(owner); });
}
template <class... T>
void RegisterComponentClasses() {
    (RegisterComponentClass<T>(), ...);
}
void UnregisterComponentClass(std::string_view name);

// nullptr when the name is not registered.
const TClassInfo* FindClassInfo(std::string_view name);
TComponentFactory FindClassFactory(std::string_view name);
