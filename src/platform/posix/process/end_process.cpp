#include <cstdlib>

#include "platform/platform.h"

namespace zorvane::platform {

void EndProcess(int status) {
  std::exit(status);
}

}  // namespace zorvane::platform
