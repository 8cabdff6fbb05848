// Event slots: the std::function members an owner fills to hear of an object's events.
#pragma once

#include <functional>
#include <utility>

namespace base {

// Runs a slot, when it is set, through a copy: the handler may reassign or clear the very slot it runs
// from (or free the slot's owner) without destroying the closure that is running.
template <typename Signature, typename... Args>
void Fire(const std::function<Signature>& slot, Args&&... args) {
    if (slot) {
        const std::function<Signature> running = slot;
        running(std::forward<Args>(args)...);
    }
}

// The same for a slot that answers: `otherwise` when it is not set.
template <typename Result, typename... Params, typename... Args>
Result Ask(const std::function<Result(Params...)>& slot, Result otherwise, Args&&... args) {
    if (!slot) {
        return otherwise;
    }
    const std::function<Result(Params...)> running = slot;
    return running(std::forward<Args>(args)...);
}

}  // namespace base
