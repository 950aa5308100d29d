#include "host/host_fakes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quillby {

std::string utf8(TextView text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

namespace {

Text codePointText(char32_t c) {
  if (c <= 0xFFFF) return Text(1, static_cast<char16_t>(c));
  return {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
          static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
}

}  // namespace

std::string describe(std::span<const KeyEvent> keys) {
  static const char* const kModifiers[] = {"shift", "ctrl", "alt"};
  static const char* const kNamed[] = {"{DOWN}", "{TAB}", "{ENTER}", "{F4}"};
  std::string out;
  for (const KeyEvent& key : keys) {
    if (!out.empty()) out += ' ';
    switch (key.kind) {
      case KeyEvent::Kind::ModifierDown:
        out += '+';
        out += kModifiers[static_cast<int>(key.modifier)];
        break;
      case KeyEvent::Kind::ModifierUp:
        out += '-';
        out += kModifiers[static_cast<int>(key.modifier)];
        break;
      case KeyEvent::Kind::Press:
        out += kNamed[static_cast<int>(key.key)];
        break;
      case KeyEvent::Kind::Type:
        out += '\'';
        out += utf8(codePointText(key.character));
        out += '\'';
        break;
    }
  }
  return out;
}

std::string dateText(std::chrono::year_month_day date) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return buffer;
}

std::string sentEntry(TextView notation) { return "send " + describe(parseKeys(notation).value()); }

bool Journal::operation(std::string entry) {
  entries.push_back(std::move(entry));
  if (meanwhile) meanwhile();
  const std::size_t n = fallible++;
  if (throwAt == n) throw InjectedFault{};
  if (failAt != n) return true;
  failed = entries.back();
  return false;
}

std::size_t Journal::count(const std::string& entry) const {
  return static_cast<std::size_t>(std::ranges::count(entries, entry));
}

void FakeClock::sleep(std::chrono::milliseconds duration) {
  slept_ += duration.count() / 1000.0;
  advance(duration.count() / 1000.0);
}

ClockStatus FakeClock::setDate(std::chrono::year_month_day date) {
  if (!journal_.operation(setDateEntry(date))) return failure;
  now_.date = date;
  return std::nullopt;
}

void FakeClock::advance(double seconds) {
  steady_ += seconds;
  moveWallClock(seconds);
}

void FakeClock::jump(double seconds) { moveWallClock(seconds); }

void FakeClock::moveWallClock(double seconds) {
  constexpr double kDay = 86400;
  const double days = std::floor((now_.secondsOfDay + seconds) / kDay);
  now_.secondsOfDay += seconds - days * kDay;
  now_.date = std::chrono::sys_days{now_.date} + std::chrono::days{static_cast<int>(days)};
}

bool FakeHostInput::start(const std::filesystem::path& program, StartOutcome) {
  if (!journal_.operation("start " + program.generic_string())) return false;
  started_ = true;
  return true;
}

bool FakeHostInput::windowExists(TextView title) const {
  if (title != u"Post") return false;
  if (running) return true;
  return started_ && ++checks > windowAfterChecks;
}

Activation FakeHostInput::activate(TextView title, std::chrono::milliseconds patience) {
  if (!journal_.operation("activate " + utf8(title)) || !windowExists(title)) {
    return Activation::NoWindow;
  }
  if (!hung) return Activation::Done;
  waitInVain(patience);
  return Activation::NotAnswering;
}

bool FakeHostInput::send(std::span<const KeyEvent> keys, std::chrono::milliseconds patience) {
  if (hung) {
    journal_.note("send " + describe(keys) + " (not taken)");
    waitInVain(patience);
    return false;
  }
  if (clock_) clock_->advance(secondsPerSend);
  return journal_.operation("send " + describe(keys));
}

void FakeHostInput::waitInVain(std::chrono::milliseconds patience) {
  constexpr std::chrono::milliseconds kLongest = std::chrono::seconds(5);
  if (clock_) clock_->advance(static_cast<double>(std::min(patience, kLongest).count()) / 1000);
}

FileStatus FakeFiles::setCurrentDirectory(const std::filesystem::path& folder) {
  if (!journal_.operation("cd " + folder.generic_string())) return FileError{};
  return std::nullopt;
}

}  // namespace quillby
