#include "platform/win32/win32_host_input.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <span>
#include <string>
#include <thread>
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
constexpr milliseconds kPollSlice{1};
constexpr milliseconds kBriskPolling{3};
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

// Waits for `done` until `deadline`, our own windows answering meanwhile: at
// first only letting other threads run, as a key or an activation is
// usually taken within a fraction of a millisecond, then in 1 ms waits.
template <class Done>
bool waitFor(const Deadline& deadline, Done done) {
  const Deadline briskly(kBriskPolling, deadline);
  while (!done()) {
    if (deadline.passed()) return false;
    if (briskly.passed()) {
      waitAnswering(kPollSlice);
    } else {
      yieldAnswering();
    }
  }
  return true;
}

// Whether the window's thread handles a message before the deadline. Asked in
// short slices, so that our windows keep answering meanwhile; the system
// answers at once for a thread it already knows to be hung. A slice is never
// shorter than 1 ms: a timeout of 0 is no limit at all under Wine.
bool answers(HWND window, const Deadline& deadline) {
  for (;;) {
    if (deadline.passed()) return false;
    const auto slice = std::clamp(deadline.left(), kPollSlice, kAnswerSlice);
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                            static_cast<UINT>(slice.count()), &result)) {
      return true;
    }
    if (!IsWindow(window) || deadline.passed()) return false;
    waitAnswering(std::clamp(deadline.left(), kPollSlice, kAnswerSlice));
  }
}

DWORD threadOf(HWND window) { return window ? GetWindowThreadProcessId(window, nullptr) : 0; }

bool ofOtherProcess(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process != GetCurrentProcessId();
}

// The start of another program's window title. GetWindowTextW reads it
// without asking that program, which may not answer.
Text titleStart(HWND window, std::size_t length) {
  Text title(length + 1, u'\0');
  const int copied = GetWindowTextW(window, reinterpret_cast<wchar_t*>(title.data()),
                                    static_cast<int>(title.size()));
  title.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return title;
}

struct PrefixSearch {
  Text prefix;
  HWND found = nullptr;
};

BOOL CALLBACK matchPrefix(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<PrefixSearch*>(param);
  if (!IsWindowVisible(window) || !ofOtherProcess(window)) return TRUE;
  if (!titleStart(window, search.prefix.size()).starts_with(search.prefix)) return TRUE;
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

bool isDown(SHORT keyState) { return (keyState & 0x8000) != 0; }

// The virtual key of a stroke and whether it presses or lets go.
WPARAM strokeKey(const INPUT& stroke) {
  return stroke.ki.dwFlags & KEYEVENTF_UNICODE ? VK_PACKET : stroke.ki.wVk;
}
bool pressing(const INPUT& stroke) { return !(stroke.ki.dwFlags & KEYEVENTF_KEYUP); }

// Handles the key messages waiting for our own windows; true when `stroke`
// was among them. Our own key state is no witness: under Wine it waits for
// our mouse messages before it, which are left for after the action.
bool pumpOwnKeys(const INPUT* stroke = nullptr) {
  bool seen = false;
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    const bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    const bool up = message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
    if (stroke && (down || up) && message.wParam == strokeKey(*stroke) &&
        down == pressing(*stroke)) {
      seen = true;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return seen;
}

// Watches another thread's key state, which changes only as that thread takes
// each key from its queue. Reading it means sharing that thread's input, and
// threads that share input are handed it strictly in order: our own mouse
// messages, left unread while we wait, would hold back every key after them.
// So a thread of ours without windows shares it, and our windows' input stays
// our own, to be handled once the action ends.
class KeyStateWatch {
 public:
  explicit KeyStateWatch(DWORD thread)
      : target_(thread),
        asked_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
        seen_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    if (!asked_ || !seen_) return;
    watcher_ = std::thread([this] { watch(); });
    // The watcher is ours and does nothing else; it only waits to be run.
    while (!ready_) WaitForSingleObject(seen_, 1);
  }
  ~KeyStateWatch() {
    stop_ = true;
    if (asked_) SetEvent(asked_);
    if (watcher_.joinable()) watcher_.join();
    if (asked_) CloseHandle(asked_);
    if (seen_) CloseHandle(seen_);
  }
  KeyStateWatch(const KeyStateWatch&) = delete;
  KeyStateWatch& operator=(const KeyStateWatch&) = delete;

  bool watching() const { return attached_; }

  // Waits until `vk` is down, or up, in the watched thread's key state, our
  // windows answering meanwhile when `answering`; false once `deadline` has
  // passed, or at once when `elsewhere` says the keys now go to another thread.
  template <class Elsewhere>
  bool waitUntil(int vk, bool down, bool answering, const Deadline& deadline, Elsewhere elsewhere) {
    const unsigned wish = (++wishes_ << 9) | (down ? 0x100u : 0u) | static_cast<unsigned>(vk);
    wish_ = wish;
    SetEvent(asked_);
    while (granted_ != wish) {
      if (deadline.passed() || elsewhere()) {
        wish_ = 0;
        return false;
      }
      if (answering) {
        waitAnswering(kPollSlice, seen_);
      } else {
        WaitForSingleObject(seen_, static_cast<DWORD>(kPollSlice.count()));
      }
    }
    return true;
  }

 private:
  void watch() {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue that attaching needs
    attached_ = AttachThreadInput(GetCurrentThreadId(), target_, TRUE) != FALSE;
    ready_ = true;
    SetEvent(seen_);
    while (attached_ && !stop_) {
      const unsigned wish = wish_;
      if (!wish || granted_ == wish) {
        WaitForSingleObject(asked_, 100);
        continue;
      }
      const int vk = static_cast<int>(wish & 0xFF);
      const bool down = (wish & 0x100) != 0;
      // Brisk at first, as the key is usually taken at once; then in 1 ms
      // sleeps, for a slow receiver.
      const ULONGLONG brisk = GetTickCount64() + kBriskPolling.count();
      while (!stop_ && wish_ == wish && isDown(GetKeyState(vk)) != down) {
        if (GetTickCount64() < brisk) {
          SwitchToThread();
        } else {
          Sleep(1);
        }
      }
      if (wish_ == wish && !stop_) {
        granted_ = wish;
        SetEvent(seen_);
      }
    }
    if (attached_) AttachThreadInput(GetCurrentThreadId(), target_, FALSE);
  }

  DWORD target_;
  HANDLE asked_;
  HANDLE seen_;
  std::atomic<bool> ready_ = false;
  std::atomic<bool> attached_ = false;
  std::atomic<bool> stop_ = false;
  std::atomic<unsigned> wish_ = 0;
  std::atomic<unsigned> granted_ = 0;
  unsigned wishes_ = 0;
  std::thread watcher_;
};

// The thread the keys go to, and when it has taken each of them. Keys go to
// the foreground window's thread; keys for our own windows we take ourselves.
class KeyReceiver {
 public:
  explicit KeyReceiver(milliseconds patience) : patience_(patience, patience) {}

  HKL layout() {
    follow();
    return layout_;
  }

  // Sends a chord, from one moment with no key held to the next, so that no
  // key goes out with a modifier let go behind our back. Under Wine our own
  // thread, whenever it looks for messages, has the X11 driver let go of the
  // modifiers the X server does not know to be held (it never sees injected
  // keys), and a letter queued after that loses its Alt or Shift. So the
  // chord goes out in two batches: up to its last press, waited for without
  // looking for messages, then the releases, which leave nothing held.
  // A receiver that does not answer gets no key: it would take it whenever it
  // woke up, in whatever it had in front then.
  bool deliver(std::span<const INPUT> chord) {
    follow();
    if (window_ && !own_ && !answered_) {
      if (!answers(window_, Deadline(kAnswerTimeout, patience_))) return false;
      answered_ = true;
    }
    const Deadline deadline(kKeyTimeout, patience_);
    // Keys for our own windows are seen as messages, whatever the key state.
    if (own_) return sendTaken(chord, true, deadline);
    const auto lastPress = std::ranges::find_if(chord.rbegin(), chord.rend(), pressing).base();
    const std::span presses(chord.begin(), lastPress);
    const std::span releases(lastPress, chord.end());
    if (presses.empty()) return sendTaken(releases, true, deadline);
    if (!sendTaken(presses, false, deadline)) {
      // Never leave a key held down for the user's own typing.
      std::vector<INPUT> ups(releases.begin(), releases.end());
      SendInput(static_cast<UINT>(ups.size()), ups.data(), sizeof(INPUT));
      return false;
    }
    return releases.empty() || sendTaken(releases, true, deadline);
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
  // Sends `strokes` in one go and waits until the last of them is taken.
  bool sendTaken(std::span<const INPUT> strokes, bool answering, const Deadline& deadline) {
    std::vector<INPUT> batch(strokes.begin(), strokes.end());
    if (SendInput(static_cast<UINT>(batch.size()), batch.data(), sizeof(INPUT)) != batch.size()) {
      return false;
    }
    const INPUT& last = strokes.back();
    for (;;) {
      follow();
      if (own_) return waitFor(deadline, [&last] { return pumpOwnKeys(&last); });
      if (!watch_) return waitFor(deadline, [&last] { return asyncTaken(last); });
      if (watch_->waitUntil(static_cast<int>(strokeKey(last)), pressing(last), answering, deadline,
                            [this] { return GetForegroundWindow() != window_; })) {
        return true;
      }
      if (deadline.passed()) return false;
    }
  }

  void follow() {
    HWND foreground = GetForegroundWindow();
    if (followed_ && foreground == window_) return;
    followed_ = true;
    answered_ = false;
    window_ = foreground;
    const DWORD thread = threadOf(foreground);
    own_ = thread == GetCurrentThreadId();
    watch_.reset();
    if (thread != 0 && !own_) {
      watch_ = std::make_unique<KeyStateWatch>(thread);
      if (!watch_->watching()) watch_.reset();
    }
    layout_ = GetKeyboardLayout(thread);
  }

  // Keys for a thread whose state cannot be read: gone out is all we know.
  static bool asyncTaken(const INPUT& stroke) {
    return isDown(GetAsyncKeyState(static_cast<int>(strokeKey(stroke)))) == pressing(stroke);
  }

  Deadline patience_;
  std::unique_ptr<KeyStateWatch> watch_;
  HWND window_ = nullptr;
  bool answered_ = false;
  HKL layout_ = nullptr;
  bool followed_ = false;
  bool own_ = false;
};

}  // namespace

INPUT virtualKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (vk == VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0);
  return in;
}

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
  std::vector<WORD> down;    // keys pressed and not let go yet
  std::vector<INPUT> chord;  // strokes from one moment with no key held to the next
  const auto isDown = [&down](WORD vk) { return std::ranges::find(down, vk) != down.end(); };
  const auto deliver = [&] {
    const bool taken = chord.empty() || receiver.deliver(chord);
    chord.clear();
    if (taken) return true;
    // Never leave a modifier held down for the user's own typing.
    for (auto held = down.rbegin(); held != down.rend(); ++held) {
      INPUT up = virtualKey(*held, true);
      SendInput(1, &up, sizeof(INPUT));
    }
    return false;
  };

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
      if (vk && pressing(stroke)) down.push_back(vk);
      if (vk && !pressing(stroke)) std::erase(down, vk);
      chord.push_back(stroke);
      if (!pressing(stroke) && down.empty() && !deliver()) return false;
    }
  }
  return deliver() && receiver.finish();
}

}  // namespace quillby
