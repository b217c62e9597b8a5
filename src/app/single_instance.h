// One running instance per data folder and log-on session. A second start on the same folder
// would launch every task again and save its own copy of the task list and settings over the
// first one's; it hands itself to the running instance and ends instead.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "ui/handles.h"

namespace lentora {

class SingleInstance {
public:
    // What a second start asks of the running instance.
    enum class SecondStart { ShowWindow, Start };

    // Takes the program's folder, which holds its data, for this process unless another holds it.
    explicit SingleInstance(const std::wstring& programPath);

    // Whether this process holds the folder: no other instance runs on it.
    bool First() const { return first_; }
    // Publishes the window a second start on this folder hands itself to.
    void SetWindow(HWND window) const;
    // Tells the running instance of a second start, waiting a moment for its window while it is
    // still starting; false when no window answered.
    bool PassToRunning(SecondStart start) const;

    // The second start a WM_COPYDATA carries, if it is one.
    static std::optional<SecondStart> Received(LPARAM copyData);

private:
    std::wstring name_;
    ui::KernelHandle mutex_;
    ui::KernelHandle window_;  // shared memory holding the running instance's window
    bool first_ = false;
};

}  // namespace lentora
