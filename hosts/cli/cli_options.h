// The command line of quillmark: what the user asks for, as parsed from the
// arguments, and the exit statuses the program ends with. Parsing only checks
// the form of each option and the few combinations no dialog state can
// change (one operation at a time, -o and --open only when saving); every
// other rule is the options dialog's own and is applied when the dialog is
// answered (hosts/cli/dialog_answers.h).
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace qm::cli {

// Exit statuses.
inline constexpr int kExitDone = 0;
inline constexpr int kExitMessage = 1;  // ended by a message: failed check, No/Cancel, failure text
inline constexpr int kExitUsage = 2;    // the command line cannot be carried out
inline constexpr int kExitError = 3;    // the general error message (error number and description)

// What happens to the HTML: the dialog's three operations, and copy with
// standard output standing in for the clipboard.
enum class Delivery { Save, Copy, Show, Stdout };

// The targets, numbered as the dialog numbers them.
enum class Target { Module = 0, Procedure = 1, Selection = 2, Project = 3 };

// Style placements, numbered as cboCSSOption's list; None unticks the style sheet.
enum class Style { None = -1, Head = 0, Inline = 1, File = 2 };

// The code pane selection, lines and columns from 1.
struct Selection {
  int firstLine = 1, firstColumn = 1, lastLine = 1, lastColumn = 1;
  // A range whose end names no column ends after the whole last line.
  bool wholeLastLine = false;
};

struct CliOptions {
  std::vector<std::string> sources;
  std::string module;                   // empty: the first in conversion order
  Selection selection;                  // 1:1 unless --select
  std::optional<Target> target;         // none: as the dialog opens
  std::string output;                   // -o as given; empty: the dialog's default
  Delivery delivery = Delivery::Save;
  std::optional<Style> style;
  std::string fontSize;                 // typed into the size box; empty: untouched
  // Check boxes of the dialog; none leaves a box as the dialog opens.
  std::optional<bool> preTag, bodyOnly, separators, ignoreCharset, moduleName, javaScript, standardColors;
  std::string settingsFile;             // a .reg export to import first
  int codePage = 0;                     // the output's ANSI code page; 0: the locale's
  int sourceCodePage = 0;               // exported files that are not UTF-8; 0: automatic
  bool yes = false;
  bool quiet = false;
  bool open = false;
  // Testing aids: the editor as it is less tidy.
  bool uncompiled = false;              // the compile control is enabled
  bool moduleBehind = false;            // another code window is in front
};

// The outcome of parsing: options to run, or a status to exit with after the
// text was printed (help, version, usage error).
struct ParseExit {
  int status = kExitDone;
};
using ParseResult = std::variant<CliOptions, ParseExit>;

ParseResult ParseCommandLine(int argc, char** argv);

// The option's name as the user writes it ("--body-only"), for messages.
const char* DeliveryOption(Delivery delivery);

// Prints "quillmark: " & text to standard error.
void Complain(const std::string& text);

}  // namespace qm::cli
