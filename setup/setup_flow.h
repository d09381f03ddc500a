// Quillset's run: installs the add-in library and its help file into the
// installation folder, registers the library through regsvr32 and enters
// the add-in for the current user, or only does that last step when the
// library is registered already (see RunSetup for the whole flow).
#pragma once

#include "platform/registry.h"
#include "setup/install_common.h"

namespace qm::install {

// The caption of every message box of the setup program.
inline constexpr std::string_view kSetupCaption = "｢Ferravel｣ Ver 4.1.1 - 登録";

// Registration states.
inline constexpr int kRegistered = 0;          // the class, its type library link and the type library
inline constexpr int kOtherVersion = 1;        // the class key holds another (or no) class identifier
inline constexpr int kNotRegistered = -1;      // no class key, or the link or the type library missing

// The registration state of the add-in class (reads only).
int ServerState(const platform::Registry& registry);

// Creates the add-in key with its four values; then AddinKeyPresent.
bool WriteAddinKey(platform::Registry& registry);

// One run of the setup program after the mutex was taken: the running
// applications and the editor, the help file beside the program, the
// registration state and the files, a confirmation, then install, replace
// the other version, or enter the add-in for this user only; every end is
// reported in a message box with kSetupCaption (context.caption).
Outcome RunSetup(InstallContext& context);

}  // namespace qm::install
