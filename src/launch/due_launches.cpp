#include "launch/due_launches.h"

#include <utility>

namespace lentora {

void DueLaunches::Add(std::vector<int> rows) {
    if (!rows.empty()) groups_.push_back(std::move(rows));
}

std::vector<int> DueLaunches::TakeNext() {
    std::vector<int> rows = std::move(groups_.front());
    groups_.pop_front();
    heldSince_.reset();
    if (released_ > 0) --released_;
    return rows;
}

void DueLaunches::EndHold() {
    heldSince_.reset();
    released_ = groups_.size();
}

void DueLaunches::Clear() {
    groups_.clear();
    released_ = 0;
    heldSince_.reset();
}

}  // namespace lentora
