#include "tasks/task_list.h"

#include <algorithm>
#include <numeric>

#include "util/whole_number.h"
#include "util/format.h"

namespace lentora {
namespace {

const std::wstring& KeyText(const TTaskItem& item, int key) {
    static const std::wstring kNone;
    switch (key) {
        case -1: return item.caption;
        case 0: return item.delay;
        case 1: return item.status;
        case 2: return item.reg;
        default: return kNone;
    }
}

}  // namespace

TaskList::TaskList(TextCompare compare) : compare_(compare) {}

TaskList::UpdateBlock::UpdateBlock(TaskList& list) : list_(list) { ++list_.updateDepth_; }

TaskList::UpdateBlock::~UpdateBlock() { list_.EndUpdate(); }

void TaskList::EndUpdate() {
    if (--updateDepth_ == 0 && pendingChange_) {
        pendingChange_ = false;
        if (onChange_) onChange_();
    }
}

void TaskList::Changed() {
    if (updateDepth_ > 0) {
        pendingChange_ = true;
    } else if (onChange_) {
        onChange_();
    }
}

void TaskList::Append(TTaskItem item) {
    rows_.push_back(std::move(item));
    Changed();
}

void TaskList::addfiletotable(const std::wstring& addfile, const std::wstring& ztime, const std::wstring& scomm,
                              bool zstatus, const std::wstring& reg, ILogSink& log) {
    Append(TTaskItem{addfile, ztime, scomm, reg, zstatus});
    log.Log(FormatText(L"file \"%s\" is added", {addfile}));
}

void TaskList::SetCaption(size_t index, std::wstring caption) {
    rows_.at(index).caption = std::move(caption);
    Changed();
}

void TaskList::SetDelay(size_t index, std::wstring delay) {
    rows_.at(index).delay = std::move(delay);
    Changed();
}

void TaskList::SetStatus(size_t index, std::wstring status) {
    rows_.at(index).status = std::move(status);
    Changed();
}

void TaskList::SetEnabled(size_t index, bool enabled) {
    rows_.at(index).enabled = enabled;
    Changed();
}

void TaskList::SetAllEnabled(bool enabled) {
    if (rows_.empty()) return;
    for (auto& row : rows_) row.enabled = enabled;
    Changed();
}

void TaskList::SetStatusLV(const std::wstring& enabledText, const std::wstring& disabledText) {
    if (rows_.empty()) return;
    for (auto& row : rows_) row.status = row.enabled ? enabledText : disabledText;
    Changed();
}

void TaskList::Remove(size_t index) {
    if (index >= rows_.size()) return;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    if (selected_ == index) {
        selected_.reset();
    } else if (selected_ && *selected_ > index) {
        --*selected_;
    }
    Changed();
}

void TaskList::Clear() {
    if (rows_.empty()) return;
    rows_.clear();
    selected_.reset();
    Changed();
}

void TaskList::Select(std::optional<size_t> index) {
    selected_ = index && *index < rows_.size() ? index : std::nullopt;
}

int TaskList::CompareTasks(const TTaskItem* a, const TTaskItem* b, int key) const {
    if (!a || !b) return 0;
    const std::wstring& ta = KeyText(*a, key);
    const std::wstring& tb = KeyText(*b, key);
    int result = 0;
    if (kind_ == SortKind::Text) {
        result = compare_(ta, tb);
    } else {
        WholeNumber na = ReadWholeNumber(ta);
        WholeNumber nb = ReadWholeNumber(tb);
        if (na.valid || nb.valid) result = na.value < nb.value ? 1 : na.value == nb.value ? 0 : -1;
    }
    int column = key + 1;
    if (column >= 0 && column < static_cast<int>(toggles_.size()) && toggles_[column]) result = -result;
    return result;
}

void TaskList::ColumnClick(int column) {
    if (column < kProgram || column > kStatus) return;
    if (column == kProgram) kind_ = SortKind::Text;
    if (column == kTime) kind_ = SortKind::Integer;

    // Integer keys mixing valid and invalid texts are not a strict weak order; a merge sort stays
    // within bounds whatever the comparison answers, and keeps equal rows in place.
    std::vector<size_t> order(rows_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [this, column](size_t x, size_t y) {
        return CompareTasks(&rows_[x], &rows_[y], column - 1) < 0;
    });
    std::vector<TTaskItem> sorted;
    sorted.reserve(rows_.size());
    std::optional<size_t> selected;
    for (size_t pos = 0; pos < order.size(); ++pos) {
        if (selected_ == order[pos]) selected = pos;
        sorted.push_back(std::move(rows_[order[pos]]));
    }
    rows_ = std::move(sorted);
    selected_ = selected;
    toggles_[column] = !toggles_[column];
    if (!rows_.empty()) Changed();
}

}  // namespace lentora
