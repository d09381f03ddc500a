// The current user's runtime folder: where the programs of the product keep
// what lives only as long as a process (the lock files of named mutexes, the
// announcements of running hosts' windows).
#pragma once

#include <string>

namespace qm::platform::posix {

// $XDG_RUNTIME_DIR when it names a folder, else /tmp/quillmark-<uid>, created
// with mode 0700 when missing. A /tmp folder that is not a real folder owned
// by the current user is refused (someone else could read or plant files
// there): the result is then empty, as it is when no folder can be made.
std::string RuntimeDirectory();

}  // namespace qm::platform::posix
