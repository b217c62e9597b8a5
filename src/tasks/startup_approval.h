// Task Manager's own switch for a start-up entry: a 12-byte binary value named like the entry.
// Its first byte is even while the entry starts at log-on and odd once it was switched off;
// bytes 4 to 11 hold the FILETIME of the switch-off.
#pragma once
#include <array>
#include <cstdint>
#include <span>

namespace lentora {

struct StartupApproval {
    bool enabled = true;
    std::uint64_t switchedOffAt = 0;  // FILETIME; 0 while enabled
};

// A missing value or one that is not 12 bytes of binary data counts as enabled: the system
// starts such an entry, so it must never keep it off the list or out of a task.
StartupApproval DecodeStartupApproval(bool isBinary, std::span<const std::uint8_t> data);

using StartupApprovalBytes = std::array<std::uint8_t, 12>;
// The value as Task Manager writes it: 02 and no time when enabled, 03 and the time when not.
StartupApprovalBytes EncodeStartupApproval(const StartupApproval& approval);

}  // namespace lentora
