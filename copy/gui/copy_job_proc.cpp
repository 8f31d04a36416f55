#include "copy/gui/copy_job_proc.h"

#include "copy/copy_job.h"
#include "copy/gui/gui_copy_job_host.h"
#include "copy/gui/up_dialog.h"

namespace tandrel {

bool copyJobProc(UPThreadParams* params) {
    auto& host = *static_cast<GuiCopyJobHost*>(params->userParameter());
    host.jobStarted(*params);
    bool completed = true;
    try {
        runCopyJob(*params, host);
    } catch (...) {
        // The job shows every failure it knows of; anything else leaves
        // the user with "Some Error Occured." from the owner instead of a
        // dialog that closes as if the copy had worked.
        completed = false;
    }
    host.jobEnded(completed);
    return completed;
}

} // namespace tandrel
