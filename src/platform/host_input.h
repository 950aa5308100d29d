#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <span>

#include "model/text.h"

namespace quillby {

enum class Modifier : std::uint8_t { Shift, Control, Alt };

// Keys that have a name in the keystroke notation rather than a character.
enum class NamedKey : std::uint8_t { Down, Tab, Enter, F4 };

// One step of a keystroke sequence. A character is typed by whatever key the
// keyboard layout has for it, or as the bare character when the layout has none.
struct KeyEvent {
  enum class Kind : std::uint8_t { ModifierDown, ModifierUp, Press, Type };

  Kind kind = Kind::Press;
  Modifier modifier = Modifier::Shift;  // ModifierDown, ModifierUp
  NamedKey key = NamedKey::Down;        // Press
  char32_t character = 0;               // Type

  static KeyEvent down(Modifier m) { return {Kind::ModifierDown, m, {}, 0}; }
  static KeyEvent up(Modifier m) { return {Kind::ModifierUp, m, {}, 0}; }
  static KeyEvent press(NamedKey k) { return {Kind::Press, {}, k, 0}; }
  static KeyEvent type(char32_t c) { return {Kind::Type, {}, {}, c}; }

  bool operator==(const KeyEvent&) const = default;
};

// Whether a start's outcome is wanted. Where it is not, the start may go on
// after `start` returns, and only a missing program is told.
enum class StartOutcome : std::uint8_t { Wanted, Unused };

enum class Activation : std::uint8_t {
  Done,          // the window is in front with the keyboard focus
  NoWindow,      // there is no such window, or it would not come to the front
  NotAnswering,  // its program does not handle its messages
};

// Starting another program, finding and activating its window, and typing into
// whichever window has the keyboard focus.
class HostInput {
 public:
  virtual ~HostInput() = default;

  // Starts `program` in a normal, focused window; does not wait for its
  // window. False when the system refused to start it, as far as `outcome`
  // asks to know.
  virtual bool start(const std::filesystem::path& program, StartOutcome outcome) = 0;
  // A top-level window of another program titled exactly `title`, or else a
  // visible one whose title begins with it.
  virtual bool windowExists(TextView title) const = 0;
  // Brings that window to the front with the keyboard focus; Done only once it
  // is the foreground window. Gives up after `patience` at the latest.
  virtual Activation activate(TextView title, std::chrono::milliseconds patience) = 0;
  // Types `keys` into the focused window and returns true once that window's
  // program has handled every one of them; false when one did not go out or
  // was not taken within `patience` all told.
  virtual bool send(std::span<const KeyEvent> keys, std::chrono::milliseconds patience) = 0;
};

}  // namespace quillby
