#include "launch/due_launches.h"

#include <utility>

namespace lentora {

void DueLaunches::Add(std::vector<TaskId> tasks) {
    if (!tasks.empty()) groups_.push_back(std::move(tasks));
}

std::vector<TaskId> DueLaunches::TakeNext() {
    std::vector<TaskId> rows = std::move(groups_.front());
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
