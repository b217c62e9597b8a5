#include "sysint/input_idle_watch.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "ui/handles.h"

namespace lentora {

struct InputIdleWatch::Shared {
    ui::KernelHandle process;
    std::atomic<State> state{State::Waiting};
    std::atomic<ULONGLONG> readyAfterMs{0};
};

InputIdleWatch::InputIdleWatch(HANDLE process, DWORD windowMs) {
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return;
    auto shared = std::make_shared<Shared>();
    shared->process.reset(copy);
    try {
        std::thread([shared, windowMs] {
            const ULONGLONG began = GetTickCount64();
            switch (WaitForInputIdle(shared->process.get(), windowMs)) {
                case 0:
                    shared->readyAfterMs = GetTickCount64() - began;
                    shared->state = State::Ready;
                    break;
                case WAIT_TIMEOUT: shared->state = State::NotReady; break;
                default: shared->state = State::NoWindow; break;  // a console program: no input queue
            }
        }).detach();
    } catch (const std::system_error&) {
        return;
    }
    shared_ = std::move(shared);
}

InputIdleWatch::State InputIdleWatch::Current() const { return shared_ ? shared_->state.load() : State::NotReady; }

std::optional<double> InputIdleWatch::ReadyAfterSeconds() const {
    if (Current() != State::Ready) return std::nullopt;
    return static_cast<double>(shared_->readyAfterMs.load()) / 1000.0;
}

}  // namespace lentora
