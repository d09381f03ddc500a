// The host application and document names. The host's kind comes from the
// caption of the built-in control 106, which names the host ("Microsoft
// Excel"); when the editor's bars do not hold that control, a copy of it is
// made on a temporary bar. The document name is looked for in the document
// components' properties, then the project's file, then the main window title.
#include "addin/host/host_application.h"

#include <algorithm>

#include "addin/common/globals.h"
#include "addin/host/command_bars.h"
#include "addin/host/host_support.h"

namespace qm {
namespace {

struct HostName {
  const char* name;  // upper case, without "MICROSOFT " and "OFFICE "
  int kind;
};

// The host names the add-in tells apart; any other caption is kHostOther.
constexpr HostName kHostNames[] = {
    {"EXCEL", kHostExcel},         {"WORD", kHostWord},     {"POWERPOINT", kHostPowerPoint},
    {"ACCESS", kHostAccess},       {"OUTLOOK", kHostOutlook}, {"PUBLISHER", kHostPublisher},
    {"FRONTPAGE", kHostFrontPage}, {"VISIO", kHostVisio},
};

// Where the document's name starts in the main window title (the 26th character).
constexpr size_t kTitleDocumentStart = 25;

// Reads the caption of a copy of control 106 on a temporary bar, deleting the
// bar again; false when the copy cannot be made or read.
bool CaptionFromTemporaryBar(CommandBars& bars, std::string& caption) {
  CommandBarPtr bar;
  bool read = false;
  try {
    bar = bars.Add("", kBarFloating, false, true);
    caption = Require(bar->Controls()->Add(kControlButton, kHostApplicationControlId)).Caption();
    read = true;
  } catch (const VbaError&) {
  }
  try {
    if (bar) bar->Delete();
  } catch (const VbaError&) {
  }
  return read;
}

// The caption of control 106; false when it cannot be read at all.
bool HostControlCaption(std::string& caption) {
  try {
    CommandBars& bars = Require(Require(VBEInstance).CommandBars());
    try {
      caption = Require(bars.FindControl(std::nullopt, kHostApplicationControlId)).Caption();
      return true;
    } catch (const VbaError&) {
      return CaptionFromTemporaryBar(bars, caption);
    }
  } catch (const VbaError&) {
    return false;
  }
}

void RemoveAll(std::string& text, std::string_view part) {
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at)) text.erase(at, part.size());
}

// The text after its first `count` characters (code points of UTF-8 text).
std::string AfterCharacters(const std::string& text, size_t count) {
  size_t at = 0;
  while (at < text.size() && count > 0) {
    ++at;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    --count;
  }
  return text.substr(at);
}

// The first document component that answers "FullName" gives its "Name".
std::string NameFromDocumentComponents(const VBProject& project) {
  for (const VBComponentPtr& component : project.VBComponents()) {
    if (component->Type() != kDocument) continue;
    try {
      component->Property("FullName");
    } catch (const VbaError&) {
      continue;
    }
    try {
      return component->Property("Name");
    } catch (const VbaError&) {
      return {};
    }
  }
  return {};
}

// The document named in the main window title ("<editor> - <document> - [<window>]").
std::string NameFromMainWindow() {
  std::string rest = AfterCharacters(Require(Require(VBEInstance).MainWindow()).Caption(), kTitleDocumentStart);
  if (rest.empty()) return {};
  const size_t cut = rest.find(" - [");
  if (cut != std::string::npos) rest.erase(cut);
  return AfterLastSeparator(rest);
}

}  // namespace

int HostApplicationKind() {
  std::string caption;
  if (!HostControlCaption(caption)) return kHostOther;
  std::transform(caption.begin(), caption.end(), caption.begin(),
                 [](unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
  RemoveAll(caption, "MICROSOFT ");
  RemoveAll(caption, "OFFICE ");
  for (const HostName& host : kHostNames) {
    if (caption == host.name) return host.kind;
  }
  return kHostOther;
}

bool HostDocumentName(const VBProjectPtr& project, std::string& name) {
  const VBProject& owner = Require(project);
  name = NameFromDocumentComponents(owner);
  if (name.empty()) {
    try {
      name = AfterLastSeparator(owner.FileName());
    } catch (const VbaError&) {
    }
  }
  if (name.empty() && VBEInstance && project == VBEInstance->ActiveVBProject()) name = NameFromMainWindow();
  if (!name.empty()) return true;
  name = owner.Name();
  return false;
}

}  // namespace qm
