// Changes to windows that may not exist yet. Before GoLive each change is kept under a name, a
// later change of the same name replacing it; GoLive makes them in the order they were last made,
// and from then on every change is made at once.
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lentora::ui {

class DeferredUpdates {
public:
    void Run(const std::wstring& name, std::function<void()> change);
    void GoLive();

private:
    bool live_ = false;
    std::vector<std::pair<std::wstring, std::function<void()>>> waiting_;
};

}  // namespace lentora::ui
