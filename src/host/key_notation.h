#pragma once

#include <cstddef>
#include <vector>

#include "model/result.h"
#include "model/text.h"
#include "platform/host_input.h"

namespace quillby {

using KeySequence = std::vector<KeyEvent>;

struct KeyNotationError {
  enum class Problem {
    UnbalancedGroup,   // "(" never closed, or ")" with no "("
    UnbalancedBrace,   // "{" never closed, "{}" or a stray "}"
    UnknownKey,        // "{NAME}" that is no key name
    TrailingModifier,  // "+", "^" or "%" with no key after it
  };
  Problem problem;
  std::size_t position;  // index of the offending character
};

// Reads the keystroke notation: "+" Shift, "^" Ctrl, "%" Alt in front of a key
// or a "(...)" group; "{DOWN}", "{TAB}", "{F4}", "{ENTER}" and "~" (Enter);
// "{c}" for a character c that would otherwise be notation; every other
// character types itself.
Result<KeySequence, KeyNotationError> parseKeys(TextView keys);

// Notation that types `literal` exactly as it is.
Text escapeKeys(TextView literal);

}  // namespace quillby
