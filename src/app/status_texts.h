// What the status bar's two panels and the tray hint say: the walk's state, with the tray picture
// that goes with it, and the walk's tick counter. While a due launch waits for a calm system the
// waiting text stands in for the state; a state set meanwhile (a stop ends the wait after saying
// so) is kept, and is what shows once the wait is over.
#pragma once
#include <string>
#include <utility>

namespace lentora {

class StatusTexts {
public:
    void SetState(std::wstring text, int iconIndex) {
        state_ = std::move(text);
        iconIndex_ = iconIndex;
    }
    void SetWaiting(bool waiting) { waiting_ = waiting; }
    void SetCounter(std::wstring text) { counter_ = std::move(text); }

    int IconIndex() const { return iconIndex_; }
    // Panel 0: the state, or `waitingText` during a wait; panel 1: the counter.
    const std::wstring& Panel(int part, const std::wstring& waitingText) const {
        if (part == 1) return counter_;
        return waiting_ ? waitingText : state_;
    }

private:
    std::wstring state_, counter_;
    int iconIndex_ = 0;
    bool waiting_ = false;
};

}  // namespace lentora
