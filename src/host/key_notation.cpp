#include "host/key_notation.h"

#include <algorithm>
#include <array>
#include <optional>

#include "model/characters.h"

namespace quillby {
namespace {

constexpr TextView kSpecial = u"+^%~(){}[]";

std::optional<Modifier> modifierOf(char16_t c) {
  switch (c) {
    case u'+':
      return Modifier::Shift;
    case u'^':
      return Modifier::Control;
    case u'%':
      return Modifier::Alt;
    default:
      return std::nullopt;
  }
}

bool sameName(TextView a, TextView b) {
  const auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
  return std::ranges::equal(a, b, {}, upper, upper);
}

std::optional<NamedKey> namedKey(TextView name) {
  struct Entry {
    TextView name;
    NamedKey key;
  };
  static constexpr std::array<Entry, 4> kNames{{
      {u"DOWN", NamedKey::Down},
      {u"TAB", NamedKey::Tab},
      {u"ENTER", NamedKey::Enter},
      {u"F4", NamedKey::F4},
  }};
  for (const Entry& e : kNames) {
    if (sameName(name, e.name)) return e.key;
  }
  return std::nullopt;
}

class Parser {
 public:
  explicit Parser(TextView keys) : s_(keys) {}

  Result<KeySequence, KeyNotationError> run() {
    while (pos_ < s_.size()) {
      if (auto problem = step()) return KeyNotationError{*problem, pos_};
    }
    if (!pending_.empty() || pendingHeld_) {
      return KeyNotationError{KeyNotationError::Problem::TrailingModifier, s_.size()};
    }
    if (!groups_.empty()) {
      return KeyNotationError{KeyNotationError::Problem::UnbalancedGroup, groups_.back().opened};
    }
    return std::move(out_);
  }

 private:
  using Problem = KeyNotationError::Problem;

  struct Group {
    std::vector<Modifier> pressed;  // released again at ")"
    std::size_t opened;
  };

  // Reads one character or one "{...}"; returns what is wrong, if anything.
  std::optional<Problem> step() {
    const char16_t c = s_[pos_];
    if (auto m = modifierOf(c)) {
      if (held(*m)) {
        pendingHeld_ = true;
      } else if (std::ranges::find(pending_, *m) == pending_.end()) {
        pending_.push_back(*m);
      }
      ++pos_;
      return std::nullopt;
    }
    if (c == u'(') {
      groups_.push_back({pressModifiers(), pos_});
      for (Modifier m : groups_.back().pressed) ++heldBy_[static_cast<std::size_t>(m)];
      ++pos_;
      return std::nullopt;
    }
    if (c == u')') {
      if (!pending_.empty() || pendingHeld_) return Problem::TrailingModifier;
      if (groups_.empty()) return Problem::UnbalancedGroup;
      for (Modifier m : groups_.back().pressed) --heldBy_[static_cast<std::size_t>(m)];
      release(groups_.back().pressed);
      groups_.pop_back();
      ++pos_;
      return std::nullopt;
    }
    if (c == u'}') return Problem::UnbalancedBrace;

    KeyEvent key;
    std::size_t length = 1;
    if (c == u'{') {
      auto braced = bracedKey(length);
      if (!braced.ok()) return braced.error();
      key = braced.value();
    } else if (c == u'~') {
      key = KeyEvent::press(NamedKey::Enter);
    } else {
      auto [character, units] = characterAt(s_, pos_);
      key = KeyEvent::type(character);
      length = units;
    }
    const auto pressed = pressModifiers();
    out_.push_back(key);
    release(pressed);
    pos_ += length;
    return std::nullopt;
  }

  // The key of the "{...}" at pos_; `length` receives the characters it spans.
  Result<KeyEvent, Problem> bracedKey(std::size_t& length) const {
    const std::size_t open = pos_;
    if (open + 2 < s_.size() && s_[open + 1] == u'}' && s_[open + 2] == u'}') {
      length = 3;
      return KeyEvent::type(u'}');
    }
    const std::size_t close = s_.find(u'}', open + 1);
    if (close == TextView::npos || close == open + 1) return Problem::UnbalancedBrace;
    const TextView name = s_.substr(open + 1, close - open - 1);
    length = close - open + 1;
    const auto [character, units] = characterAt(name, 0);
    if (units == name.size()) return KeyEvent::type(character);
    if (auto k = namedKey(name)) return KeyEvent::press(*k);
    return Problem::UnknownKey;
  }

  bool held(Modifier m) const { return heldBy_[static_cast<std::size_t>(m)] > 0; }

  std::vector<Modifier> pressModifiers() {
    std::vector<Modifier> pressed;
    pressed.swap(pending_);
    pendingHeld_ = false;
    for (Modifier m : pressed) out_.push_back(KeyEvent::down(m));
    return pressed;
  }

  void release(const std::vector<Modifier>& pressed) {
    for (auto m = pressed.rbegin(); m != pressed.rend(); ++m) out_.push_back(KeyEvent::up(*m));
  }

  TextView s_;
  std::size_t pos_ = 0;
  KeySequence out_;
  std::vector<Modifier> pending_;  // written in front of the next key or group
  bool pendingHeld_ = false;       // a modifier in front that an outer group already holds
  std::vector<Group> groups_;      // open groups, innermost last
  std::array<int, 3> heldBy_{};    // per modifier: open groups holding it
};

}  // namespace

Result<KeySequence, KeyNotationError> parseKeys(TextView keys) { return Parser(keys).run(); }

Text escapeKeys(TextView literal) {
  Text out;
  out.reserve(literal.size());
  for (char16_t c : literal) {
    if (kSpecial.find(c) != TextView::npos) {
      out += u'{';
      out += c;
      out += u'}';
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace quillby
