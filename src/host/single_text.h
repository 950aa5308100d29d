#pragma once

#include "model/text.h"

namespace quillby {

// A single-precision number as text with a sign position: a blank in front of
// zero or more, "-" in front of a negative; up to seven significant digits, no
// "0" before the point (" .742"), and the exponent form past that range
// (" 1.234568E+07", " 1E-05").
Text singleToText(float value);

}  // namespace quillby
