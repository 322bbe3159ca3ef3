#include "platform/posix/terminal/terminfo.h"

#include <dlfcn.h>

#include <cstdint>

namespace zorvane::posix {
namespace {

struct Terminfo {
  int (*setupterm)(const char*, int, int*);
  char* (*tigetstr)(const char*);
};

// A string capability of the entry; none where it has none, or where
// tigetstr says (char*)-1, "not a string capability".
const char* StringCapability(const Terminfo& terminfo, const char* name) {
  const char* value = terminfo.tigetstr(name);
  return reinterpret_cast<std::intptr_t>(value) == -1 ? nullptr : value;
}

}  // namespace

TerminfoEntry ReadTerminfo(int fd) {
  TerminfoEntry entry;
  // Left loaded: the entry it holds is small, and unloading it saves nothing.
  void* library = dlopen("libtinfo.so.6", RTLD_LAZY | RTLD_LOCAL);
  if (!library) return entry;
  Terminfo terminfo{reinterpret_cast<int (*)(const char*, int, int*)>(dlsym(library, "setupterm")),
                    reinterpret_cast<char* (*)(const char*)>(dlsym(library, "tigetstr"))};
  int error = 0;
  if (!terminfo.setupterm || !terminfo.tigetstr || terminfo.setupterm(nullptr, fd, &error) != 0)
    return entry;
  entry.known = true;
  const char* smcup = StringCapability(terminfo, "smcup");
  entry.hasSmcup = smcup && *smcup;
  for (const std::string& name : KeyCapabilities()) {
    const char* sent = StringCapability(terminfo, name.c_str());
    if (sent && *sent) entry.keys.emplace_back(name, sent);
  }
  return entry;
}

}  // namespace zorvane::posix
