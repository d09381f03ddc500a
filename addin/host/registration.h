// The library's self-registration over a registry (the entries are listed in
// addin/host/registration_data.h): what DllRegisterServer and
// DllUnregisterServer do, apart from finding the library's own path.
#pragma once

#include <string>

#include "platform/registry.h"

namespace qm {

// Writes the class registration, the type library entries and the add-in key
// for the library at libraryPath. When a write fails, what was written is
// removed again (an add-in key that existed before stays) and the result is
// false.
bool RegisterServer(platform::Registry& registry, const std::string& libraryPath);

// Removes the class registration, the type library entries and the current
// user's add-in key; entries that are missing already count as removed.
// False when one of them could not be deleted.
bool UnregisterServer(platform::Registry& registry);

}  // namespace qm
