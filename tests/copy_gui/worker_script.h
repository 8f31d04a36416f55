#pragma once

#include "copy/gui/up_dialog.h"

#include <functional>

namespace tandrel {

// A worker procedure for tests: the dialog's user parameter is a
// WorkerScript, whose body runs on the worker thread.
struct WorkerScript {
    std::function<bool(UPThreadParams&)> body;
};

inline bool runWorkerScript(UPThreadParams* params) {
    return static_cast<WorkerScript*>(params->userParameter())->body(*params);
}

} // namespace tandrel
