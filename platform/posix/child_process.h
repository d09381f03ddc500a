// Starting other programs: a bounded run that feeds standard input and
// collects standard output, a detached start that does not wait, and the
// PATH look-up both use.
#pragma once

#include <string>
#include <vector>

namespace qm::platform::posix {

struct ChildResult {
  bool started = false;   // the program could be started
  bool finished = false;  // it ended within the time allowed
  int exitCode = -1;      // its exit status when it ended normally
  std::string output;     // what it wrote to standard output
};

// Runs argv[0] (looked up on the PATH) with `input` on its standard input,
// waits at most `timeoutMs` and kills it (and its process group) when it
// takes longer. Standard error is discarded.
ChildResult RunChild(const std::vector<std::string>& argv, const std::string& input, int timeoutMs);

// Starts argv[0] in a session of its own and returns without waiting; true
// when the program could be started.
bool StartDetached(const std::vector<std::string>& argv);

// The full path of a program found on the PATH (or the name itself when it
// holds a "/" and is executable); empty when there is none.
std::string FindOnPath(const std::string& program);

}  // namespace qm::platform::posix
