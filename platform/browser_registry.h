// The browser's class registration, answered from the system: a registry
// layer that shows, in HKEY_CLASSES_ROOT, the two keys by which a program
// finds the browser object's server,
//   InternetExplorer.Application\CLSID           (default) = the class id
//   CLSID\<class id>\LocalServer32               (default) = "<server path>"
// whenever the installed browser service has a server (on Linux the browser
// launcher), and passes every other read and every write to the registry
// beneath. A host installs it over its registry:
//   BrowserRegistryLayer layer(CurrentRegistry());
//   ScopedCurrentRegistry use(layer);
#pragma once

#include "platform/registry.h"

namespace qm::platform {

class BrowserRegistryLayer : public Registry {
 public:
  explicit BrowserRegistryLayer(Registry& base) : base_(base) {}

  bool KeyExists(Hive hive, std::string_view path) const override;
  std::optional<RegValue> ReadValue(Hive hive, std::string_view path, std::string_view name) const override;
  std::vector<std::string> SubKeys(Hive hive, std::string_view path) const override {
    return base_.SubKeys(hive, path);
  }
  std::vector<std::string> ValueNames(Hive hive, std::string_view path) const override {
    return base_.ValueNames(hive, path);
  }
  bool SetValue(Hive hive, std::string_view path, std::string_view name, const RegValue& value) override {
    return base_.SetValue(hive, path, name, value);
  }
  bool CreateKey(Hive hive, std::string_view path) override { return base_.CreateKey(hive, path); }
  bool DeleteValue(Hive hive, std::string_view path, std::string_view name) override {
    return base_.DeleteValue(hive, path, name);
  }
  bool DeleteKey(Hive hive, std::string_view path) override { return base_.DeleteKey(hive, path); }
  std::string LastError() const override { return base_.LastError(); }

 private:
  // The default value the layer gives the key, or nullopt when it adds none.
  std::optional<RegValue> LayerValue(Hive hive, std::string_view path) const;
  // True when the layer makes the key (or one of its parents) exist.
  bool LayerKey(Hive hive, std::string_view path) const;

  Registry& base_;  // the registry beneath
};

}  // namespace qm::platform
