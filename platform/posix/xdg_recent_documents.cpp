// The recent-documents record on Linux: the XDG recently-used list, an XBEL
// file ($XDG_DATA_HOME/recently-used.xbel, else
// ~/.local/share/recently-used.xbel) that file dialogs add a bookmark to for
// every file picked. An entry's name is the local path of its bookmark's
// address (file:// addresses decoded; other addresses as written).
//
// Removing an entry cuts exactly its <bookmark> element out of the text and
// leaves every other byte as it was; the new text goes to a file beside the
// list, which then replaces it, so a failure never leaves a half-written
// list. A list that cannot be read or does not look like XBEL is never
// changed.
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_dialog.h"
#include "platform/posix/user_dirs.h"
#include "platform/recent_documents.h"

namespace qm::platform {

namespace {

namespace fs = std::filesystem;

// The list's path; empty when the user has no data folder.
fs::path ListPath() {
  const std::string data = posix::XdgDataHome();
  return data.empty() ? fs::path() : fs::path(data) / "recently-used.xbel";
}

// One <bookmark> element of the list: where it lies and whom it names.
struct Bookmark {
  size_t begin;  // the start of its line's indentation
  size_t end;    // just past the element and its line break
  std::string name;
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The text of an attribute value with its character references resolved
// (the five named ones and numeric ones below 128, which is all an address
// holds).
std::string XmlUnescape(const std::string& text) {
  static const std::pair<const char*, char> kNamed[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    bool replaced = false;
    for (const auto& [entity, c] : kNamed) {
      if (text.compare(i, std::char_traits<char>::length(entity), entity) == 0) {
        out += c, i += std::char_traits<char>::length(entity) - 1, replaced = true;
        break;
      }
    }
    const size_t semi = text.find(';', i);
    if (!replaced && text.compare(i, 2, "&#") == 0 && semi != std::string::npos) {
      const bool hex = i + 2 < text.size() && (text[i + 2] == 'x' || text[i + 2] == 'X');
      const long code = std::strtol(text.substr(i + (hex ? 3 : 2), semi - i).c_str(), nullptr, hex ? 16 : 10);
      if (code > 0 && code < 128) out += static_cast<char>(code), i = semi, replaced = true;
    }
    if (!replaced) out += text[i];
  }
  return out;
}

// The local path of a file:// address (host "" or "localhost"); any other
// address comes back as it is.
std::string AddressName(const std::string& href) {
  if (href.rfind("file://", 0) != 0) return href;
  size_t at = 7;
  if (href.compare(at, 9, "localhost") == 0) at += 9;
  if (at >= href.size() || href[at] != '/') return href;
  std::string path;
  for (size_t i = at; i < href.size(); ++i) {
    if (href[i] == '%' && i + 2 < href.size() && HexValue(href[i + 1]) >= 0 && HexValue(href[i + 2]) >= 0) {
      path += static_cast<char>(HexValue(href[i + 1]) * 16 + HexValue(href[i + 2]));
      i += 2;
    } else {
      path += href[i];
    }
  }
  return path;
}

// The value of attribute `name` in a start tag; nullopt when absent.
std::optional<std::string> Attribute(const std::string& tag, const std::string& name) {
  for (size_t at = tag.find(name); at != std::string::npos; at = tag.find(name, at + 1)) {
    const bool wordStart = at > 0 && std::isspace(static_cast<unsigned char>(tag[at - 1]));
    size_t i = at + name.size();
    while (i < tag.size() && std::isspace(static_cast<unsigned char>(tag[i]))) ++i;
    if (!wordStart || i >= tag.size() || tag[i] != '=') continue;
    ++i;
    while (i < tag.size() && std::isspace(static_cast<unsigned char>(tag[i]))) ++i;
    if (i >= tag.size() || (tag[i] != '"' && tag[i] != '\'')) return std::nullopt;
    const size_t close = tag.find(tag[i], i + 1);
    if (close == std::string::npos) return std::nullopt;
    return XmlUnescape(tag.substr(i + 1, close - i - 1));
  }
  return std::nullopt;
}

// The end of the start tag that begins at `open` (just past its ">"),
// skipping quoted attribute values; npos when it never ends.
size_t StartTagEnd(const std::string& text, size_t open) {
  char quote = 0;
  for (size_t i = open; i < text.size(); ++i) {
    if (quote) {
      if (text[i] == quote) quote = 0;
    } else if (text[i] == '"' || text[i] == '\'') {
      quote = text[i];
    } else if (text[i] == '>') {
      return i + 1;
    }
  }
  return std::string::npos;
}

// Every <bookmark> element of the list; nullopt when the text is not XBEL or
// an element does not end.
std::optional<std::vector<Bookmark>> ParseBookmarks(const std::string& text) {
  if (text.find("<xbel") == std::string::npos) return std::nullopt;
  std::vector<Bookmark> marks;
  for (size_t open = text.find("<bookmark"); open != std::string::npos; open = text.find("<bookmark", open + 1)) {
    const char after = open + 9 < text.size() ? text[open + 9] : '\0';
    if (!std::isspace(static_cast<unsigned char>(after)) && after != '>' && after != '/') continue;
    const size_t tagEnd = StartTagEnd(text, open);
    if (tagEnd == std::string::npos) return std::nullopt;
    const std::string tag = text.substr(open, tagEnd - open);
    size_t end = tagEnd;
    if (tag.size() < 2 || tag[tag.size() - 2] != '/') {
      const size_t close = text.find("</bookmark>", tagEnd);
      if (close == std::string::npos) return std::nullopt;
      end = close + 11;
    }
    size_t begin = open;
    while (begin > 0 && (text[begin - 1] == ' ' || text[begin - 1] == '\t')) --begin;
    if (begin > 0 && text[begin - 1] != '\n') begin = open;  // not alone on its line: cut the element only
    else if (end < text.size() && text[end] == '\n') ++end;
    marks.push_back({begin, end, AddressName(Attribute(tag, "href").value_or(""))});
    open = end - 1;
  }
  return marks;
}

std::optional<std::string> ReadList(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return text;
}

// Replaces the list by `text` through a file beside it; false on failure
// (the list then stays as it was).
bool WriteList(const fs::path& path, const std::string& text) {
  fs::path temp = path;
  temp += ".quillmark-new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out.write(text.data(), static_cast<std::streamsize>(text.size())) || !out.flush()) {
      std::error_code ignored;
      fs::remove(temp, ignored);
      return false;
    }
  }
  std::error_code error;
  fs::permissions(temp, fs::status(path, error).permissions(), error);
  fs::rename(temp, path, error);
  if (error) fs::remove(temp, error);
  return !error;
}

class XdgRecentDocuments : public RecentDocuments {
 public:
  std::optional<std::vector<std::string>> Names() override {
    const fs::path path = ListPath();
    std::error_code error;
    if (path.empty() || !fs::exists(path, error)) return std::vector<std::string>{};
    const auto text = ReadList(path);
    const auto marks = text ? ParseBookmarks(*text) : std::nullopt;
    if (!marks) return std::nullopt;
    std::vector<std::string> names;
    for (const Bookmark& mark : *marks) names.push_back(mark.name);
    return names;
  }

  std::vector<std::string> TraceNames(const std::string& path) override {
    const size_t last = path.find_last_of('/');
    if (last == std::string::npos) return {path};
    return {path, last == 0 ? std::string("/") : path.substr(0, last)};
  }

  bool Remove(const std::string& name) override {
    const fs::path path = ListPath();
    const auto text = path.empty() ? std::nullopt : ReadList(path);
    const auto marks = text ? ParseBookmarks(*text) : std::nullopt;
    if (!marks) return false;
    std::string kept;
    size_t from = 0;
    bool removed = false;
    for (const Bookmark& mark : *marks) {
      if (mark.name != name) continue;
      kept.append(*text, from, mark.begin - from);
      from = mark.end;
      removed = true;
    }
    if (!removed) return false;
    kept.append(*text, from, std::string::npos);
    return WriteList(path, kept);
  }

  // A desktop file chooser writes its entry shortly after it closes; a dialog
  // that leaves its traces before it returns needs no wait.
  void Settle() override {
    if (CurrentFileDialog().RecordsPickLater()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
};

XdgRecentDocuments g_default;
RecentDocuments* g_current = nullptr;

}  // namespace

RecentDocuments& CurrentRecentDocuments() { return g_current ? *g_current : g_default; }

void SetRecentDocuments(RecentDocuments* service) { g_current = service; }

}  // namespace qm::platform
