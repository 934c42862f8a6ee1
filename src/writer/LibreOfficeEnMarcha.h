#pragma once

namespace renglero {

// Whether a LibreOffice of this user runs on the user's own profile: one
// started from the desktop's menu before the notebook. A LibreOffice started
// again on that profile hands its arguments to the running one and ends, so
// what it is asked to open is opened there, beside the pupil's documents.
// Instances on a profile of their own (-env:UserInstallation) do not count.
bool libreOfficeDelUsuarioEnMarcha();

} // namespace renglero
