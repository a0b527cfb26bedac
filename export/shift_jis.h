#pragma once

#include <string>
#include <string_view>

// The drawing's text (Shift-JIS as Windows writes it, code page 932) as
// UTF-8, for files that require UTF-8. A byte or pair that is no character
// becomes U+FFFD.
std::string ShiftJisToUtf8(std::string_view bytes);
