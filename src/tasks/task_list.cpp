#include "tasks/task_list.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "util/codepage.h"
#include "util/whole_number.h"
#include "util/format.h"

namespace lentora {
namespace {

std::wstring_view KeyText(const TTaskItem& item, int key) {
    switch (key) {
        case -1: return item.caption;
        case 0: return item.delay;
        case 1: return item.status;
        case 2: return item.reg;
        default: return {};
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

TTaskItem TaskList::Item(size_t index) const {
    const StoredRow& row = Row(index);
    return TTaskItem{std::wstring(View(row.caption)), std::wstring(View(row.delay)), std::wstring(View(row.status)),
                     std::wstring(View(row.reg)), row.enabled};
}

std::vector<TTaskItem> TaskList::Items() const {
    std::vector<TTaskItem> items;
    items.reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i) items.push_back(Item(i));
    return items;
}

void TaskList::Reserve(size_t extraRows, size_t extraChars) {
    rows_.reserve(rows_.size() + extraRows);
    texts_.reserve(texts_.size() + extraChars);
}

void TaskList::CheckRoom(size_t extraChars) const {
    if (texts_.size() + extraChars > UINT32_MAX) throw std::length_error("task list texts");
}

TaskList::TextSpan TaskList::Store(std::wstring_view text) {
    if (text.empty()) return {};
    CheckRoom(text.size());
    TextSpan span{static_cast<uint32_t>(texts_.size()), static_cast<uint32_t>(text.size())};
    texts_.append(text);  // also right for a text of the list itself: append copies before it frees
    return span;
}

TaskList::TextSpan TaskList::StoreUtf8(std::string_view utf8) {
    if (utf8.empty()) return {};
    CheckRoom(utf8.size());  // no byte makes more than one character
    const size_t start = texts_.size();
    AppendDecodedUtf8(utf8, texts_);
    return TextSpan{static_cast<uint32_t>(start), static_cast<uint32_t>(texts_.size() - start)};
}

void TaskList::Replace(TextSpan& span, std::wstring_view text) {
    TextSpan stored = Store(text);
    unusedChars_ += span.size;
    span = stored;
    CompactTexts();
}

void TaskList::CompactTexts() {
    constexpr size_t kSmall = 4096;
    if (rows_.empty()) {
        texts_.clear();
        unusedChars_ = 0;
        return;
    }
    if (unusedChars_ < kSmall || unusedChars_ < texts_.size() / 2) return;
    std::wstring old;
    old.swap(texts_);
    texts_.reserve(old.size() - unusedChars_);
    unusedChars_ = 0;
    auto move = [&](TextSpan& span) {
        span = Store(std::wstring_view(old).substr(span.offset, span.size));
    };
    for (StoredRow& row : rows_) {
        move(row.caption);
        move(row.delay);
        move(row.status);
        move(row.reg);
    }
}

void TaskList::Append(const TTaskItem& item) { Append(item.caption, item.delay, item.status, item.reg, item.enabled); }

void TaskList::Append(std::wstring_view caption, std::wstring_view delay, std::wstring_view status, std::wstring_view reg,
                      bool enabled) {
    // A braced list stores its texts in the order written.
    AppendRow({Store(caption), Store(delay), Store(status), Store(reg), enabled});
}

void TaskList::AppendUtf8(std::string_view caption, std::string_view delay, std::string_view reg, bool enabled) {
    AppendRow({StoreUtf8(caption), StoreUtf8(delay), TextSpan{}, StoreUtf8(reg), enabled});
}

void TaskList::AppendRow(const StoredRow& row) {
    rows_.push_back(row);
    Changed();
}

void TaskList::addfiletotable(const std::wstring& addfile, const std::wstring& ztime, const std::wstring& scomm,
                              bool zstatus, const std::wstring& reg, ILogSink& log) {
    Append(addfile, ztime, scomm, reg, zstatus);
    log.Log(FormatText(L"file \"%s\" is added", {addfile}));
}

void TaskList::SetCaption(size_t index, std::wstring_view caption) {
    Replace(rows_.at(index).caption, caption);
    Changed();
}

void TaskList::SetDelay(size_t index, std::wstring_view delay) {
    Replace(rows_.at(index).delay, delay);
    Changed();
}

void TaskList::SetStatus(size_t index, std::wstring_view status) {
    Replace(rows_.at(index).status, status);
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
    for (StoredRow& row : rows_) Replace(row.status, row.enabled ? enabledText : disabledText);
    Changed();
}

void TaskList::Remove(size_t index) {
    if (index >= rows_.size()) return;
    const StoredRow& row = rows_[index];
    unusedChars_ += row.caption.size + row.delay.size + row.status.size + row.reg.size;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    CompactTexts();
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
    CompactTexts();
    selected_.reset();
    Changed();
}

void TaskList::Select(std::optional<size_t> index) {
    selected_ = index && *index < rows_.size() ? index : std::nullopt;
}

int TaskList::CompareTasks(const TTaskItem* a, const TTaskItem* b, int key) const {
    if (!a || !b) return 0;
    return CompareTexts(KeyText(*a, key), KeyText(*b, key), key);
}

int TaskList::CompareTexts(std::wstring_view a, std::wstring_view b, int key) const {
    int result = 0;
    if (kind_ == SortKind::Text) {
        result = compare_(a, b);
    } else {
        WholeNumber na = ReadWholeNumber(a);
        WholeNumber nb = ReadWholeNumber(b);
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
    auto key = [this, column](size_t row) -> std::wstring_view {
        switch (column) {
            case kProgram: return Caption(row);
            case kTime: return Delay(row);
            default: return Status(row);
        }
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
        return CompareTexts(key(x), key(y), column - 1) < 0;
    });
    std::vector<StoredRow> sorted;
    sorted.reserve(rows_.size());
    std::optional<size_t> selected;
    for (size_t pos = 0; pos < order.size(); ++pos) {
        if (selected_ == order[pos]) selected = pos;
        sorted.push_back(rows_[order[pos]]);
    }
    rows_ = std::move(sorted);
    selected_ = selected;
    toggles_[column] = !toggles_[column];
    if (!rows_.empty()) Changed();
}

}  // namespace lentora
