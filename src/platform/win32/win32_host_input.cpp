#include "platform/win32/win32_host_input.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_text.h"

namespace quillby {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kAnswerTimeout{2000};  // a window answering later is hung
constexpr milliseconds kKeyTimeout{5000};     // one key taking longer: the receiver is hung
constexpr milliseconds kRoundTripTimeout{5000};
constexpr milliseconds kForegroundTimeout{1000};
constexpr milliseconds kAnswerSlice{100};
constexpr milliseconds kLongestWait = std::chrono::hours(1);
constexpr int kActivateAttempts = 3;

// A moment on the steady tick count, bounded by the caller's patience.
class Deadline {
 public:
  Deadline(milliseconds wait, milliseconds patience)
      : until_(GetTickCount64() +
               static_cast<ULONGLONG>(std::min({wait, patience, kLongestWait}).count())) {}
  Deadline(milliseconds wait, const Deadline& outer) : Deadline(wait, outer.left()) {}

  milliseconds left() const {
    const ULONGLONG now = GetTickCount64();
    return milliseconds(now < until_ ? until_ - now : 0);
  }
  bool passed() const { return left() == milliseconds(0); }

 private:
  ULONGLONG until_;
};

// Waits for `done` until `deadline`, our own windows answering meanwhile.
template <class Done>
bool waitFor(const Deadline& deadline, Done done) {
  while (!done()) {
    if (deadline.passed()) return false;
    waitAnswering(std::min(milliseconds(1), deadline.left()));
  }
  return true;
}

// Whether the window's thread handles a message before the deadline. Asked in
// short slices, so that our windows keep answering meanwhile; the system
// answers at once for a thread it already knows to be hung.
bool answers(HWND window, const Deadline& deadline) {
  for (;;) {
    DWORD_PTR result = 0;
    const auto slice = static_cast<UINT>(std::min(kAnswerSlice, deadline.left()).count());
    if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, slice, &result)) return true;
    if (!IsWindow(window) || deadline.passed()) return false;
    waitAnswering(std::min(kAnswerSlice, deadline.left()));
  }
}

DWORD threadOf(HWND window) { return window ? GetWindowThreadProcessId(window, nullptr) : 0; }

bool ofOtherProcess(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process != GetCurrentProcessId();
}

struct PrefixSearch {
  Text prefix;
  HWND found = nullptr;
};

BOOL CALLBACK matchPrefix(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<PrefixSearch*>(param);
  if (!IsWindowVisible(window) || !ofOtherProcess(window)) return TRUE;
  if (!windowText(window).starts_with(search.prefix)) return TRUE;
  search.found = window;
  return FALSE;
}

// Our own windows never count: keys typed into them would reach nobody.
HWND findWindow(TextView title) {
  const Text wanted(title);
  for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, wide(wanted)); w;
       w = FindWindowExW(nullptr, w, nullptr, wide(wanted))) {
    if (ofOtherProcess(w)) return w;
  }
  PrefixSearch search{wanted};
  EnumWindows(matchPrefix, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Our thread sharing another thread's input state (focus, active window, key
// state) while this lives.
class InputAttachment {
 public:
  InputAttachment() = default;
  explicit InputAttachment(DWORD thread) { attach(thread); }
  ~InputAttachment() { detach(); }
  InputAttachment(const InputAttachment&) = delete;
  InputAttachment& operator=(const InputAttachment&) = delete;

  // False for no thread, for our own thread and when the system refuses.
  bool attach(DWORD thread) {
    if (thread != 0 && thread == thread_) return true;
    detach();
    if (thread == 0 || thread == GetCurrentThreadId()) return false;
    if (AttachThreadInput(GetCurrentThreadId(), thread, TRUE)) thread_ = thread;
    return thread_ != 0;
  }
  void detach() {
    if (thread_) AttachThreadInput(GetCurrentThreadId(), thread_, FALSE);
    thread_ = 0;
  }

 private:
  DWORD thread_ = 0;
};

bool isForeground(HWND window) {
  HWND active = GetForegroundWindow();
  return active && (active == window || GetAncestor(active, GA_ROOTOWNER) == window);
}

// Activation reaches the other program through its message queue, so the
// foreground may change a moment after SetForegroundWindow returns.
bool becomesForeground(HWND window, const Deadline& patience) {
  return waitFor(Deadline(kForegroundTimeout, patience), [window] { return isForeground(window); });
}

WORD modifierKey(Modifier modifier) {
  switch (modifier) {
    case Modifier::Shift:
      return VK_SHIFT;
    case Modifier::Control:
      return VK_CONTROL;
    case Modifier::Alt:
      return VK_MENU;
  }
  return 0;
}

WORD namedKeyCode(NamedKey key) {
  switch (key) {
    case NamedKey::Down:
      return VK_DOWN;
    case NamedKey::Tab:
      return VK_TAB;
    case NamedKey::Enter:
      return VK_RETURN;
    case NamedKey::F4:
      return VK_F4;
  }
  return 0;
}

INPUT virtualKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (vk == VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0);
  return in;
}

INPUT unicodeUnit(wchar_t unit, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wScan = unit;
  in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return in;
}

void press(std::vector<INPUT>& out, WORD vk) {
  out.push_back(virtualKey(vk, false));
  out.push_back(virtualKey(vk, true));
}

// The strokes that type `c` on `layout`: its key, with Shift when the layout
// needs it and it is not held already; or the bare character when the layout
// has no key for it, or only one that needs Ctrl or Alt.
void typeCharacter(std::vector<INPUT>& out, char32_t c, bool shiftHeld, HKL layout) {
  const SHORT scan = c <= 0xFFFF ? VkKeyScanExW(static_cast<wchar_t>(c), layout) : -1;
  const int shiftState = scan == -1 ? -1 : HIBYTE(scan);
  if (shiftState == 0 || shiftState == 1) {
    const bool addShift = shiftState == 1 && !shiftHeld;
    if (addShift) out.push_back(virtualKey(VK_SHIFT, false));
    press(out, LOBYTE(scan));
    if (addShift) out.push_back(virtualKey(VK_SHIFT, true));
    return;
  }
  std::wstring units;
  if (c > 0xFFFF) {
    units += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
    units += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  } else {
    units += static_cast<wchar_t>(c);
  }
  for (wchar_t unit : units) {
    out.push_back(unicodeUnit(unit, false));
    out.push_back(unicodeUnit(unit, true));
  }
}

void pumpOwnKeys() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The thread the keys go to, and when it has taken each of them. Keys go to
// the foreground window's thread; we share its input state, whose key state
// changes only as that thread takes each key from its queue. Keys for our own
// windows we take ourselves.
class KeyReceiver {
 public:
  explicit KeyReceiver(milliseconds patience) : patience_(patience, patience) {}

  HKL layout() {
    follow();
    return layout_;
  }

  // A receiver that does not answer gets no key: it would take it whenever
  // it woke up, in whatever it had in front then.
  bool deliver(const INPUT& stroke) {
    follow();
    if (window_ && !own_ && !answered_) {
      if (!answers(window_, Deadline(kAnswerTimeout, patience_))) return false;
      answered_ = true;
    }
    INPUT copy = stroke;
    if (SendInput(1, &copy, sizeof(INPUT)) != 1) return false;
    return waitFor(Deadline(kKeyTimeout, patience_), [this, &stroke] {
      follow();
      return taken(stroke);
    });
  }

  // The key state changes as a key is taken, before it is handled; once the
  // window has answered two empty messages it has handled the last key and
  // whatever that key posted to it.
  bool finish() {
    if (own_) {
      pumpOwnKeys();
      return true;
    }
    for (int i = 0; window_ && i < 2; ++i) {
      if (!answers(window_, Deadline(kRoundTripTimeout, patience_))) {
        return !IsWindow(window_);  // closed by the keys themselves
      }
    }
    return true;
  }

 private:
  void follow() {
    HWND foreground = GetForegroundWindow();
    if (followed_ && foreground == window_) return;
    followed_ = true;
    answered_ = false;
    window_ = foreground;
    const DWORD thread = threadOf(foreground);
    own_ = thread == GetCurrentThreadId();
    attached_ = attachment_.attach(thread);
    layout_ = GetKeyboardLayout(thread);
  }

  bool taken(const INPUT& stroke) {
    const bool unicode = stroke.ki.dwFlags & KEYEVENTF_UNICODE;
    const int vk = unicode ? VK_PACKET : stroke.ki.wVk;
    const bool down = !(stroke.ki.dwFlags & KEYEVENTF_KEYUP);
    if (own_) pumpOwnKeys();
    const SHORT state = attached_ || own_ ? GetKeyState(vk) : GetAsyncKeyState(vk);
    return ((state & 0x8000) != 0) == down;
  }

  Deadline patience_;
  InputAttachment attachment_;
  HWND window_ = nullptr;
  bool answered_ = false;
  HKL layout_ = nullptr;
  bool followed_ = false;
  bool own_ = false;
  bool attached_ = false;
};

}  // namespace

bool Win32HostInput::start(const std::filesystem::path& program) {
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  const std::wstring folder = program.parent_path().wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool Win32HostInput::windowExists(TextView title) const { return findWindow(title) != nullptr; }

// Moving or activating another thread's window waits for that thread; only
// the asynchronous forms are used, and only once it has answered.
Activation Win32HostInput::activate(TextView title, milliseconds patience) {
  const Deadline deadline(patience, patience);
  HWND window = findWindow(title);
  if (!window) return Activation::NoWindow;
  for (int attempt = 0; attempt < kActivateAttempts; ++attempt) {
    if (!answers(window, Deadline(kAnswerTimeout, deadline))) {
      return IsWindow(window) ? Activation::NotAnswering : Activation::NoWindow;
    }
    if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
    {
      // Windows lets only the foreground's input change the foreground. Never
      // share the host's own: activating a window whose input we share waits
      // on its thread, and the host may stop answering at any moment. Taking
      // the foreground, it gives itself the focus.
      const DWORD foregroundThread = threadOf(GetForegroundWindow());
      InputAttachment toForeground(foregroundThread != threadOf(window) ? foregroundThread : 0);
      SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
      SetForegroundWindow(window);
    }
    if (becomesForeground(window, deadline)) return Activation::Done;
    if (deadline.passed()) return Activation::NotAnswering;
  }
  return Activation::NoWindow;
}

bool Win32HostInput::send(std::span<const KeyEvent> keys, milliseconds patience) {
  KeyReceiver receiver(patience);
  std::vector<WORD> down;  // keys pressed and not let go yet
  const auto isDown = [&down](WORD vk) { return std::ranges::find(down, vk) != down.end(); };

  for (const KeyEvent& key : keys) {
    std::vector<INPUT> strokes;
    switch (key.kind) {
      case KeyEvent::Kind::ModifierDown:
        strokes.push_back(virtualKey(modifierKey(key.modifier), false));
        break;
      case KeyEvent::Kind::ModifierUp:
        strokes.push_back(virtualKey(modifierKey(key.modifier), true));
        break;
      case KeyEvent::Kind::Press:
        press(strokes, namedKeyCode(key.key));
        break;
      case KeyEvent::Kind::Type:
        typeCharacter(strokes, key.character, isDown(VK_SHIFT), receiver.layout());
        break;
    }
    for (const INPUT& stroke : strokes) {
      const WORD vk = stroke.ki.wVk;
      if (vk && !(stroke.ki.dwFlags & KEYEVENTF_KEYUP)) down.push_back(vk);
      if (vk && (stroke.ki.dwFlags & KEYEVENTF_KEYUP)) std::erase(down, vk);
      if (!receiver.deliver(stroke)) {
        // Never leave a modifier held down for the user's own typing.
        for (auto held = down.rbegin(); held != down.rend(); ++held) {
          INPUT up = virtualKey(*held, true);
          SendInput(1, &up, sizeof(INPUT));
        }
        return false;
      }
    }
  }
  return receiver.finish();
}

}  // namespace quillby
