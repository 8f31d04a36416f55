#pragma once

namespace tandrel {

class UPThreadParams;

// The progress dialog's worker procedure for the Copy command: runs the copy
// job with the dialog's thread block as its reporter and the dialog's user
// parameter, the main dialog's GuiCopyJobHost, as its host. The job reports
// its own failures to the user, so this returns true; only an error that
// escapes the job makes it return false, which the owner reports as a
// failure rather than a success.
bool copyJobProc(UPThreadParams* params);

} // namespace tandrel
