#pragma once

// The forms a box's copy is offered in, the same while the box is open
// (GTK) and after it (the keeper), each with the same text and the line
// ends Linux programs expect (LF): clipboard managers keep one copy, not
// one per form.
namespace zorvane::posix {

// STRING is Latin-1, as X has it; the others UTF-8. TARGETS and TIMESTAMP
// are answered beside them.
inline constexpr const char* CopyTargets[] = {"UTF8_STRING", "text/plain;charset=utf-8",
                                              "text/plain", "TEXT", "STRING"};
inline constexpr const char* Latin1Target = "STRING";

}  // namespace zorvane::posix
