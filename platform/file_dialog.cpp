// The slot of the file-dialog service. With none installed, a dialog that
// answers "cancelled" at once: Linux offers no dialog window of its own to
// the add-in, and a question nobody can see must not block the editor.
#include "platform/file_dialog.h"

namespace qm::platform {

namespace {

class NoFileDialog : public FileDialogService {
 public:
  FileDialogResult ShowSave(const FileDialogRequest&) override { return {}; }
};

NoFileDialog g_default;
FileDialogService* g_current = nullptr;

}  // namespace

FileDialogService& CurrentFileDialog() { return g_current ? *g_current : g_default; }

void SetFileDialog(FileDialogService* service) { g_current = service; }

}  // namespace qm::platform
