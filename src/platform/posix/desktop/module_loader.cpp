#include "platform/posix/desktop/module_loader.h"

#include <dlfcn.h>

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
  if (!module) return -1;
  auto show = reinterpret_cast<decltype(&ZorvaneShowGtkBox)>(dlsym(module, GtkBoxSymbol));
  if (!show) return -1;
  const GtkBoxRequest request{text, title, &layout};
  return show(&request);
}

}  // namespace zorvane::posix
