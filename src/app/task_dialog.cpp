#include "app/task_dialog.h"

#include <commdlg.h>

#include <algorithm>

#include "app/main_window_ids.h"
#include "image_ids.h"
#include "lang/language_file.h"
#include "lang/language_keys.h"
#include "sysint/com_ptr.h"
#include "sysint/startup_entry_sources.h"
#include "ui/modal_loop.h"
#include "ui/dpi.h"
#include "ui/fonts.h"
#include "ui/image_list.h"
#include "ui/message_box.h"
#include "ui/placement.h"
#include "ui/text_width.h"
#include "util/platform.h"
#include "util/text.h"

namespace lentora {
namespace {

enum : int { kFile = 101, kBrowse, kEnable, kDisableReg, kDelay, kDelaySpin, kImport };

// The characters a command line may not contain, in the order they are tested.
constexpr std::wstring_view kForbidden = L"*,?\"<>|";

}  // namespace

std::function<void(TaskDialog&)>& TaskDialog::OnShownHook() {
    static std::function<void(TaskDialog&)> hook;
    return hook;
}

TaskDialog::TaskDialog(const Parts& parts, Mode initialMode) : mode(initialMode), parts_(parts) { EnterTextTargets(); }

TaskDialog::~TaskDialog() {
    parts_.gone(*this);
}

bool TaskDialog::CreateAndShow() {
    RegisterClassOnce(L"TfrmProperty", CS_DBLCLKS);
    HWND owner = parts_.owner.hwnd();
    UINT dpi = ui::WindowDpi(owner);
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    const RECT r = ui::CentredWindowRect(owner, 435, 149, style, exStyle, dpi);
    if (!CreateWindowObject(exStyle, L"TfrmProperty", L"", style, r.left, r.top, r.right - r.left, r.bottom - r.top, owner))
        return false;
    parts_.opened(*this);
    if (mode == kEditing) {
        const Task task = parts_.tasks.Item(*parts_.tasks.Selected());
        ui::SetText(feSelectFile_, task.commandLine);
        ui::SetText(dseTime_.edit, task.delay.Text());
        ui::SetChecked(chbEnableTask_, task.enabled);
    }
    ApplyTextsAndShowModeControls();
    parts_.skins.SkinControls(hwnd());
    ShowWindow(hwnd(), SW_SHOW);
    SetFocus(feSelectFile_);
    return true;
}

void TaskDialog::ShowModal() {
    ui::ModalLoop modal(parts_.owner.hwnd());
    if (!CreateAndShow()) return;
    modal.DisableOwner();
    if (OnShownHook()) OnShownHook()(*this);
    // The registry dialog, modeless, has its keys handled here too.
    modal.Run([this] { return closed_; });
}

void TaskDialog::CreateControls() {
    tooltip_.Create(hwnd());
    label_ = ui::CreateLabel(hwnd(), L"Program");
    feSelectFile_ = ui::CreateControl(hwnd(), WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, kFile, WS_EX_CLIENTEDGE);
    SendMessageW(feSelectFile_, EM_SETLIMITTEXT, 255, 0);
    browse_ = ui::CreateButton(hwnd(), L"...", kBrowse);
    chbEnableTask_ = ui::CreateCheckBox(hwnd(), L"Enable task", kEnable);
    chbDisableReg_ = ui::CreateCheckBox(hwnd(), L"Disable in registry", kDisableReg);
    ui::SetChecked(chbDisableReg_, true);
    EnableWindow(chbDisableReg_, FALSE);
    ShowWindow(chbDisableReg_, SW_HIDE);
    delayLabel_ = ui::CreateLabel(hwnd(), L"Delay (s)");
    // The arrows go down to 0, which OK refuses; the field holds as many digits as the largest delay.
    dseTime_ = ui::CreateSpinEdit(hwnd(), kDelay, 0, TaskDelay::kMaxSeconds,
                                  static_cast<int>(std::to_wstring(TaskDelay::kMaxSeconds).size()), 1);
    sbtnImport_ = ui::CreateButton(hwnd(), L"Import", kImport);
    bbtnOk_ = ui::CreateButton(hwnd(), L"OK", IDOK, BS_DEFPUSHBUTTON);
    bbtnCancel_ = ui::CreateButton(hwnd(), L"Cancel", IDCANCEL);
    int iconSize = ui::Scale(16, ui::WindowDpi(hwnd()));
    for (auto [button, icon] : {std::pair{sbtnImport_, IDI_IMG_BASE + parts_.actions.Find(ids::importStartupEntry)->imageIndex()},
                                std::pair{bbtnOk_, IDI_IMG_OK}, std::pair{bbtnCancel_, IDI_IMG_CLOSE}})
        buttonImages_.push_back(ui::SetButtonIcon(button, icon, iconSize, false));
    font_ = std::move(ui::CreateUiFonts(ui::WindowDpi(hwnd())).normal);
    ui::ApplyFont(hwnd(), font_.get());
    Layout();
}

void TaskDialog::Layout() {
    UINT dpi = ui::WindowDpi(hwnd());
    auto s = [dpi](int px) { return ui::Scale(px, dpi); };
    ui::Move(label_, s(10), s(8), s(300), s(16));
    ui::Move(feSelectFile_, s(10), s(26), s(385), s(23));
    ui::Move(browse_, s(399), s(26), s(26), s(23));
    ui::Move(chbEnableTask_, s(10), s(60), s(220), s(20));
    ui::Move(chbDisableReg_, s(10), s(84), s(220), s(20));
    // The delay's label ends at its field and grows leftwards; the buttons keep the right edge and
    // grow leftwards too: each as wide as its caption in the applied language, picture included.
    const int labelWidth = std::max(s(80), ui::TextWidth(delayLabel_, ui::GetText(delayLabel_)));
    ui::Move(delayLabel_, s(326) - labelWidth, s(63), labelWidth, s(16));
    ui::Move(dseTime_.edit, s(330), s(60), s(77), s(23));
    ui::Move(dseTime_.spin, s(407), s(60), s(18), s(23));
    int right = s(425);
    for (auto [button, least] : {std::pair{bbtnCancel_, 72}, std::pair{bbtnOk_, 72}, std::pair{sbtnImport_, 160}}) {
        const int width = std::max(s(least), ui::TextWidth(button, ui::GetText(button)) + s(16 + 24));
        ui::Move(button, right - width, s(114), width, s(27));
        right -= width + s(4);
    }
}

std::wstring TaskDialog::Title() const { return ui::GetText(hwnd()); }

std::wstring TaskDialog::Hint(HWND control) const { return tooltip_.Get(control); }

void TaskDialog::EnterTextTargets() {
    // "frmProperty" is the language file's name of this dialog; its controls go by the names there.
    // The windows are looked up when a text comes: the targets are there before the controls.
    auto titleFor = [this](Mode titled) {
        return [this, titled](const std::wstring& text) {
            if (mode == titled) SetWindowTextW(hwnd(), text.c_str());
        };
    };
    targets_.Add(L"frmProperty.title.add", titleFor(kAdding));
    targets_.Add(L"frmProperty.title.edit", titleFor(kEditing));
    const std::pair<const wchar_t*, std::function<HWND()>> controls[] = {
        {L"chbEnableTask", [this] { return chbEnableTask_; }},
        {L"chbDisableReg", [this] { return chbDisableReg_; }},
        {L"sbtnImport", [this] { return sbtnImport_; }},
        {L"bbtnOk", [this] { return bbtnOk_; }},
        {L"bbtnCancel", [this] { return bbtnCancel_; }},
        {L"feSelectFile", [this] { return feSelectFile_; }},
        {L"dseTime", [this] { return dseTime_.edit; }},
        {L"feSelectFile.BoundLabel", [this] { return label_; }},
        {L"dseTime.BoundLabel", [this] { return delayLabel_; }}};
    for (const auto& [name, control] : controls) {
        const std::wstring target = L"frmProperty." + std::wstring(name);
        const bool bound = target.ends_with(L".BoundLabel");
        targets_.Add(bound ? target : target + L".caption",
                     [control](const std::wstring& text) { ui::SetText(control(), text); });
        if (!bound)
            targets_.Add(target + L".hint", [this, control](const std::wstring& text) { tooltip_.Set(control(), text); });
    }
}

void TaskDialog::SetTargetText(std::wstring_view target, const std::wstring& text) { targets_.Apply(target, text); }

void TaskDialog::ApplyTextsAndShowModeControls() {
    LanguageFile(parts_.languagePath())
        .ForEachText(LangRoutine::ApplyPropertyTexts, {},
                     [this](std::wstring_view target, const std::wstring& text) { targets_.Apply(target, text); });
    if (mode == kAdding) ShowWindow(sbtnImport_, SW_SHOW);
    if (mode == kEditing) ShowWindow(sbtnImport_, SW_HIDE);
    if (mode == kImporting) ShowWindow(chbDisableReg_, SW_SHOW);
    Layout();
}

void TaskDialog::Warn(const std::wstring& text, HWND focus) {
    ui::ShowMessageBox(hwnd(), text, parts_.texts.Msg(Message::WarningCaption), MB_OK | MB_ICONWARNING);
    SetFocus(focus);
}

bool TaskDialog::OkClicked() {
    // Pasted text may be anything: blanks around it are dropped, and only a delay can come due.
    const TaskDelay delay(std::wstring(TrimBlanks(ui::GetText(dseTime_.edit))));
    if (!delay.Seconds()) {
        ui::SetChecked(chbEnableTask_, false);
        Warn(parts_.texts.Msg(Message::DelayTooShort), dseTime_.edit);
        return false;
    }
    std::wstring program = ui::GetText(feSelectFile_);
    if (program.empty()) {
        Warn(parts_.texts.Msg(Message::NoProgram), feSelectFile_);
        return false;
    }
    if (program.find_first_of(kForbidden) != std::wstring::npos) {
        Warn(parts_.texts.Msg(Message::ForbiddenCharacter), feSelectFile_);
        return false;
    }
    bool enabled = ui::IsChecked(chbEnableTask_);
    TaskList& tasks = parts_.tasks;
    switch (mode) {
        case kAdding:
            tasks.AddTask({program, delay, L"", L"0", enabled}, parts_.log);
            break;
        case kEditing:
            if (auto row = tasks.Selected()) {
                TaskList::UpdateBlock block(tasks);
                tasks.SetCommandLine(*row, program);
                tasks.SetDelay(*row, delay);
                tasks.SetEnabled(*row, enabled);
            }
            break;
        case kImporting:
            if (!TakeOverAndAdd({program, delay, L"", L"1", enabled})) return false;
            break;
    }
    parts_.refreshStatuses();
    Close();
    return true;
}

bool TaskDialog::TakeOverAndAdd(Task task) {
    // A task beside an entry the system still starts would start the program twice.
    if (imported_ && ui::IsChecked(chbDisableReg_)) {
        switch (imported_->Start(hwnd(), ImportTexts())) {
            case ImportedEntry::Step::kTakenOver: break;
            case ImportedEntry::Step::kRefused: return false;
            case ImportedEntry::Step::kWaiting:
                // The fields stay as they were checked until the outcome comes.
                waitingTask_ = std::move(task);
                EnableWindow(hwnd(), FALSE);
                return false;
        }
    }
    parts_.tasks.AddTask(std::move(task), parts_.log);
    return true;
}

void TaskDialog::FinishElevatedTakeOver(WPARAM outcome) {
    if (!imported_ || !waitingTask_) return;
    Task task = std::move(*waitingTask_);
    waitingTask_.reset();
    EnableWindow(hwnd(), TRUE);
    if (imported_->Finish(outcome, hwnd(), ImportTexts()) != ImportedEntry::Step::kTakenOver) {
        SetFocus(bbtnOk_);
        return;
    }
    parts_.tasks.AddTask(std::move(task), parts_.log);
    parts_.refreshStatuses();
    Close();
}

ImportedEntry::Texts TaskDialog::ImportTexts() const {
    return {parts_.texts.Msg(NamedMsg::ElevateQuestion), parts_.texts.Msg(NamedMsg::ElevationDeclined),
            parts_.texts.Msg(NamedMsg::EntryNotTakenOver), parts_.texts.Msg(Message::QuestionCaption),
            parts_.texts.Msg(Message::ErrorCaption)};
}

void TaskDialog::CancelClicked() { Close(); }

void TaskDialog::Close() {
    if (closed_) return;
    closed_ = true;
    parts_.closeStartupEntries();
    // A disabled owner cannot take the activation the dialog gives up: Windows would hand it to
    // another program's window, and the keys with it.
    EnableWindow(parts_.owner.hwnd(), TRUE);
    if (hwnd()) DestroyWindow(hwnd());
}

void TaskDialog::ImportEntry(const RegistryEntry& entry) {
    mode = kImporting;
    imported_.emplace(entry, parts_.exePath, parts_.log);
    ui::SetText(feSelectFile_, TaskCommandLine(entry));
    // The task starts the program where the system did; an entry the user had switched off stays off.
    ui::SetChecked(chbEnableTask_, entry.StartsAtLogOn());
    ShowWindow(chbDisableReg_, SW_SHOW);
    // The check box stays disabled, and a disabled control shows no hint of its own.
    tooltip_.SetOverArea(chbDisableReg_, tooltip_.Get(chbDisableReg_));
}

void TaskDialog::Browse() {
    wchar_t file[MAX_PATH] = {};
    std::wstring current = ui::GetText(feSelectFile_), folder;
    if (!current.empty() && platform::FileExists(current)) {
        size_t slash = current.find_last_of(L'\\');
        folder = slash == std::wstring::npos ? L"" : current.substr(0, slash);
        lstrcpynW(file, current.substr(slash == std::wstring::npos ? 0 : slash + 1).c_str(), MAX_PATH);
    }
    static const wchar_t kFilter[] =
        L"All files (*.*)\0*.*\0Exe files (*.exe)\0*.exe\0Bat files (*.bat)\0*.bat\0Com files (*.com)\0*.com\0";
    OPENFILENAMEW ofn{sizeof(ofn)};
    ofn.hwndOwner = hwnd();
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 2;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrDefExt = L"exe";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    // The dialog shows the folders through the shell's COM objects.
    UseComOnThisThread();
    if (GetOpenFileNameW(&ofn)) ui::SetText(feSelectFile_, file);
}

LRESULT TaskDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            CreateControls();
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK: OkClicked(); return 0;
                case IDCANCEL: CancelClicked(); return 0;
                case kBrowse: Browse(); return 0;
                case kImport: parts_.actions.Find(ids::importStartupEntry)->Execute(); return 0;
            }
            break;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_ELEVATED_WRITE_DONE:
            FinishElevatedTakeOver(wParam);
            return 0;
    }
    // The main window's skin dresses the dialog too.
    if (auto dressed = parts_.skins.Dress(hwnd(), msg, wParam)) return *dressed;
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace lentora
