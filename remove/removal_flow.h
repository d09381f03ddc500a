// Quillsweep's run: unregisters the add-in library through regsvr32 and
// deletes the installed library and help file, or removes only the current
// user's add-in key (see RunRemoval for the whole flow). It works on the
// paths, registry entries, window classes and mutex of setup/install_data.h.
#pragma once

#include "platform/registry.h"
#include "setup/install_common.h"

namespace qm::install {

// The caption of every message box of the removal program.
inline constexpr std::string_view kRemovalCaption = "｢Ferravel｣ - 登録解除";

// The removal state's parts.
inline constexpr int kStateNtFamily = 4;
inline constexpr int kStateClassKey = 2;
inline constexpr int kStateAddinKey = 1;

// The removal state, 0 to 7: the NT family (+4), the class registration key
// (+2), the current user's add-in key (+1).
int RemovalState(InstallContext& context);

// Deletes the add-in key when it can be opened; then true when it is absent.
bool DeleteAddinKey(platform::Registry& registry);

// One run of the removal program after the mutex was taken: the state, the
// installed files, the running applications and the editor, the question of
// the state, then the full removal (unregistration and the installed files)
// or, for "No" in state 7, only the current user's add-in key; every end is
// reported in a message box with context.caption.
Outcome RunRemoval(InstallContext& context);

}  // namespace qm::install
