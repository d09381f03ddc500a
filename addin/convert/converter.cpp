// The converter object itself: creation, release, and its access to the job.
#include "addin/convert/converter.h"

#include "addin/common/globals.h"
#include "addin/common/vba_error.h"
#include "addin/job/vb_code.h"

namespace qm {

clsConverter::clsConverter() : statement_(std::make_unique<clsVBWord>()) {}

clsConverter::~clsConverter() = default;

clsVBCode& clsConverter::Job() const {
  if (!CurrentJob) throw VbaError(91, "オブジェクト変数が設定されていません。");
  return *CurrentJob;
}

}  // namespace qm
