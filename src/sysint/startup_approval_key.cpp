#include "sysint/startup_approval_key.h"

#include "sysint/registry_key.h"

namespace lentora {
namespace {

// The 64-bit view, as for the Run keys the switches belong to.
constexpr REGSAM kView = KEY_WOW64_64KEY;

std::wstring ListPath(const std::wstring& list) { return std::wstring(kStartupApprovedKey) + L"\\" + list; }

}  // namespace

StartupApproval ReadStartupApproval(const std::wstring& root, const std::wstring& list, const std::wstring& name) {
    RegistryKey key;
    if (!key.Open(RootKeyByName(root), ListPath(list), KEY_READ | kView)) return {};
    auto value = key.ReadValue(name);
    if (!value) return {};
    return DecodeStartupApproval(value->type == REG_BINARY, value->data);
}

bool WriteStartupApproval(const std::wstring& root, const std::wstring& list, const std::wstring& name, bool enabled) {
    RegistryKey key;
    if (!key.OpenOrCreate(RootKeyByName(root), ListPath(list), KEY_SET_VALUE | kView)) return false;
    StartupApproval approval{enabled, 0};
    if (!enabled) {
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        approval.switchedOffAt = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    }
    const StartupApprovalBytes bytes = EncodeStartupApproval(approval);
    return key.WriteValue(name, {REG_BINARY, std::vector<BYTE>(bytes.begin(), bytes.end())});
}

}  // namespace lentora
