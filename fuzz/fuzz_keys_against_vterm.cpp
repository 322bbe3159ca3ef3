// The terminal box's key reader against libvterm's parser, an independent
// reading of the same DEC/ECMA-48 grammar: no key comes of a byte that
// libvterm reads inside a control sequence or a control string. Both read
// 8-bit controls (the C locale; libvterm with UTF-8 off) and are fed one
// byte at a time, which tells which byte each key came of.
#include <vterm.h>

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/terminal/key_reader.h"

using zorvane::posix::Input;
using zorvane::posix::KeyPress;
using zorvane::posix::KeyReader;
using zorvane::posix::ReadInputs;

namespace {

// What libvterm made of the last byte: part of the text, a control it
// carried out, the end of a sequence or string, or nothing yet.
enum class Seen { Nothing, Text, Control, Ended };

int OnText(const char*, std::size_t length, void* seen) {
  *static_cast<Seen*>(seen) = Seen::Text;
  return static_cast<int>(length);
}
int OnControl(unsigned char, void* seen) {
  *static_cast<Seen*>(seen) = Seen::Control;
  return 1;
}
int OnEscape(const char*, std::size_t length, void* seen) {
  *static_cast<Seen*>(seen) = Seen::Ended;
  return static_cast<int>(length);
}
int OnCsi(const char*, const long*, int, const char*, char, void* seen) {
  *static_cast<Seen*>(seen) = Seen::Ended;
  return 1;
}
int OnString(const char*, std::size_t, void* seen) {
  *static_cast<Seen*>(seen) = Seen::Ended;
  return 1;
}

const VTermParserCallbacks Callbacks = {OnText,   OnControl, OnEscape, OnCsi,
                                        OnString, OnString,  nullptr};

bool StartsStringLibvtermLacks(std::uint8_t byte, bool afterEscape) {
  if (afterEscape) return byte == 'X' || byte == '^' || byte == '_';
  return byte == 0x98 || byte == 0x9e || byte == 0x9f;
}

// The input without what the two readers read apart by design: escape
// sequences' intermediates (from a keyboard, ESC and a space or a comma
// are Alt and that key, and what follows is the next key, where libvterm
// reads on in a sequence no terminal sends as input), and the SOS, PM and
// APC strings, which this libvterm does not know, X10 mouse reports
// (CSI M and three raw bytes) and bracketed pastes (CSI 200 ~, with
// controls inside it or not), whose insides are text to any terminal, and
// separators past a dozen in a row, where libvterm 0.1.4 overruns its
// argument array.
// ESC and Tab, Return or LF is a chord to the box, where libvterm carries
// the control out and waits on: a CAN after it ends libvterm's ESC too.
// So for rxvt's Shift keys (CSI, one number and $), which end at the $.
std::string Comparable(const std::uint8_t* data, std::size_t size) {
  std::string kept;
  bool afterEscape = false;
  bool csiBegun = false;   // CSI and nothing but controls since
  bool csiNumber = false;  // CSI and one number since, with controls
  bool inCsi = false;      // a CSI is open, with these parameter bytes
  std::string parameters;  // (controls inside it left out, as both readers do)
  int separators = 0;      // since the last final byte
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t byte = data[i];
    if (afterEscape && byte >= 0x20 && byte < 0x30) continue;
    if (StartsStringLibvtermLacks(byte, afterEscape)) continue;
    if (csiBegun && byte == 'M') continue;
    // 200 as a number: leading zeros too.
    const std::size_t digits = parameters.find_first_not_of('0');
    if (byte == '~' && inCsi && digits != std::string::npos && parameters.substr(digits) == "200")
      continue;
    if (byte == ';' || byte == ':') {
      if (++separators > 12) continue;
    } else if ((byte >= 0x40 && byte != 0x7f) || byte == 0x1b || byte == 0x18 || byte == 0x1a) {
      separators = 0;
    }
    const bool control =
        (byte < 0x20 || byte == 0x7f) && byte != 0x1b && byte != 0x18 && byte != 0x1a;
    const bool rxvtKey = csiNumber && byte == '$';
    csiNumber = (csiBegun || csiNumber) &&
                ((byte >= '0' && byte <= '9') || byte == ':' || (csiNumber && control));
    const bool csiStarts = byte == 0x9b || (afterEscape && byte == '[');
    if (csiStarts || (inCsi && byte >= 0x30 && byte < 0x40)) {
      parameters = csiStarts ? "" : parameters + static_cast<char>(byte);
    }
    inCsi = csiStarts || (inCsi && byte >= 0x20 && byte < 0x40) || (inCsi && control);
    csiBegun = csiStarts || (csiBegun && (byte < 0x20 || byte == 0x7f) && byte != 0x1b);
    const bool chord = afterEscape && (byte == '\t' || byte == '\r' || byte == '\n');
    // Other C0 but CAN and SUB, DEL and bytes past ASCII leave the ESC
    // waiting in both readers.
    const bool cancel = byte == 0x18 || byte == 0x1a;
    afterEscape =
        byte == 0x1b || (afterEscape && !chord && !cancel && (byte < 0x20 || byte >= 0x7f));
    kept += static_cast<char>(byte);
    if (chord || rxvtKey) kept += '\x18';
  }
  return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool cLocale = std::setlocale(LC_ALL, "C") != nullptr;
  if (!cLocale) std::abort();
  const std::string input = Comparable(data, size);
  VTerm* terminal = vterm_new(24, 80);
  vterm_set_utf8(terminal, 0);
  Seen seen = Seen::Nothing;
  vterm_parser_set_callbacks(terminal, &Callbacks, &seen);
  KeyReader reader;
  for (const char byte : input) {
    const bool atRest = std::holds_alternative<zorvane::posix::Ground>(reader.parser.state);
    seen = Seen::Nothing;
    vterm_input_write(terminal, &byte, 1);
    // CAN and SUB cancel a sequence in both readers; libvterm reports them
    // nowhere, and read at rest they are Ctrl keys (Ctrl-X, Ctrl-Z).
    const bool cancelAtRest = (byte == '\x18' || byte == '\x1a') && atRest;
    std::vector<Input> keys;
    ReadInputs(reader, std::string_view(&byte, 1), keys);
    // ESC begins anew in both readers: a key it brings out is the end of
    // what came before it (ESC ESC ESC, ESC O with no SS3 ending).
    if (!keys.empty() && seen == Seen::Nothing && byte != '\x1b' && !cancelAtRest) std::abort();
  }
  vterm_free(terminal);
  return 0;
}
