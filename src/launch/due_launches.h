// The launches of a walk that have come due but not happened yet, because a wait for a calm system
// holds them back. Tasks due in the same tick stay together and start together, as they do unheld.
// They are kept by id: the list may be sorted or lose a task while they wait.
#pragma once
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "tasks/task.h"

namespace lentora {

class DueLaunches {
public:
    // Tasks that came due in this tick, in list order.
    void Add(std::vector<TaskId> tasks);
    // Drops the tasks that `exists` no longer finds, and a group left empty by that. A hold goes on
    // for the group that is next then; with nothing left it ends.
    template <typename Exists>
    void DropMissing(Exists exists) {
        for (size_t i = 0; i < groups_.size();) {
            std::erase_if(groups_[i], [&](TaskId task) { return !exists(task); });
            if (!groups_[i].empty()) {
                ++i;
                continue;
            }
            groups_.erase(groups_.begin() + static_cast<std::ptrdiff_t>(i));
            if (i < released_) --released_;
        }
        if (groups_.empty()) heldSince_.reset();
    }
    bool Empty() const { return groups_.empty(); }
    // The tasks that start next.
    const std::vector<TaskId>& Next() const { return groups_.front(); }
    // The next tasks came due while an earlier launch was held: they start at their turn, without
    // a wait of their own, so a backlog is worked off one tick apart.
    bool NextReleased() const { return released_ > 0; }
    // Removes the next tasks for their start. A hold on them ends without releasing the tasks behind:
    // those wait for the system in their turn.
    std::vector<TaskId> TakeNext();

    // The next tasks wait for the system from `tick` on.
    void Hold(int tick) { heldSince_ = tick; }
    // The system is ready (or the wait is over): the hold ends and releases every group in it.
    void EndHold();
    bool Holding() const { return heldSince_.has_value(); }
    int HeldSince() const { return heldSince_.value_or(0); }

    void Clear();

private:
    std::deque<std::vector<TaskId>> groups_;
    std::size_t released_ = 0;  // groups at the front
    std::optional<int> heldSince_;
};

}  // namespace lentora
