// The clipboard: places text, as bytes already in the system's ANSI code page,
// in the plain-text format. On Linux the text goes to wl-copy (Wayland),
// xclip or xsel (X11), whichever is present for the running display; without
// one the clipboard cannot be opened. A host may install its own clipboard
// (the command-line host's --stdout writes the text to standard output).
#pragma once

#include <string_view>

namespace qm::platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces the clipboard's content by the text; false when the clipboard
  // could not be opened or the text not placed.
  virtual bool SetText(std::string_view ansiBytes) = 0;
};

// The installed clipboard; the real Linux one when none is installed.
Clipboard& CurrentClipboard();
void SetClipboard(Clipboard* service);

class ScopedClipboard {
 public:
  explicit ScopedClipboard(Clipboard& service) { SetClipboard(&service); }
  ~ScopedClipboard() { SetClipboard(nullptr); }
  ScopedClipboard(const ScopedClipboard&) = delete;
  ScopedClipboard& operator=(const ScopedClipboard&) = delete;
};

}  // namespace qm::platform
