// The browser automation object: a browser window that can be navigated to an
// address, be written HTML into its document, refreshed and made visible. On
// Linux it stands on the system's browser launcher ($BROWSER, else xdg-open on
// the PATH): text written into the document is kept in a page file in the work
// folder, and the launcher opens that page (or the address navigated to) when
// the window is made visible.
#pragma once

#include <memory>
#include <string>

namespace qm::platform {

// The program identifier and the class identifier under which the Linux
// launcher-backed browser object is entered in the registry.
inline constexpr const char* kBrowserProgId = "InternetExplorer.Application";
inline constexpr const char* kBrowserClsid = "{6E5C2A1D-3B7F-4C0E-9A21-5D8B0F4E7C13}";

class BrowserWindow {
 public:
  virtual ~BrowserWindow() = default;
  // Every member ignores its own failures, as an automation call made with
  // errors ignored does.
  virtual void Visible(bool visible) = 0;
  virtual void Navigate(const std::string& address) = 0;
  // Writes HTML (UTF-8) into the document.
  virtual void DocumentWrite(const std::string& html) = 0;
  virtual void Refresh() = 0;
};

class BrowserService {
 public:
  virtual ~BrowserService() = default;
  // Creates a new, invisible browser window; nullptr when that fails.
  virtual std::unique_ptr<BrowserWindow> Create() = 0;
  // The path of the program that serves the browser object; empty when the
  // system has none.
  virtual std::string ServerPath() = 0;
};

// The installed browser service; the real Linux one when none is installed.
BrowserService& CurrentBrowser();
void SetBrowser(BrowserService* service);

class ScopedBrowser {
 public:
  explicit ScopedBrowser(BrowserService& service) { SetBrowser(&service); }
  ~ScopedBrowser() { SetBrowser(nullptr); }
  ScopedBrowser(const ScopedBrowser&) = delete;
  ScopedBrowser& operator=(const ScopedBrowser&) = delete;
};

}  // namespace qm::platform
