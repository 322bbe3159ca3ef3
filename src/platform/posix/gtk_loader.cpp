#include "platform/posix/gtk_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/posix/executable_directory.h"
#include "platform/posix/gtk/gtk_box.h"

namespace zorvane::posix {
namespace {

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

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

std::optional<int> ShowGtkBox(const std::string& text, const std::string& title,
                              const BoxLayout& layout) {
  if (!HasDisplay()) return std::nullopt;
  void* module = OpenModule();
  if (!module) return std::nullopt;
  auto show = reinterpret_cast<decltype(&ZorvaneShowGtkBox)>(dlsym(module, GtkBoxSymbol));
  if (!show) return std::nullopt;
  const GtkBoxRequest request{text, title, &layout};
  const int code = show(&request);
  if (code < 0) return std::nullopt;
  return code;
}

}  // namespace zorvane::posix
