// libgsf helpers: set-up, quieting its diagnostics, bounded reads and
// case-insensitive child look-up.
#include "editor/load/gsf_support.h"

#include <mutex>

namespace qm::editor {

namespace {

bool EqualNoAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto x = g_ascii_tolower(a[i]), y = g_ascii_tolower(b[i]);
    if (x != y) return false;
  }
  return true;
}

void DiscardLog(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}
void DiscardPrint(const gchar*) {}

}  // namespace

QuietGsf::QuietGsf()
    : oldLog_(g_log_set_default_handler(DiscardLog, nullptr)),
      oldLogData_(nullptr),
      oldPrinterr_(g_set_printerr_handler(DiscardPrint)),
      oldPrint_(g_set_print_handler(DiscardPrint)) {}

QuietGsf::~QuietGsf() {
  g_log_set_default_handler(oldLog_, oldLogData_);
  g_set_printerr_handler(oldPrinterr_);
  g_set_print_handler(oldPrint_);
}

void EnsureGsf() {
  static std::once_flag once;
  std::call_once(once, [] { gsf_init(); });
}

std::optional<std::string> ReadWholeInput(GsfInput* input, size_t maxSize) {
  const gsf_off_t size = gsf_input_size(input);
  if (size < 0 || static_cast<unsigned long long>(size) > maxSize) return std::nullopt;
  if (gsf_input_seek(input, 0, G_SEEK_SET)) return std::nullopt;  // TRUE means failure
  std::string bytes(static_cast<size_t>(size), '\0');
  if (size > 0 && gsf_input_read(input, bytes.size(), reinterpret_cast<guint8*>(bytes.data())) == nullptr) {
    return std::nullopt;
  }
  return bytes;
}

GsfRef<GsfInput> ChildByName(GsfInfile* storage, std::string_view name) {
  const int count = gsf_infile_num_children(storage);
  for (int i = 0; i < count; ++i) {
    const char* childName = gsf_infile_name_by_index(storage, i);
    if (childName != nullptr && EqualNoAsciiCase(childName, name)) {
      return GsfRef<GsfInput>(gsf_infile_child_by_index(storage, i));
    }
  }
  return {};
}

GsfRef<GsfInfile> StorageByName(GsfInfile* storage, std::string_view name) {
  auto child = ChildByName(storage, name);
  if (!child || !GSF_IS_INFILE(child.get()) || gsf_infile_num_children(GSF_INFILE(child.get())) < 0) return {};
  return GsfRef<GsfInfile>(GSF_INFILE(g_object_ref(child.get())));
}

}  // namespace qm::editor
