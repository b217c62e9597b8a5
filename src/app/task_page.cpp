#include "app/task_page.h"

#include <algorithm>
#include <array>

#include "app/main_window_ids.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/list_view_rows.h"
#include "ui/text_width.h"

namespace lentora {
namespace {
constexpr int kToolbarHeight = 57;
}

TaskPage::TaskPage(TaskList& tasks, ui::ActionList& commands, Actions actions)
    : tasks_(tasks), commands_(commands), actions_(std::move(actions)) {}

void TaskPage::CreateMenu() {
    auto item = [this](const wchar_t* name, int command) {
        return ui::ActionMenuItem(name, *commands_.Find(command));
    };
    ui::MenuItem separator;
    separator.name = L"N1";
    separator.separator = true;
    menu_.items = {item(L"mnuStart", ids::startOrStop),
                   item(L"mnuAdd", ids::addTask),
                   item(L"mnuEdit", ids::editTask),
                   item(L"mnuDelete", ids::deleteTask),
                   separator,
                   item(L"actSetActiveAll1", ids::enableAllTasks),
                   item(L"actDeactiveAll1", ids::disableAllTasks),
                   item(L"MnuDeleteAllTasks", ids::deleteAllTasks),
                   separator,
                   item(L"mnuSpaceByMeasurement", ids::spaceByMeasurement)};
    menu_.images = actions_.menuPictures;
}

void TaskPage::Create(HWND page, ui::TextTargets& texts, ui::Tooltip& tooltip) {
    CreateMenu();
    toolbar_.Create(page);
    HWND bar = toolbar_.hwnd();
    auto commandButton = [&](int command, DWORD style) {
        HWND button = ui::CreateButton(bar, L"", command, style);
        commands_.BindButton(*commands_.Find(command), button);
        return button;
    };
    for (int command : {ids::addTask, ids::editTask, ids::deleteTask})
        toolbarButtons_.push_back(commandButton(command, 0));
    waitButton_ = commandButton(ids::cancelDelayOfStart, BS_FLAT);
    startNextButton_ = commandButton(ids::startNextNow, 0);
    startButton_ = ui::CreateButton(bar, L"", ids::startStopButton);

    list_ = ui::CreateControl(page, WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                              ids::taskListView, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT |
                                                 LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    for (int i = 0; i < kTaskColumnCount; ++i) {
        const TaskColumn& column = kTaskColumns[i];
        const std::wstring caption(column.caption);
        LVCOLUMNW col{LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM};
        col.fmt = column.alignment == ColumnAlignment::kLeft ? LVCFMT_LEFT : LVCFMT_CENTER;
        col.cx = column.width;
        col.pszText = const_cast<wchar_t*>(caption.c_str());
        col.iSubItem = i;
        ListView_InsertColumn(list_, i, &col);
        texts.Add(std::wstring(column.captionTarget),
                  [this, i](const std::wstring& text) { ui::SetColumnCaption(list_, i, text); });
    }
    rowTip_.Attach(tooltip, list_, [this](int row) {
        return static_cast<size_t>(row) < tasks_.Count() ? actions_.rowFigures(static_cast<size_t>(row)) : std::wstring();
    });
    ShowStartButton();
    EnableWindow(list_, editing_);
    Refresh();
}

void TaskPage::Layout(int width, int height, UINT dpi) {
    auto s = [dpi](int px) { return ui::Scale(px, dpi); };
    // Images above captions, Start at the right edge.
    ui::Move(toolbar_.hwnd(), 0, 0, width, s(kToolbarHeight));
    const int bw = s(72), bh = s(kToolbarHeight - 8), y = s(4);
    int x = s(4);
    for (HWND button : toolbarButtons_) {
        ui::Move(button, x, y, bw, bh);
        x += bw + s(4);
    }
    // Captions in the applied language decide the widths: none is cut.
    auto fit = [&](HWND control, const std::wstring& text, int least) {
        return std::max(s(least), ui::TextWidth(control, text) + s(16));
    };
    ui::Move(waitButton_, x + s(8), y, fit(waitButton_, ui::GetText(waitButton_), 110), bh);
    // Shown during a walk only, when the delay's button is not: both may take the same place.
    const int startX = width - bw - s(4);
    const int nextWidth = fit(startNextButton_, ui::GetText(startNextButton_), 110);
    ui::Move(startNextButton_, startX - nextWidth - s(4), y, nextWidth, bh);
    ui::Move(startButton_, startX, y, bw, bh);
    ui::Move(list_, 0, s(kToolbarHeight), width, height - s(kToolbarHeight));
    // The columns but one fit their captions; that one takes what they leave of the list's width.
    HWND header = ListView_GetHeader(list_);
    std::array<int, kTaskColumnCount> widths{};
    int fitted = GetSystemMetrics(SM_CXVSCROLL) + s(4);
    for (int i = 0; i < kTaskColumnCount; ++i) {
        if (kTaskColumns[i].fillsList) continue;
        widths[i] = fit(header, ui::ColumnCaption(list_, i), kTaskColumns[i].leastWidth);
        fitted += widths[i];
    }
    for (int i = 0; i < kTaskColumnCount; ++i) {
        if (kTaskColumns[i].fillsList) widths[i] = std::max(s(kTaskColumns[i].leastWidth), width - fitted);
        ListView_SetColumnWidth(list_, i, widths[i]);
    }
}

void TaskPage::Refresh() {
    if (!list_) return;
    // Only cells that differ from what is on show are written: a tick that launches many tasks
    // changes one status per launch, and rewriting every row for each of them costs more than
    // the launches themselves.
    syncing_ = true;
    const size_t count = tasks_.Count();
    std::wstring made;  // room for a column's text that its function makes
    // A list view that draws after every change is slow for long lists; when many rows change
    // (a load, a sort, all enabled at once) it draws once at the end.
    auto manyRowsChange = [&] {
        constexpr size_t kMany = 64;
        size_t changes = count > shownRows_.size() ? count - shownRows_.size() : shownRows_.size() - count;
        for (size_t i = 0; i < std::min(count, shownRows_.size()) && changes <= kMany; ++i) {
            const ShownRow& shown = shownRows_[i];
            const Task& task = tasks_.Item(i);
            bool differs = task.enabled != shown.enabled;
            for (int column = 0; column < kTaskColumnCount && !differs; ++column)
                differs = kTaskColumns[column].text(task, made) != shown.texts[column];
            changes += differs;
        }
        return changes > kMany;
    };
    const bool drawOnce = manyRowsChange();
    if (drawOnce) SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    while (static_cast<size_t>(ListView_GetItemCount(list_)) > count) ListView_DeleteItem(list_, static_cast<int>(count));
    if (shownRows_.size() > count) shownRows_.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const int row = static_cast<int>(i);
        const bool added = i >= shownRows_.size();
        if (added) {
            LVITEMW item{LVIF_TEXT};
            item.iItem = row;
            item.pszText = const_cast<wchar_t*>(L"");
            ListView_InsertItem(list_, &item);
            shownRows_.emplace_back();
        }
        ShownRow& shown = shownRows_[i];
        const Task& task = tasks_.Item(i);
        for (int column = 0; column < kTaskColumnCount; ++column) {
            const std::wstring_view text = kTaskColumns[column].text(task, made);
            std::wstring& onShow = shown.texts[column];
            if (!added && text == onShow) continue;
            onShow = text;
            ListView_SetItemText(list_, row, column, const_cast<wchar_t*>(onShow.c_str()));
        }
        if (added || shown.enabled != task.enabled) {
            ListView_SetCheckState(list_, row, task.enabled);
            shown.enabled = task.enabled;
        }
        const bool selected = tasks_.Selected() == i;
        if (added || shown.selected != selected) {
            ListView_SetItemState(list_, row, selected ? LVIS_SELECTED | LVIS_FOCUSED : 0, LVIS_SELECTED | LVIS_FOCUSED);
            shown.selected = selected;
        }
    }
    if (drawOnce) {
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    syncing_ = false;
}

void TaskPage::OnItemChanged(const NMLISTVIEW& change) {
    if (syncing_ || change.iItem < 0 || static_cast<size_t>(change.iItem) >= tasks_.Count()) return;
    if (!(change.uChanged & LVIF_STATE)) return;
    const auto index = static_cast<size_t>(change.iItem);
    const UINT flipped = change.uNewState ^ change.uOldState;
    if (flipped & LVIS_STATEIMAGEMASK) {
        const bool checked = ((change.uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
        // The row's status follows its check box at once, whether a click or Space flipped it.
        if (tasks_.Item(index).enabled != checked) {
            tasks_.SetEnabled(index, checked);
            tasks_.SetStatus(index, actions_.statusText(checked));
        }
    }
    if (flipped & LVIS_SELECTED) {
        if (change.uNewState & LVIS_SELECTED)
            tasks_.Select(index);
        else if (tasks_.Selected() == index)
            tasks_.Select(std::nullopt);
    }
}

bool TaskPage::OnNotify(const NMHDR& hdr, LRESULT& result) {
    if (!list_ || hdr.hwndFrom != list_) return false;
    result = 0;
    switch (hdr.code) {
        case NM_CUSTOMDRAW:
            // Disabled tasks are drawn struck through; colours stay as they are.
            result = ui::DrawRowsInFont(reinterpret_cast<const NMLVCUSTOMDRAW&>(hdr), [this](size_t row) {
                return actions_.rowFont(row < tasks_.Count() && tasks_.Item(row).enabled);
            });
            break;
        case LVN_ITEMCHANGED: OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(hdr)); break;
        case LVN_COLUMNCLICK: tasks_.SortByColumn(reinterpret_cast<const NMLISTVIEW&>(hdr).iSubItem); break;
        case NM_CLICK: actions_.refreshStatuses(); break;
        case NM_DBLCLK: actions_.editSelected(); break;
    }
    return true;
}

bool TaskPage::OnCommand(int id, int code) {
    if (id != ids::startStopButton || code != BN_CLICKED) return false;
    actions_.startOrStop();
    return true;
}

bool TaskPage::ShowMenu(HWND source, HWND owner, POINT screen) {
    if (!list_ || source != list_) return false;
    menu_.Show(owner, screen, commands_);
    return true;
}

void TaskPage::SetStartButton(std::wstring caption, std::wstring hint, int imageIndex) {
    startCaption_ = std::move(caption);
    startHint_ = std::move(hint);
    startImage_ = imageIndex;
    ShowStartButton();
}

void TaskPage::ShowStartButton() {
    if (!startButton_) return;
    SetWindowTextW(startButton_, startCaption_.c_str());
    if (commands_.setHint) commands_.setHint(startButton_, startHint_);
    ShowStartButtonImage();
}

void TaskPage::ShowStartButtonImage() {
    if (startButton_ && commands_.setImage) commands_.setImage(startButton_, startImage_);
}

void TaskPage::SetEditing(bool enabled) {
    editing_ = enabled;
    if (list_) EnableWindow(list_, enabled);
}

}  // namespace lentora
