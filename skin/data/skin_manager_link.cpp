#include "skin/data/skin_manager_link.h"

namespace {

SkinManagerFactory factory = nullptr;
std::unique_ptr<SkinManagerLink> primary;

}  // namespace

SkinManagerLink::~SkinManagerLink() = default;

SkinManagerFactory SetSkinManagerFactory(SkinManagerFactory f) {
    SkinManagerFactory previous = factory;
    factory = f;
    return previous;
}

SkinManagerLink* SkinManager() { return primary.get(); }

SkinManagerLink* LoadSkinManager() {
    if (!primary && factory) primary = factory();
    return primary.get();
}

void FreeSkinManager() {
    // The pointer is cleared first: components and skinners freed by the manager's teardown find no manager.
    std::unique_ptr<SkinManagerLink> going = std::move(primary);
    going.reset();
}
