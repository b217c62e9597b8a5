// The task list: the one place where the tasks live while the program runs.
// The list view shows it and reports check box clicks and selection back to it.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/log_sink.h"
#include "tasks/task_item.h"
#include "util/platform.h"

namespace lentora {

class TaskList {
public:
    // Locale-aware, case-sensitive comparison with lstrcmpW's sign convention.
    using TextCompare = int (*)(std::wstring_view, std::wstring_view);

    // Column positions of the list view.
    enum Column { kProgram = 0, kTime = 1, kStatus = 2 };

    explicit TaskList(TextCompare compare = platform::CompareTextLocale);

    size_t Count() const { return rows_.size(); }
    bool Empty() const { return rows_.empty(); }
    // A row's texts; they stay valid until the list next changes.
    std::wstring_view Caption(size_t index) const { return View(Row(index).caption); }
    std::wstring_view Delay(size_t index) const { return View(Row(index).delay); }
    std::wstring_view Status(size_t index) const { return View(Row(index).status); }
    std::wstring_view Reg(size_t index) const { return View(Row(index).reg); }
    bool Enabled(size_t index) const { return Row(index).enabled; }
    // Copies of a row and of all rows.
    TTaskItem Item(size_t index) const;
    std::vector<TTaskItem> Items() const;

    // Called after every change of the rows or their order; inside an UpdateBlock only once,
    // when the outermost block ends.
    void SetChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }

    // Defers change notifications, like the list view's update block.
    class UpdateBlock {
    public:
        explicit UpdateBlock(TaskList& list);
        ~UpdateBlock();
        UpdateBlock(const UpdateBlock&) = delete;
        UpdateBlock& operator=(const UpdateBlock&) = delete;

    private:
        TaskList& list_;
    };

    // Room for `extraRows` more rows with `extraChars` characters of text between them.
    void Reserve(size_t extraRows, size_t extraChars);
    void Append(const TTaskItem& item);
    void Append(std::wstring_view caption, std::wstring_view delay, std::wstring_view status, std::wstring_view reg,
                bool enabled);
    // A row from UTF-8 texts, as the task file holds them, decoded straight into the list's buffer.
    void AppendUtf8(std::string_view caption, std::string_view delay, std::string_view reg, bool enabled);
    // The property dialog's new row; logs "file "%s" is added".
    void addfiletotable(const std::wstring& addfile, const std::wstring& ztime, const std::wstring& scomm,
                        bool zstatus, const std::wstring& reg, ILogSink& log);
    void SetCaption(size_t index, std::wstring_view caption);
    void SetDelay(size_t index, std::wstring_view delay);
    void SetStatus(size_t index, std::wstring_view status);
    void SetEnabled(size_t index, bool enabled);
    void SetAllEnabled(bool enabled);
    // Every row's status becomes `enabledText` or `disabledText` after its check box.
    void SetStatusLV(const std::wstring& enabledText, const std::wstring& disabledText);
    void Remove(size_t index);
    void Clear();

    // The selected row; the view sets it without being notified back.
    std::optional<size_t> Selected() const { return selected_; }
    void Select(std::optional<size_t> index);

    // Negative when a goes before b, positive when after, 0 when equal, under the current sort state.
    int CompareTasks(const TTaskItem* a, const TTaskItem* b, int key) const;
    // A click on a column header: sets the sort kind, sorts, switches that column's direction toggle.
    void ColumnClick(int column);

private:
    enum class SortKind { Text, Integer };

    // Where a text lies in `texts_`.
    struct TextSpan {
        uint32_t offset = 0;
        uint32_t size = 0;
    };
    // The rows keep their texts in one buffer instead of a heap block per text, so a long list
    // loads without an allocation per row.
    struct StoredRow {
        TextSpan caption, delay, status, reg;
        bool enabled = false;
    };

    const StoredRow& Row(size_t index) const { return rows_.at(index); }
    std::wstring_view View(TextSpan span) const { return std::wstring_view(texts_).substr(span.offset, span.size); }
    void AppendRow(const StoredRow& row);
    TextSpan Store(std::wstring_view text);
    TextSpan StoreUtf8(std::string_view utf8);
    // Checks that `extraChars` more characters keep every offset within a TextSpan.
    void CheckRoom(size_t extraChars) const;
    // Replaces a text of a row, counting the old one as unused.
    void Replace(TextSpan& span, std::wstring_view text);
    // Drops the texts no row refers to once they are the larger part of the buffer.
    void CompactTexts();
    int CompareTexts(std::wstring_view a, std::wstring_view b, int key) const;
    void Changed();
    void EndUpdate();

    std::vector<StoredRow> rows_;
    std::wstring texts_;
    size_t unusedChars_ = 0;
    std::optional<size_t> selected_;
    TextCompare compare_;
    SortKind kind_ = SortKind::Text;
    std::array<bool, 3> toggles_{};
    std::function<void()> onChange_;
    int updateDepth_ = 0;
    bool pendingChange_ = false;
};

}  // namespace lentora
