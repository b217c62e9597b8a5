#include "tasks/startup_approval.h"

namespace lentora {
namespace {

constexpr size_t kSize = std::tuple_size_v<StartupApprovalBytes>;
constexpr size_t kTimeOffset = 4;

}  // namespace

StartupApproval DecodeStartupApproval(bool isBinary, std::span<const std::uint8_t> data) {
    if (!isBinary || data.size() != kSize || (data[0] & 1) == 0) return {};
    std::uint64_t time = 0;
    for (size_t i = kSize; i-- > kTimeOffset;) time = time << 8 | data[i];
    return {false, time};
}

StartupApprovalBytes EncodeStartupApproval(const StartupApproval& approval) {
    StartupApprovalBytes bytes{};
    bytes[0] = approval.enabled ? 0x02 : 0x03;
    if (approval.enabled) return bytes;
    for (size_t i = kTimeOffset; i < kSize; ++i)
        bytes[i] = static_cast<std::uint8_t>(approval.switchedOffAt >> (8 * (i - kTimeOffset)));
    return bytes;
}

}  // namespace lentora
