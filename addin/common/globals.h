// The add-in's three globals. Each is a shared reference that is empty when
// nothing is held:
//   CurrentJob         the job of the conversion command that is running;
//                      empty between commands.
//   RememberedSettings the dialog state remembered between commands; created
//                      at the first command's settings step, kept until unload.
//   VBEInstance        the editor object, set on connection, emptied on
//                      disconnection.
#pragma once

#include <memory>

namespace qm {

class clsVBCode;
class clsSettings;
class VBE;

extern std::shared_ptr<clsVBCode> CurrentJob;
extern std::shared_ptr<clsSettings> RememberedSettings;
extern std::shared_ptr<VBE> VBEInstance;

}  // namespace qm
