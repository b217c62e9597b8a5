// The message loop of a modal window of the program: its owner is disabled while it is open and
// gets the activation and its focus back when it closes.
#pragma once
#include <windows.h>

#include <functional>

namespace lentora::ui {

class ModalLoop {
public:
    // Made before the modal window, to know where the focus was.
    explicit ModalLoop(HWND owner) : owner_(owner), focus_(GetFocus()) {}

    // Once the modal window is shown.
    void DisableOwner() { EnableWindow(owner_, FALSE); }
    // Runs the thread's messages, the dialog keys of every window included, until `closed` says
    // so; then the owner is enabled and active again. A WM_QUIT met on the way is posted again for
    // the outer loop.
    void Run(const std::function<bool()>& closed);

private:
    HWND owner_, focus_;
};

}  // namespace lentora::ui
