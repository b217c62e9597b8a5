// StartupEntriesDialog: lists the programs the system starts at log-on from the Run keys and the
// entries the system configuration tool keeps disabled, and imports one of them as a task.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/log_sink.h"
#include "ui/handles.h"
#include "ui/skin_manager.h"
#include "ui/tooltip.h"
#include "ui/window.h"

namespace lentora {

// One row of the list: its caption and four sub-items, the last of which has no column.
struct RegistryEntry {
    std::wstring enabled;  // "Yes" for a Run value, "No" for a disabled entry
    std::wstring hkey;     // root abbreviation of the source
    std::wstring item;     // value name, or the disabled entry's "item"
    std::wstring command;  // value data as stored, or a readable form of data that is not text
    std::wstring key;      // source key path without root
    bool disabledEntry = false;
    bool isString = true;     // false: `command` only describes the data and cannot be imported
    bool expandable = false;  // REG_EXPAND_SZ: environment variables are expanded on import
};

enum class MoveResult { kMoved, kNotWritten, kNotDeleted };

class StartupEntriesDialog : public ui::Window {
public:
    static constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr wchar_t kRun32Key[] = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr wchar_t kDisabledKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSConfig\\startupreg";

    enum class Button { btnRegImport, btnEnableReg, btnDisableReg };

    // Creates the window hidden, centred on `owner`, and fills the list.
    explicit StartupEntriesDialog(HWND owner);
    ~StartupEntriesDialog() override;

    // Sets the dialog's texts each time it is shown.
    std::function<void(StartupEntriesDialog&)> applyTexts;
    // Receives the chosen entry's command line without double quotes.
    std::function<void(const std::wstring&)> onImport;
    // The skin that dresses the window while skinning is on; it must outlive the window.
    const ui::SkinManager* skin = nullptr;

    // Shows the window, applying the texts and refilling the list first.
    void Show();

    void FormCreate();
    void FormShow();
    void RefreshEntries();
    void btnRegImportClick();
    void lvRegViewClick();
    void lvRegViewKeyPress();
    // The property dialog's OK in import mode: moves the selected row's Run value to the disabled
    // entries. Nothing happens without a selected row; disabled entries and values that are not
    // text are not moved. A failed move is logged, leaves the Run value in place and gives false:
    // the system still starts that entry.
    bool ImportSelected(ILogSink& log);

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

    HWND lvRegView() const { return lvRegView_; }
    HWND stat1() const { return stat1_; }
    HWND ButtonWindow(Button button) const;

    // The registry side, usable without a window; roots are given by abbreviation (RootKeyByName).
    static void ListRunValues(const std::wstring& root, const std::wstring& keyPath, std::vector<RegistryEntry>& list);
    static void ListDisabledEntries(const std::wstring& root, const std::wstring& keyPath,
                                    std::vector<RegistryEntry>& list);
    static MoveResult MoveRegKeyToMSC(const std::wstring& hkey, const std::wstring& item, const std::wstring& command,
                                      const std::wstring& key);
    static bool WriteDisabledEntry(const std::wstring& hkey, const std::wstring& root, const std::wstring& item,
                                   const std::wstring& command, const std::wstring& key);
    static bool DeleteRegValue(const std::wstring& root, const std::wstring& keyPath, const std::wstring& name);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool Create(HWND owner);
    void CreateControls();
    void Layout();
    LRESULT lvRegViewCustomDrawItem(NMLVCUSTOMDRAW* cd);
    static LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);

    std::vector<RegistryEntry> rows_;
    HWND btnRegImport_ = nullptr, btnEnableReg_ = nullptr, btnDisableReg_ = nullptr, lvRegView_ = nullptr,
         stat1_ = nullptr;
    ui::Tooltip tooltip_;
    ui::FontHandle font_, boldFont_;
};

}  // namespace lentora
