#include "util/file_version.h"

#include <windows.h>

#include <cwchar>
#include <vector>

namespace lentora {

std::wstring ReadFileVersion(const std::wstring& fileName) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(fileName.c_str(), &handle);
    if (size == 0) return L"";
    std::vector<BYTE> info(size);
    if (!GetFileVersionInfoW(fileName.c_str(), 0, size, info.data())) return L"";

    // Only the first translation counts; without a table the query below simply fails.
    wchar_t translation[9] = L"";
    void* table = nullptr;
    UINT tableSize = 0;
    if (VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &table, &tableSize) && tableSize >= 4) {
        const auto* ids = static_cast<const WORD*>(table);
        std::swprintf(translation, 9, L"%04X%04X", ids[0], ids[1]);
    }
    std::wstring query = std::wstring(L"\\StringFileInfo\\") + translation + L"\\FileVersion";
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), query.c_str(), &value, &length) || !value) return L"";
    // The length may or may not count the terminating zero.
    return std::wstring(static_cast<const wchar_t*>(value), wcsnlen(static_cast<const wchar_t*>(value), length));
}

}  // namespace lentora
