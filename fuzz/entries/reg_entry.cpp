// Fuzz entry of the .reg importer: any bytes are parsed as an export (both
// headers, every line form); a text that parses is applied to a registry
// tree, written back as .reg text and read again, and the second tree must
// equal the first. A text that does not parse must leave no entries.
#include <cstdint>
#include <string>

#include "fuzz/entries/fuzz_targets.h"
#include "platform/reg_file.h"

namespace qm::fuzz {

int FuzzReg(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto parsed = platform::ParseRegText(bytes, "fuzz.reg", 1252);
  if (parsed.error) {
    Require(parsed.entries.empty(), "entries kept from a text that did not parse");
    return 0;
  }
  platform::RegTree first;
  platform::ApplyRegEntries(parsed.entries, first);
  const std::string written = platform::SerializeRegTree(first);
  const auto reread = platform::ParseRegText(written, "written.reg", 1252);
  Require(!reread.error, "the written tree does not read back: " + (reread.error ? reread.error->Message() : ""));
  platform::RegTree second;
  platform::ApplyRegEntries(reread.entries, second);
  Require(first == second, "the tree read back differs from the one written");
  return 0;
}

}  // namespace qm::fuzz
