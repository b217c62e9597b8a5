// The keys the main window's message loop gives a meaning: the window's accelerators; Tab and
// Shift+Tab through each page's controls as they are shown; Ctrl+Tab and Ctrl+Shift+Tab to the next
// and previous page from anywhere in the window; Enter on a focused button; Enter and Delete on
// the task list (edit and delete the selected task); then the dialog keys of every window.
#pragma once
#include <windows.h>

#include "ui/handles.h"

namespace lentora {

class PageFrame;

class MainWindowKeys {
public:
    MainWindowKeys(HWND window, PageFrame& frame);

    // True when the message was handled and must not be dispatched.
    bool Translate(MSG& msg);

private:
    bool TranslateWindowKey(MSG& msg);
    void SwitchPage(bool backwards);

    HWND window_;
    PageFrame& frame_;
    ui::AcceleratorHandle accelerators_;
};

}  // namespace lentora
