#include "ui/deferred_updates.h"

#include <algorithm>

namespace lentora::ui {

void DeferredUpdates::Run(const std::wstring& name, std::function<void()> change) {
    if (live_) {
        change();
        return;
    }
    std::erase_if(waiting_, [&](const auto& entry) { return entry.first == name; });
    waiting_.emplace_back(name, std::move(change));
}

void DeferredUpdates::GoLive() {
    live_ = true;
    // A change may make another one; that one runs at once, being live.
    auto waiting = std::move(waiting_);
    waiting_.clear();
    for (auto& entry : waiting) entry.second();
}

}  // namespace lentora::ui
