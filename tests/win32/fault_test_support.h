// Helpers for the fault tests: files held by "another program", the settings a close must save,
// and a small file system mounted over a folder so that it can be filled up.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "main_window_fixture.h"

namespace lentora::test {

// A file opened the way another program may hold it; closed when the object goes.
class HeldFile {
public:
    HeldFile(const std::wstring& path, DWORD access, DWORD share)
        : handle_(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool IsHeld() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (IsHeld()) CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
    }

private:
    HANDLE handle_;
};

// The keys every close writes, by section.
inline const std::vector<std::pair<const wchar_t*, const wchar_t*>>& SavedSettingKeys() {
    static const std::vector<std::pair<const wchar_t*, const wchar_t*>> keys = {
        {L"Skin", L"Useskin"},          {L"Skin", L"UseAero"},          {L"Options", L"ShowBalloon"},
        {L"Skin", L"Currentskin"},      {L"Language", L"CurrentLanguage"}, {L"Options", L"WaitTimeOut"},
        {L"Options", L"TimeExit"},      {L"Options", L"WaitTimer"},     {L"Options", L"UserProfile"},
        {L"Options", L"check_update"},  {L"Options", L"PollingInterval"}, {L"Options", L"LastUpdateDate"},
        {L"Options", L"WaitIdle"},      {L"Options", L"IdleThreshold"}, {L"Options", L"IdleTimeOut"}};
    return keys;
}

// The saved keys that the settings file lacks.
inline std::vector<std::wstring> MissingSettings(const MainWindowFixture& main) {
    std::vector<std::wstring> missing;
    for (const auto& [section, key] : SavedSettingKeys())
        if (!main.IniValue(section, key)) missing.push_back(std::wstring(section) + L"/" + key);
    return missing;
}

// Names of the files in `folder` whose name ends with `suffix` (temporary files left behind).
inline std::vector<std::wstring> FilesEndingWith(const std::wstring& folder, std::wstring_view suffix) {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::wstring name = entry.path().filename().wstring();
        if (name.ends_with(suffix)) names.push_back(name);
    }
    return names;
}

// A task list file with an enabled and a disabled task.
inline std::string TwoTasksXml() {
    return StartListXml("<TASK id=\"0\" name=\"C:\\Tools\\a.exe\" time=\"5\" enable=\"true\" reg=\"0\"/>"
                        "<TASK id=\"1\" name=\"C:\\Tools\\b.exe\" time=\"9\" enable=\"false\" reg=\"1\"/>");
}

// A task list file with `count` tasks, about 90 bytes each.
inline std::string ManyTasksXml(size_t count) {
    std::string tasks;
    tasks.reserve(count * 90);
    for (size_t i = 0; i < count; ++i) {
        std::string n = std::to_string(i);
        tasks += "<TASK id=\"" + n + "\" name=\"C:\\Tools\\program" + n + ".exe /quiet\" time=\"" +
                 std::to_string(i % 600 + 1) + "\" enable=\"" + (i % 3 ? "true" : "false") + "\" reg=\"0\"/>";
    }
    return StartListXml(tasks);
}

inline std::uint64_t TotalBytes(const std::wstring& folder) {
    ULARGE_INTEGER total{};
    return GetDiskFreeSpaceExW((folder + L"\\").c_str(), nullptr, &total, nullptr) ? total.QuadPart : 0;
}

inline std::uint64_t FreeBytes(const std::wstring& folder) {
    ULARGE_INTEGER free{};
    return GetDiskFreeSpaceExW((folder + L"\\").c_str(), &free, nullptr, nullptr) ? free.QuadPart : 0;
}

// A tmpfs of `bytes` mounted over a folder under Wine (the tests run as root), unmounted when the
// object goes; what the folder held is hidden meanwhile and back afterwards. Mounted() is false
// where that is impossible: not under Wine, or mounting not allowed.
class SmallFileSystem {
public:
    SmallFileSystem(const std::wstring& folder, std::uint64_t bytes) : folder_(folder), bytes_(bytes) {
        using UnixName = char*(CDECL*)(LPCWSTR);
        auto unixName = reinterpret_cast<UnixName>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
        if (!unixName) return;
        char* name = unixName(folder.c_str());
        if (!name) return;
        unixFolder_ = name;
        HeapFree(GetProcessHeap(), 0, name);
        if (TotalBytes(folder_) == bytes_) return;  // would not tell the mount from what is there
        Spawn(L"Z:\\usr\\bin\\mount -t tmpfs -o size=" + std::to_wstring(bytes_) + L" tmpfs \"" + Wide(unixFolder_) +
              L"\"");
        // A Unix program started from Wine cannot be waited for: watch the folder's size instead.
        mounted_ = WaitFor([this] { return TotalBytes(folder_) == bytes_; });
    }
    ~SmallFileSystem() {
        if (!mounted_) return;
        Spawn(L"Z:\\usr\\bin\\umount -l \"" + Wide(unixFolder_) + L"\"");
        WaitFor([this] { return TotalBytes(folder_) != bytes_; });
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool Mounted() const { return mounted_; }

    // Fills the file system with one file until `leave` bytes stay free; false when it could not.
    bool FillLeaving(std::uint64_t leave) const {
        HANDLE file = CreateFileW((folder_ + L"\\filler.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        const std::string block(4096, '\0');
        while (FreeBytes(folder_) > leave) {
            DWORD written = 0;
            if (!WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) || written == 0)
                break;
        }
        CloseHandle(file);
        return FreeBytes(folder_) <= leave;
    }

private:
    static std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

    static void Spawn(std::wstring commandLine) {
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }

    template <typename Done>
    static bool WaitFor(Done done) {
        for (int i = 0; i < 100; ++i) {
            if (done()) return true;
            Sleep(50);
        }
        return done();
    }

    std::wstring folder_;
    std::string unixFolder_;
    std::uint64_t bytes_;
    bool mounted_ = false;
};

}  // namespace lentora::test
