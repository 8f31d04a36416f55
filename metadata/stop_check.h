#pragma once

#include <functional>

namespace tandrel {

// Asked now and then during long work on the card; true ends the work with
// OperationStopped. An empty check never stops.
using StopCheck = std::function<bool()>;

} // namespace tandrel
