// The real main window in a program folder of its own: a temp folder with or without the
// repository's language files, an optional lentora.ini and startlist.xml, the built exe copied in
// as lentora.exe (so the version is real), any command line, and message boxes recorded and
// answered from a queue instead of shown.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "../support/temp_dir.h"
#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "main_window_probe.h"
#include "program_version.h"
#include "ui/controls.h"
#include "ui/message_box.h"
#include "util/codepage.h"
#include "util/platform.h"

namespace lentora::test {

// A path of this machine as Wine reaches it: the Unix root is drive Z:.
inline std::wstring WinePath(std::string_view unixPath) {
    std::wstring path = std::filesystem::path(std::string(unixPath)).wstring();
    if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
    for (auto& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

// Runs what the thread's queue holds, sent messages of other threads included. A quit message
// (the fatal stop and every closed main window post one) is dropped, so it cannot end a later
// modal loop of the same thread.
inline void PumpMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Runs the queue until `done` holds, for at most `limitMs`; whether it came to hold.
template <typename Done>
bool PumpUntil(Done done, int limitMs = 10000) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(limitMs);
    while (!done()) {
        if (GetTickCount64() > end) return false;
        PumpMessages();
        Sleep(10);
    }
    return true;
}

// While it lives, message boxes are recorded and answered from a queue; with the queue empty
// Yes/No boxes are answered No and the others OK.
class MessageBoxQueue {
public:
    struct Shown {
        std::wstring text, caption;
        UINT type;
    };
    MessageBoxQueue() {
        previous_ = ui::SetMessageBoxHandler([this](HWND, const std::wstring& text, const std::wstring& caption,
                                                    UINT type) {
            shown.push_back({text, caption, type});
            if (!answers_.empty()) {
                int answer = answers_.front();
                answers_.pop_front();
                return answer;
            }
            return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
        });
    }
    ~MessageBoxQueue() { ui::SetMessageBoxHandler(std::move(previous_)); }
    MessageBoxQueue(const MessageBoxQueue&) = delete;
    MessageBoxQueue& operator=(const MessageBoxQueue&) = delete;

    void Answer(int id) { answers_.push_back(id); }
    std::vector<Shown> shown;

private:
    std::deque<int> answers_;
    ui::MessageBoxHandler previous_;
};

// Logging on, the update check off: the worker then hands over nothing but its one log line.
inline constexpr std::string_view kQuietIni = "[Options]\r\nUseLog=1\r\ncheck_update=0\r\n";

struct MainWindowSetup {
    enum class Languages { Copied, EmptyFolder, Missing };
    Languages languages = Languages::Copied;
    std::optional<std::string> ini = std::string(kQuietIni);  // nothing: no lentora.ini
    std::optional<std::string> startList;                      // bytes of startlist.xml
    std::vector<std::pair<std::wstring, std::string>> files;   // more files: name, bytes
    std::vector<std::wstring> args;
    // Runs with the program folder's path once its files are there, before the window is made.
    std::function<void(const std::wstring& folder)> prepare;
};

// "%APPDATA%\Lentora" of the prefix: the profile folder every start-up makes sure of.
inline std::wstring ProfileFolderPath() {
    wchar_t appData[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, TRUE);
    return std::wstring(appData) + L"\\Lentora";
}

// A startlist.xml as the program writes it, with the given TASK elements.
inline std::string StartListXml(std::string_view tasks) {
    return "<?xml version=\"1.0\" encoding=\"windows-1251\" standalone=\"yes\"?>"
           "<ROOT progname=\"Lentora\" version=\"" LENTORA_VERSION_TEXT "\"><TASKSLIST>" +
           std::string(tasks) + "</TASKSLIST></ROOT>";
}

class MainWindowFixture {
public:
    explicit MainWindowFixture(MainWindowSetup setup = {}) {
        static const bool commonControls = [] {
            INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS |
                                                      ICC_TAB_CLASSES};
            return InitCommonControlsEx(&icc) != FALSE;
        }();
        (void)commonControls;
        namespace fs = std::filesystem;
        if (setup.languages != MainWindowSetup::Languages::Missing) fs::create_directory(Path(L"languages"));
        if (setup.languages == MainWindowSetup::Languages::Copied) {
            for (const auto& entry : fs::directory_iterator(WinePath(LENTORA_SOURCE_DIR "/languages")))
                if (entry.path().extension() == L".lng")
                    fs::copy_file(entry.path(), fs::path(Path(L"languages")) / entry.path().filename());
        }
        if (setup.ini) WriteBytes(Path(L"lentora.ini"), *setup.ini);
        if (setup.startList) WriteBytes(Path(L"startlist.xml"), *setup.startList);
        for (const auto& [name, bytes] : setup.files) WriteBytes(Path(name), bytes);
        if (setup.prepare) setup.prepare(Path(L""));
        if (const char* exe = std::getenv("LENTORA_EXE")) CopyFileW(WinePath(exe).c_str(), ExePath().c_str(), TRUE);
        if (!std::filesystem::exists(ProfileFolderPath())) createdProfile_ = ProfileFolderPath();
        form_ = std::make_unique<MainWindow>(StartupContext{ExePath(), std::move(setup.args)});
        probe_.emplace(*form_);
        created_ = form_->Create();
    }
    ~MainWindowFixture() {
        probe_.reset();
        form_.reset();
        PumpMessages();
        // The start-up made the profile folder; unless the test put something there, it goes.
        std::error_code ignored;
        if (!createdProfile_.empty()) std::filesystem::remove(createdProfile_, ignored);
    }
    MainWindowFixture(const MainWindowFixture&) = delete;
    MainWindowFixture& operator=(const MainWindowFixture&) = delete;

    bool created() const { return created_; }
    MainWindowProbe form() const { return *probe_; }
    const MainWindowProbe* operator->() const { return &*probe_; }

    std::wstring Path(std::wstring_view name) const { return dir_.File(name); }
    std::wstring ExePath() const { return Path(L"lentora.exe"); }
    bool Exists(std::wstring_view name) const { return std::filesystem::exists(Path(name)); }

    // Closes the window as its close button does: Shutdown runs, then the window is destroyed.
    void Close() {
        if (form_->hwnd()) SendMessageW(form_->hwnd(), WM_CLOSE, 0, 0);
        PumpMessages();
    }
    // What the program does after its message loop has ended: the object goes, no close runs.
    void Destroy() {
        probe_.reset();
        form_.reset();
        PumpMessages();
    }

    // The texts of lentora.log, each without its "[dd/mm/yyyy hh:nn:ss.zzz] " stamp.
    std::vector<std::wstring> LogFileTexts() const {
        std::vector<std::wstring> texts;
        std::string bytes = ReadBytes(Path(L"lentora.log"));
        if (bytes == "<missing>") return texts;
        std::wstring text = platform::DecodeCodePage(bytes, platform::AnsiCodePage());
        constexpr size_t kStamp = 26;
        for (size_t start = 0; start < text.size();) {
            size_t end = text.find(L"\r\n", start);
            if (end == std::wstring::npos) end = text.size();
            std::wstring line = text.substr(start, end - start);
            texts.push_back(line.size() >= kStamp ? line.substr(kStamp) : line);
            start = end + 2;
        }
        return texts;
    }

    // On screen a line is the regional date and time, a blank and the text; the time format may
    // hold blanks itself, so lines are matched by their end.
    static bool ShowsText(const std::wstring& line, std::wstring_view text) {
        return line.size() > text.size() && line.ends_with(text) && line[line.size() - text.size() - 1] == L' ';
    }
    int ScreenLogCount(std::wstring_view text) const {
        int n = 0;
        for (const auto& line : probe_->LogLines()) n += ShowsText(line, text);
        return n;
    }

    // A key's value in the settings file; nothing when it is missing.
    std::optional<std::wstring> IniValue(const wchar_t* section, const wchar_t* key) const {
        wchar_t buffer[256] = {};
        GetPrivateProfileStringW(section, key, L"\x1", buffer, 256, Path(L"lentora.ini").c_str());
        if (std::wstring(buffer) == L"\x1") return std::nullopt;
        return std::wstring(buffer);
    }

    // The page with this tab position is shown as a click on its tab shows it.
    void ShowTab(int index) const {
        HWND tabs = probe_->Control(ids::pageTabs);
        TabCtrl_SetCurSel(tabs, index);
        NMHDR hdr{tabs, static_cast<UINT_PTR>(ids::pageTabs), static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(form_->hwnd(), WM_NOTIFY, ids::pageTabs, reinterpret_cast<LPARAM>(&hdr));
    }
    std::vector<std::wstring> TabTexts() const {
        HWND tabs = probe_->Control(ids::pageTabs);
        std::vector<std::wstring> texts;
        for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
            wchar_t buffer[128] = {};
            TCITEMW item{TCIF_TEXT};
            item.pszText = buffer;
            item.cchTextMax = 128;
            TabCtrl_GetItem(tabs, i, &item);
            texts.push_back(buffer);
        }
        return texts;
    }

    // A mouse click on a button or check box of the window: the control itself handles it.
    void Click(int id) const { SendMessageW(probe_->Control(id), BM_CLICK, 0, 0); }
    bool Checked(int id) const { return ui::IsChecked(probe_->Control(id)); }
    bool Enabled(int id) const { return IsWindowEnabled(probe_->Control(id)) != FALSE; }
    std::wstring Text(int id) const { return ui::GetText(probe_->Control(id)); }

    // Row selection as a click on the row makes it.
    void SelectRow(int index) const {
        ListView_SetItemState(probe_->TaskView().List(), index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    MessageBoxQueue boxes;

private:
    TempDir dir_;
    std::wstring createdProfile_;
    std::unique_ptr<MainWindow> form_;
    std::optional<MainWindowProbe> probe_;
    bool created_ = false;
};

// While it lives, the profile folder "%APPDATA%\Lentora" of the prefix is moved aside; what the
// test leaves there is removed and the original put back.
class ProfileFolderAside {
public:
    ProfileFolderAside() : folder_(ProfileFolderPath()) {
        aside_ = folder_ + L".aside-" + std::to_wstring(GetCurrentProcessId());
        moved_ = MoveFileW(folder_.c_str(), aside_.c_str()) != FALSE;
    }
    ~ProfileFolderAside() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        if (moved_) MoveFileW(aside_.c_str(), folder_.c_str());
    }
    ProfileFolderAside(const ProfileFolderAside&) = delete;
    ProfileFolderAside& operator=(const ProfileFolderAside&) = delete;

    const std::wstring& Folder() const { return folder_; }
    bool Exists() const { return std::filesystem::is_directory(folder_); }

private:
    std::wstring folder_, aside_;
    bool moved_ = false;
};

}  // namespace lentora::test
