// Compact text dumps of word lists, for table-driven tests of classification
// and marking. Each entry is written by kind: k{..} keyword, d{..} identifier,
// c{..} comment, s{..} string literal, and plain text bare; entries are joined
// by one space, and a space inside a plain entry shows as "_". Inside
// any entry the continuation mark shows as "~" and the Then mark as "Then".
//
//   Dim x As Long   ->   k{Dim} _ d{x} _ k{As} _ k{Long}
#pragma once

#include <string>
#include <vector>

#include "addin/convert/vb_word.h"

namespace qm::test {

std::string DumpWords(const clsVBWord& words);

// Dumps of several statements joined by " | ", empty ones left out.
std::string JoinStatements(const std::vector<std::string>& dumps);

}  // namespace qm::test
