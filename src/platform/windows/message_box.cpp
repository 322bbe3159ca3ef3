#include <windows.h>

#include "platform/platform.h"

namespace zorvane::platform {

// The style word already is the native flag set, and the native result
// already is the button code: nothing to translate on this platform.
int ShowMessageBox(const BoundedText& text, const BoundedText& title, std::int32_t style) {
  return MessageBoxA(nullptr, text.bytes.data(), title.bytes.data(), static_cast<UINT>(style));
}

}  // namespace zorvane::platform
