#pragma once

#include <functional>

namespace zelvora {

// Runs every pending event once and returns.
void DoEvents();

// Lets events run until done() is true or timeoutMs has passed; blocks in
// the event loop between events instead of spinning. Returns done().
bool WaitUntil(const std::function<bool()>& done, int timeoutMs);

}  // namespace zelvora
