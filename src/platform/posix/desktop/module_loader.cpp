#include "platform/posix/desktop/module_loader.h"

#include <dlfcn.h>

#include <vector>

#include "platform/posix/desktop/gtk/gtk_box.h"
#include "platform/posix/executable_directory.h"

namespace zorvane::posix {
namespace {

// Installed beside the other libraries, or beside the binary in a build tree.
void* OpenModule() {
  const std::string directory = ExecutableDirectory();
  if (directory.empty()) return nullptr;
  for (const char* relative : {"/../lib/zorvane/", "/"}) {
    const std::string path = directory + relative + GtkModuleName;
    if (void* module = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL)) return module;
  }
  return nullptr;
}

}  // namespace

int RunGtkModule(const std::string& text, const std::string& title, const BoxLayout& layout) {
  void* module = OpenModule();
  if (!module) return ZorvaneBoxDeclined;
  auto show = reinterpret_cast<decltype(&ZorvaneShowGtkBox)>(dlsym(module, GtkBoxSymbol));
  if (!show) return ZorvaneBoxDeclined;
  std::vector<const char*> labels;
  std::vector<int> codes;
  for (const BoxButton& button : layout.buttons) {
    labels.push_back(button.label.c_str());
    codes.push_back(button.code);
  }
  const ZorvaneBoxRequest request{text.c_str(),
                                  title.c_str(),
                                  labels.data(),
                                  codes.data(),
                                  static_cast<int>(labels.size()),
                                  static_cast<int>(layout.icon),
                                  static_cast<int>(layout.defaultButton),
                                  layout.escapeCode,
                                  layout.systemModal ? 1 : 0,
                                  layout.severity.c_str()};
  return show(&request);
}

}  // namespace zorvane::posix
