// The launches of a walk that have come due but not happened yet, because a wait for a calm system
// holds them back. Rows due in the same tick stay together and start together, as they do unheld.
#pragma once
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace lentora {

class DueLaunches {
public:
    // Rows that came due in this tick, in list order.
    void Add(std::vector<int> rows);
    bool Empty() const { return groups_.empty(); }
    // The rows that start next.
    const std::vector<int>& Next() const { return groups_.front(); }
    // The next rows came due while an earlier launch was held: they start at their turn, without
    // a wait of their own, so a backlog is worked off one tick apart.
    bool NextReleased() const { return released_ > 0; }
    // Removes the next rows for their start. A hold on them ends without releasing the rows behind:
    // those wait for the system in their turn.
    std::vector<int> TakeNext();

    // The next rows wait for the system from `tick` on.
    void Hold(int tick) { heldSince_ = tick; }
    // The system is ready (or the wait is over): the hold ends and releases every group in it.
    void EndHold();
    bool Holding() const { return heldSince_.has_value(); }
    int HeldSince() const { return heldSince_.value_or(0); }

    void Clear();

private:
    std::deque<std::vector<int>> groups_;
    std::size_t released_ = 0;  // groups at the front
    std::optional<int> heldSince_;
};

}  // namespace lentora
