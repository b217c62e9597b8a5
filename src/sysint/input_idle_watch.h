// When a launched program first waits for input, told without waking the program's own thread:
// a thread of its own blocks in WaitForInputIdle until then or until the measuring window ends.
// The thread owns what it uses, so the program may end while it still waits.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>

namespace lentora {

class InputIdleWatch {
public:
    enum class State { Waiting, Ready, NoWindow, NotReady };

    // Nothing watched when the handle cannot be copied or no thread can be started.
    InputIdleWatch(HANDLE process, DWORD windowMs);

    State Current() const;
    // With State::Ready: how long after the watch began.
    std::optional<double> ReadyAfterSeconds() const;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

}  // namespace lentora
