// Small helpers over libgsf for the loaders and the writer: an owning
// reference to a GObject, one-time library set-up, bounded whole-stream
// reads and child look-up by name without regard to case (compound-file
// names compare without case).
#pragma once

#include <gsf/gsf.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace qm::editor {

// Owns one reference to a GObject (GsfInput, GsfInfile, GsfOutput …).
template <class T>
class GsfRef {
 public:
  GsfRef() = default;
  explicit GsfRef(T* object) : object_(object) {}
  GsfRef(GsfRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  GsfRef& operator=(GsfRef&& other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  GsfRef(const GsfRef&) = delete;
  GsfRef& operator=(const GsfRef&) = delete;
  ~GsfRef() {
    if (object_ != nullptr) g_object_unref(object_);
  }
  T* get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_ = nullptr;  // the owned reference, or null
};

// Owns a GError and gives its message.
class GsfErrorText {
 public:
  ~GsfErrorText() {
    if (error_ != nullptr) g_error_free(error_);
  }
  GError** out() { return &error_; }
  std::string text() const { return error_ != nullptr && error_->message != nullptr ? error_->message : ""; }
  // " (message)", or nothing when there is no message: for the end of a sentence.
  std::string detail() const { return text().empty() ? "" : " (" + text() + ")"; }

 private:
  GError* error_ = nullptr;  // filled by the libgsf call
};

// Initialises libgsf once per process.
void EnsureGsf();

// While alive, keeps libgsf's own complaints about damaged containers
// ("Invalid metabat item", assertion notes) off the terminal: a loader
// reports one message of its own instead. Not for use on several threads.
class QuietGsf {
 public:
  QuietGsf();
  ~QuietGsf();
  QuietGsf(const QuietGsf&) = delete;
  QuietGsf& operator=(const QuietGsf&) = delete;

 private:
  GLogFunc oldLog_;           // the default log handler before
  gpointer oldLogData_;       // its data
  GPrintFunc oldPrinterr_;    // the g_printerr handler before
  GPrintFunc oldPrint_;       // the g_print handler before
};

// Largest stream a loader reads whole (a vbaProject.bin, a module stream).
inline constexpr size_t kMaxStreamSize = 64u << 20;

// The whole content of an input from its start; nullopt when it is larger
// than maxSize or cannot be read.
std::optional<std::string> ReadWholeInput(GsfInput* input, size_t maxSize = kMaxStreamSize);

// The child of a storage with this name (UTF-8), compared without ASCII case.
GsfRef<GsfInput> ChildByName(GsfInfile* storage, std::string_view name);

// The child as a storage (an infile with children), or empty.
GsfRef<GsfInfile> StorageByName(GsfInfile* storage, std::string_view name);

}  // namespace qm::editor
