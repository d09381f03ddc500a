// The one raised-error type of the product: an error number and its
// description, as the editor's runtime raises them. Operations that report by
// result never throw; "errors ignored" blocks catch VbaError locally.
#pragma once

#include <stdexcept>
#include <string>

namespace qm {

class VbaError : public std::runtime_error {
 public:
  VbaError(long number, std::string description)
      : std::runtime_error(description), number_(number), description_(std::move(description)) {}

  long Number() const { return number_; }
  const std::string& Description() const { return description_; }

 private:
  long number_;              // the error number (10001..10005, 10100, or the runtime's own)
  std::string description_;  // the message text, UTF-8
};

// Error numbers of the runtime that the product's layers raise themselves.
inline constexpr long kErrSubscriptOutOfRange = 9;  // reading outside a list
inline constexpr long kErrSubOrFunctionNotDefined = 35;
inline constexpr long kErrPathNotFound = 76;
inline constexpr long kErrInvalidProcedureCall = 5;
inline constexpr long kErrTypeMismatch = 13;
inline constexpr long kErrInvalidPropertyValue = 380;
inline constexpr long kErrObjectRequired = 424;

// Add-in error numbers.
inline constexpr long kErrRegistryOpen = 10100;
inline constexpr const char* kRegistryOpenText = "レジストリがオープンできませんでした。";

// Raises the runtime's "subscript out of range".
[[noreturn]] void RaiseSubscriptOutOfRange();

}  // namespace qm
