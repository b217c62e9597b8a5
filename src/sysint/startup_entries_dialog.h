// StartupEntriesDialog: lists the programs the system starts at log-on from the Run keys, the
// entries the system configuration tool keeps disabled and the Startup folders, each with Task
// Manager's switch; imports one of them as a task, and gives a taken-over entry back.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/log_sink.h"
#include "sysint/startup_entry.h"
#include "sysint/startup_folder.h"
#include "ui/handles.h"
#include "ui/skin_manager.h"
#include "ui/tooltip.h"
#include "ui/window.h"

namespace lentora {

enum class MoveResult { kMoved, kNotWritten, kNotDeleted };

class StartupEntriesDialog : public ui::Window {
public:
    static constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr wchar_t kRun32Key[] = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr wchar_t kDisabledKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSConfig\\startupreg";

    enum class Button { btnRegImport, btnEnableReg, btnDisableReg, btnGiveBack };

    // Texts the dialog shows besides its controls' own; the English defaults until a language's
    // are applied. Their language targets are "frmRegistryEdit.<Name>.text".
    struct Texts {
        std::wstring userFolder, commonFolder;  // Key column of the Startup folders' files
        std::wstring giveBackQuestion, giveBackNotWritten, giveBackNameTaken;  // %s: the entry's name
    };

    // Creates the window hidden, centred on `owner`, and fills the list. What it changes in the
    // registry is logged to `log`.
    StartupEntriesDialog(HWND owner, ILogSink& log);
    ~StartupEntriesDialog() override;

    // Sets the dialog's texts each time it is shown.
    std::function<void(StartupEntriesDialog&)> applyTexts;
    // Receives the chosen entry's command line without double quotes, and whether the system
    // starts it at log-on: an entry the user had switched off makes a task that is off too.
    std::function<void(const std::wstring& commandLine, bool enabled)> onImport;
    // The Startup folders listed after the registry sources; the system's own unless replaced
    // before the next refill.
    std::vector<StartupFolder> startupFolders;
    // The skin that dresses the window while skinning is on; it must outlive the window.
    const ui::SkinManager* skin = nullptr;

    // Shows the window, applying the texts and refilling the list first.
    void Show();

    void FormCreate();
    void FormShow();
    void RefreshEntries();
    void ImportClicked();
    // Gives the selected taken-over entry back to the system's start-up, once the user confirms;
    // says why in an error box when it cannot.
    void btnGiveBackClick();
    void OnEntrySelected();
    void OnEntryKey();
    // The property dialog's OK in import mode: takes the selected entry out of the system's
    // start-up. A Run value moves to the disabled entries; a Startup folder's file stays where it
    // is and is switched off in Task Manager's way. Nothing happens without a selected row, for
    // entries the system does not start and for values that are not text. A failure is logged,
    // leaves the entry as it was and gives false: the system still starts that entry.
    bool ImportSelected();

    const std::vector<RegistryEntry>& Rows() const { return rows_; }
    std::optional<RegistryEntry> SelectedRow() const;
    void SelectRow(size_t index);

    // Sets one text by its language-key target: "frmRegistryEdit.title",
    // "frmRegistryEdit.lvRegView.column<N>.caption", "frmRegistryEdit.<button>.caption|hint".
    void SetTargetText(std::wstring_view target, const std::wstring& text);
    void SetTitle(const std::wstring& text);
    void SetColumnCaption(int column, const std::wstring& text);
    void SetButtonCaption(Button button, const std::wstring& text);
    void SetButtonHint(Button button, const std::wstring& text);
    std::wstring Title() const;
    std::wstring ColumnCaption(int column) const;
    std::wstring ButtonCaption(Button button) const;
    std::wstring ButtonHint(Button button) const;
    std::wstring StatusText() const;
    const Texts& ShownTexts() const { return texts_; }

    HWND lvRegView() const { return lvRegView_; }
    HWND stat1() const { return stat1_; }
    HWND ButtonWindow(Button button) const;

    // The registry side, usable without a window; roots are given by abbreviation (RootKeyByName).
    static void ListRunValues(const std::wstring& root, const std::wstring& keyPath, std::vector<RegistryEntry>& list);
    static void ListDisabledEntries(const std::wstring& root, const std::wstring& keyPath,
                                    std::vector<RegistryEntry>& list);
    // An expandable command keeps its type in the disabled entry, so it can be given back as it was.
    static MoveResult MoveRegKeyToMSC(const std::wstring& hkey, const std::wstring& item, const std::wstring& command,
                                      const std::wstring& key, bool expandable = false);
    static bool WriteDisabledEntry(const std::wstring& hkey, const std::wstring& root, const std::wstring& item,
                                   const std::wstring& command, const std::wstring& key, bool expandable = false);
    static bool DeleteRegValue(const std::wstring& root, const std::wstring& keyPath, const std::wstring& name);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool Create(HWND owner);
    void CreateControls();
    void Layout();
    LRESULT lvRegViewCustomDrawItem(NMLVCUSTOMDRAW* cd);
    bool TakeOverStartupFile(const RegistryEntry& row);
    void EnableCommands();
    void FitKeyColumn();
    static LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);

    ILogSink& log_;
    Texts texts_;
    std::vector<RegistryEntry> rows_;
    HWND btnRegImport_ = nullptr, btnEnableReg_ = nullptr, btnDisableReg_ = nullptr, btnGiveBack_ = nullptr,
         lvRegView_ = nullptr, stat1_ = nullptr;
    ui::Tooltip tooltip_;
    ui::FontHandle font_, boldFont_;
};

}  // namespace lentora
