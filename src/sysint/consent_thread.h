// A shell call that raises the consent prompt waits for the user's answer,
// which at log-on may come late: it runs on a thread of its own, so the
// window's thread goes on meanwhile.
#pragma once
#include <functional>
#include <thread>

namespace lentora {

// Runs `call` on a new thread made ready for the consent prompt: the prompt may
// come to the front, and the thread has the COM apartment the shell may hand
// the start to.
std::thread StartConsentThread(std::function<void()> call);

} // namespace lentora
