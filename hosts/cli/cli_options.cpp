// Parses quillmark's command line. Options are looked up in two tables, one
// of switches (no value) and one of options that take a value ("--opt VALUE",
// "--opt=VALUE", or "-xVALUE" for the short forms); "--" ends the options.
// A problem is reported once on standard error with a pointer to --help.
#include "hosts/cli/cli_options.h"

#include <bit>
#include <charconv>
#include <cstdio>
#include <functional>
#include <iostream>
#include <string_view>

#include "addin/ui/main_form.h"
#include "hosts/cli/cli_usage.h"
#include "platform/codepage.h"

namespace qm::cli {

namespace {

struct Switch {
  const char* name;
  const char* shortName;  // nullptr when there is none
  std::function<void(CliOptions&)> apply;
};

// Each value option returns the problem with the value, empty when it is fine.
struct ValueOption {
  const char* name;
  const char* shortName;
  std::function<std::string(CliOptions&, const std::string&)> apply;
};

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "L" or "L:C", each a number from 1.
bool ParsePosition(std::string_view text, int& line, int& column) {
  const size_t colon = text.find(':');
  const auto l = Number(text.substr(0, colon));
  const auto c = colon == std::string_view::npos ? std::optional<int>(1) : Number(text.substr(colon + 1));
  if (!l || !c || *l < 1 || *c < 1) return false;
  line = *l;
  column = *c;
  return true;
}

std::string ParseSelection(CliOptions& o, const std::string& value) {
  const size_t dash = value.find('-');
  Selection s;
  if (!ParsePosition(std::string_view(value).substr(0, dash), s.firstLine, s.firstColumn)) {
    return "--select takes L[:C][-L[:C]], lines and columns from 1";
  }
  s.lastLine = s.firstLine;
  s.lastColumn = s.firstColumn;
  if (dash != std::string::npos) {
    const std::string_view end = std::string_view(value).substr(dash + 1);
    if (!ParsePosition(end, s.lastLine, s.lastColumn)) return "--select takes L[:C][-L[:C]], lines and columns from 1";
    s.wholeLastLine = end.find(':') == std::string_view::npos;
  }
  if (s.lastLine < s.firstLine || (s.lastLine == s.firstLine && s.lastColumn < s.firstColumn)) {
    return "--select: the selection ends before it starts";
  }
  o.selection = s;
  return {};
}

std::string ParseTarget(CliOptions& o, const std::string& value) {
  constexpr std::pair<std::string_view, Target> kTargets[] = {
      {"module", Target::Module}, {"procedure", Target::Procedure},
      {"selection", Target::Selection}, {"project", Target::Project}};
  for (const auto& [name, target] : kTargets) {
    if (value == name) {
      o.target = target;
      return {};
    }
  }
  return "--target takes module, procedure, selection or project";
}

std::string ParseStyle(CliOptions& o, const std::string& value) {
  constexpr std::pair<std::string_view, Style> kStyles[] = {
      {"head", Style::Head}, {"inline", Style::Inline}, {"file", Style::File}, {"none", Style::None}};
  for (const auto& [name, style] : kStyles) {
    if (value == name) {
      o.style = style;
      return {};
    }
  }
  return "--style takes head, inline, file or none";
}

std::string ParseCodePage(int& slot, const char* option, const std::string& value) {
  const auto number = Number(value);
  if (!number || *number <= 0 || !platform::CodePageSupported(*number)) {
    return std::string(option) + ": code page " + value + " is not supported";
  }
  slot = *number;
  return {};
}

const std::vector<Switch>& Switches() {
  static const std::vector<Switch> table = {
      {"--copy", nullptr, [](CliOptions& o) { o.delivery = Delivery::Copy; }},
      {"--show", nullptr, [](CliOptions& o) { o.delivery = Delivery::Show; }},
      {"--stdout", nullptr, [](CliOptions& o) { o.delivery = Delivery::Stdout; }},
      {"--pre", nullptr, [](CliOptions& o) { o.preTag = true; }},
      {"--no-pre", nullptr, [](CliOptions& o) { o.preTag = false; }},
      {"--body-only", nullptr, [](CliOptions& o) { o.bodyOnly = true; }},
      {"--no-body-only", nullptr, [](CliOptions& o) { o.bodyOnly = false; }},
      {"--separators", nullptr, [](CliOptions& o) { o.separators = true; }},
      {"--no-separators", nullptr, [](CliOptions& o) { o.separators = false; }},
      {"--ignore-charset", nullptr, [](CliOptions& o) { o.ignoreCharset = true; }},
      {"--module-name", nullptr, [](CliOptions& o) { o.moduleName = true; }},
      {"--javascript", nullptr, [](CliOptions& o) { o.javaScript = true; }},
      {"--standard-colors", nullptr, [](CliOptions& o) { o.standardColors = true; }},
      {"--editor-colors", nullptr, [](CliOptions& o) { o.standardColors = false; }},
      {"--yes", "-y", [](CliOptions& o) { o.yes = true; }},
      {"--quiet", "-q", [](CliOptions& o) { o.quiet = true; }},
      {"--open", nullptr, [](CliOptions& o) { o.open = true; }},
      {"--uncompiled", nullptr, [](CliOptions& o) { o.uncompiled = true; }},
      {"--module-behind", nullptr, [](CliOptions& o) { o.moduleBehind = true; }},
  };
  return table;
}

const std::vector<ValueOption>& ValueOptions() {
  static const std::vector<ValueOption> table = {
      {"--module", "-m", [](CliOptions& o, const std::string& v) { o.module = v; return std::string(); }},
      {"--select", nullptr, ParseSelection},
      {"--target", "-t", ParseTarget},
      {"--output", "-o", [](CliOptions& o, const std::string& v) { o.output = v; return std::string(); }},
      {"--style", nullptr, ParseStyle},
      {"--font-size", nullptr,
       [](CliOptions& o, const std::string& v) {
         const auto n = Number(v);
         if (!n || *n < 0) return std::string("--font-size takes a whole number of points");
         o.fontSize = v;
         return std::string();
       }},
      {"--settings", nullptr, [](CliOptions& o, const std::string& v) { o.settingsFile = v; return std::string(); }},
      {"--codepage", nullptr,
       [](CliOptions& o, const std::string& v) { return ParseCodePage(o.codePage, "--codepage", v); }},
      {"--source-codepage", nullptr,
       [](CliOptions& o, const std::string& v) { return ParseCodePage(o.sourceCodePage, "--source-codepage", v); }},
  };
  return table;
}

int UsageError(const std::string& problem) {
  Complain(problem);
  std::cerr << "Try 'quillmark --help' for more information.\n";
  return kExitUsage;
}

// Applies one argument (and the value after it when it takes one); an
// empty text when it was fine, else the problem. deliveries collects one bit
// per operation option given.
std::string ApplyArgument(int argc, char** argv, int& i, CliOptions& options, int& deliveries) {
  const std::string arg = argv[i];
  for (const Switch& s : Switches()) {
    if (arg != s.name && (!s.shortName || arg != s.shortName)) continue;
    s.apply(options);
    if (arg == "--copy" || arg == "--show" || arg == "--stdout") deliveries |= 1 << static_cast<int>(options.delivery);
    return {};
  }
  for (const ValueOption& v : ValueOptions()) {
    const std::string name = v.name;
    std::optional<std::string> value;
    if (arg == name || (v.shortName && arg == v.shortName)) {
      if (i + 1 >= argc) return "option " + arg + " needs a value";
      value = argv[++i];
    } else if (arg.rfind(name + "=", 0) == 0) {
      value = arg.substr(name.size() + 1);
    } else if (v.shortName && arg.size() > 2 && arg.rfind(v.shortName, 0) == 0) {
      value = arg.substr(2);
    }
    if (value) return v.apply(options, *value);
  }
  return "unknown option " + arg;
}

// The combinations that no dialog state changes; deliveries as above.
std::string CheckCombinations(const CliOptions& o, int deliveries) {
  if (std::popcount(static_cast<unsigned>(deliveries)) > 1) return "choose one of --copy, --show and --stdout";
  if (o.sources.empty()) return "no SOURCE given";
  if (o.delivery != Delivery::Save && !o.output.empty()) {
    return "-o is for saving; " + std::string(DeliveryOption(o.delivery)) + " writes no file";
  }
  if (o.delivery != Delivery::Save && o.open) {
    return "--open is for saving; " + std::string(DeliveryOption(o.delivery)) + " writes no file";
  }
  return {};
}

}  // namespace

const char* DeliveryOption(Delivery delivery) {
  switch (delivery) {
    case Delivery::Copy: return "--copy";
    case Delivery::Show: return "--show";
    case Delivery::Stdout: return "--stdout";
    case Delivery::Save: break;
  }
  return "saving";
}

void Complain(const std::string& text) { std::cerr << "quillmark: " << text << "\n"; }

ParseResult ParseCommandLine(int argc, char** argv) {
  CliOptions options;
  int deliveries = 0;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      std::cout << kUsage;
      return ParseExit{kExitDone};
    }
    if (!optionsEnded && arg == "--version") {
      std::cout << "quillmark " << kProductVersion << "\n";
      return ParseExit{kExitDone};
    }
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      options.sources.push_back(arg);
    } else if (const std::string problem = ApplyArgument(argc, argv, i, options, deliveries); !problem.empty()) {
      return ParseExit{UsageError(problem)};
    }
  }
  if (const std::string problem = CheckCombinations(options, deliveries); !problem.empty()) {
    return ParseExit{UsageError(problem)};
  }
  return options;
}

}  // namespace qm::cli
