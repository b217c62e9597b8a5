#include "sysint/consent_thread.h"

#include <windows.h>

#include <utility>

#include "sysint/com_ptr.h"

namespace lentora {

std::thread StartConsentThread(std::function<void()> call) {
  // The consent window belongs to another process: it may come to the front
  // only with our leave.
  AllowSetForegroundWindow(ASFW_ANY);
  return std::thread([call = std::move(call)] {
    const ComApartment apartment;
    call();
  });
}

} // namespace lentora
