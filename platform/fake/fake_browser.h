// A browser for tests: every window it creates records the calls made on it
// into a shared log ("visible 1", "navigate about:blank", "write <html>…",
// "refresh", "released"); creation can be made to fail.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/browser.h"

namespace qm::platform {

class FakeBrowser : public BrowserService {
 public:
  std::unique_ptr<BrowserWindow> Create() override {
    ++created_;
    if (failCreate_) return nullptr;
    return std::make_unique<Window>(log_);
  }
  std::string ServerPath() override { return serverPath_; }

  void FailCreate(bool fail) { failCreate_ = fail; }
  void SetServerPath(std::string path) { serverPath_ = std::move(path); }
  const std::vector<std::string>& Log() const { return *log_; }
  int Created() const { return created_; }

 private:
  class Window : public BrowserWindow {
   public:
    explicit Window(std::shared_ptr<std::vector<std::string>> log) : log_(std::move(log)) {}
    ~Window() override { log_->push_back("released"); }
    void Visible(bool visible) override { log_->push_back(visible ? "visible 1" : "visible 0"); }
    void Navigate(const std::string& address) override { log_->push_back("navigate " + address); }
    void DocumentWrite(const std::string& html) override { log_->push_back("write " + html); }
    void Refresh() override { log_->push_back("refresh"); }

   private:
    std::shared_ptr<std::vector<std::string>> log_;
  };

  std::shared_ptr<std::vector<std::string>> log_ = std::make_shared<std::vector<std::string>>();
  std::string serverPath_;
  bool failCreate_ = false;
  int created_ = 0;
};

}  // namespace qm::platform
