// A component of the editor with a name only (a standard module without
// code), or one whose name cannot be read: enough for the job's list of
// components and for pages that name components without reading their code.
#pragma once

#include <string>
#include <utility>

#include "addin/common/vba_error.h"
#include "addin/host/vbe.h"

namespace qm::test {

class NamedComponent : public VBComponent {
 public:
  explicit NamedComponent(std::string name, bool unreadable = false)
      : name_(std::move(name)), unreadable_(unreadable) {}
  std::string Name() const override {
    if (unreadable_) throw VbaError(kErrObjectRequired, "unreadable");
    return name_;
  }
  int Type() const override { return kStdModule; }
  CodeModulePtr CodeModule() const override { return nullptr; }
  std::string Property(const std::string&) const override { throw VbaError(kErrInvalidProcedureCall, "none"); }

 private:
  std::string name_;
  bool unreadable_;
};

}  // namespace qm::test
