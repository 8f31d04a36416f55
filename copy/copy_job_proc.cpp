#include "copy/copy_job_proc.h"

#include "copy/copy_job.h"
#include "copy/up_dialog.h"

bool copyJobProc(UPThreadParams* params) {
    try {
        runCopyJob(*params, *static_cast<CopyJobHost*>(params->userParameter()));
    } catch (...) {
        // The job shows every failure it knows of; anything else leaves
        // the user with "Some Error Occured." from the owner instead of a
        // dialog that closes as if the copy had worked.
        return false;
    }
    return true;
}
