// Storage of the add-in's globals (see globals.h).
#include "addin/common/globals.h"

namespace qm {

std::shared_ptr<clsVBCode> CurrentJob;
std::shared_ptr<clsSettings> RememberedSettings;
std::shared_ptr<VBE> VBEInstance;

}  // namespace qm
