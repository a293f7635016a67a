// Components: ownership, names, state flags and notifications.
#include "platform/component.h"

#include <algorithm>

const PropTable TComponent::Props{&TObject::Props,
                                  {
                                      Prop::Str("Name", &TComponent::Name, &TComponent::SetNameFromProperty),
                                      Prop::Int("Tag", &TComponent::Tag, &TComponent::SetTag),
                                  }};
const TClassInfo TComponent::ClassInfo_{"TComponent", &TPersistent::ClassInfo_, &TComponent::Props};

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Tell every component that asked about us; each also forgets us.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = other->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    const auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameTextAscii(c->name_, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this) return;
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError("A component named " + component->name_ + " already exists");
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    NotifyAll(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->owner_ != this) return;
    NotifyAll(component, TOperation::opRemove);
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
}

void TComponent::NotifyAll(TComponent* component, TOperation operation) {
    Notification(component, operation);
    // A handler may free or add components: walk a copy and skip ones that have left.
    const std::vector<TComponent*> list = components_;
    for (TComponent* c : list)
        if (std::find(components_.begin(), components_.end(), c) != components_.end())
            c->Notification(component, operation);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        delete c;
    }
}

void TComponent::Destroying() {
    if (HasState(csDestroying)) return;
    state_ |= csDestroying;
    for (TComponent* c : components_) c->Destroying();
}

namespace {
bool IsIdent(std::string_view s) {
    if (s.empty()) return false;
    auto letter = [](char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_'; };
    if (!letter(s[0])) return false;
    return std::all_of(s.begin() + 1, s.end(),
                       [&](char ch) { return letter(ch) || (ch >= '0' && ch <= '9'); });
}
}  // namespace

void TComponent::SetName(std::string_view name) {
    if (SameTextAscii(name, name_) && name == name_) return;
    if (!name.empty() && !IsIdent(name))
        throw EComponentError("'" + std::string(name) + "' is not a valid component name");
    if (owner_ && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EComponentError("A component named " + std::string(name) + " already exists");
    }
    name_ = std::string(name);
}

void TComponent::SetNameFromProperty(const std::string& name) { SetName(name); }

void TComponent::SetComponentState(TComponentState flags, bool on) {
    if (on)
        state_ |= flags;
    else
        state_ &= ~flags;
}

void TComponent::SetDesigning(bool value) {
    SetComponentState(csDesigning, value);
    for (TComponent* c : components_) c->SetDesigning(value);
}

void TComponent::Loaded() { state_ &= ~csLoading; }

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    auto& theirs = component->freeNotifies_;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component),
                        freeNotifies_.end());
    auto& theirs = component->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::RegisterHandlerValue(std::string_view name, std::any handler) {
    handlers_[AsciiLower(name)] = std::move(handler);
}

const std::any* TComponent::FindHandler(std::string_view name) const {
    auto it = handlers_.find(AsciiLower(name));
    return it == handlers_.end() ? nullptr : &it->second;
}
