// The Task List page: a toolbar (Add, Edit, Delete, the delay's "Waiting... Stop", the walk's "Start
// next now", Start/Stop) over the list view of the task model, its pop-up menu, and the check boxes,
// selection and column clicks that edit the model. The list shows the model; only rows that differ
// are rewritten.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tasks/task_list.h"
#include "ui/action.h"
#include "ui/list_row_tip.h"
#include "ui/panel.h"
#include "ui/popup_menu.h"
#include "ui/text_targets.h"

namespace lentora {

class TaskPage {
public:
    struct Actions {
        std::function<void()> startOrStop;    // the Start button
        std::function<void()> editSelected;   // a double click on a row
        std::function<void()> refreshStatuses;
        std::function<std::wstring(bool enabled)> statusText;  // a row's status once its check box flips
        std::function<HFONT(bool enabled)> rowFont;
        std::function<HIMAGELIST()> menuPictures;
        // What a row's program typically costs, for its hint; empty when never measured.
        std::function<std::wstring(size_t row)> rowFigures;
    };
    // `commands` holds the task commands the toolbar and the menu run.
    TaskPage(TaskList& tasks, ui::ActionList& commands, Actions actions);

    // Makes the toolbar and the list in the window's page panel `page` and shows the tasks; a row's
    // hint goes to `tooltip`.
    void Create(HWND page, ui::TextTargets& texts, ui::Tooltip& tooltip);
    HWND List() const { return list_; }
    HWND Toolbar() const { return toolbar_.hwnd(); }
    HWND StartButton() const { return startButton_; }
    HWND StartNextButton() const { return startNextButton_; }
    void Layout(int width, int height, UINT dpi);

    // Brings the list in line with the model.
    void Refresh();
    // True when the notification was the list's; `result` is its answer.
    bool OnNotify(const NMHDR& hdr, LRESULT& result);
    bool OnCommand(int id, int code);
    // Opens the list's menu when `source` is the list; false for any other window.
    bool ShowMenu(HWND source, HWND owner, POINT screen);

    // The Start button shows whether a walk runs; its picture once the pictures are loaded.
    void SetStartButton(std::wstring caption, std::wstring hint, int imageIndex);
    void ShowStartButtonImage();
    // While a walk runs the list cannot be edited.
    void SetEditing(bool enabled);

private:
    void CreateMenu();
    void OnItemChanged(const NMLISTVIEW& change);
    void ShowStartButton();

    TaskList& tasks_;
    ui::ActionList& commands_;
    Actions actions_;
    ui::Panel toolbar_;
    std::vector<HWND> toolbarButtons_;
    HWND waitButton_ = nullptr, startNextButton_ = nullptr, startButton_ = nullptr, list_ = nullptr;
    ui::PopupMenu menu_;
    ui::ListRowTip rowTip_;
    std::wstring startCaption_ = L"Start", startHint_;
    int startImage_ = 6;
    bool editing_ = true;
    bool syncing_ = false;  // the page itself changes the list: its notifications are no edits
    // What the list shows, row by row, so a refresh writes only what changed.
    struct ShownRow {
        std::array<std::wstring, kTaskColumnCount> texts;
        bool enabled = false, selected = false;
    };
    std::vector<ShownRow> shownRows_;
};

}  // namespace lentora
