#include "platform/win32/win32_host_input.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "model/characters.h"
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

// As answers(), taking an answer from the same window a moment ago, as the
// end of the previous send or the activation gives one.
bool answersNow(HWND window, const Deadline& deadline, HostAnswer& last) {
  constexpr ULONGLONG kMoment = 50;  // ms
  if (last.window == window && GetTickCount64() - last.at <= kMoment) return true;
  if (!answers(window, deadline)) return false;
  last = {window, GetTickCount64()};
  return true;
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
  Text units;
  appendCharacter(units, c);
  for (const char16_t unit : units) {
    out.push_back(unicodeUnit(static_cast<wchar_t>(unit), false));
    out.push_back(unicodeUnit(static_cast<wchar_t>(unit), true));
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

}  // namespace

// Watches another thread's key state, which changes only as that thread takes
// each key from its queue. Reading it means sharing that thread's input, and
// threads that share input are handed it strictly in order: our own mouse
// messages, left unread while we wait, would hold back every key after them.
// So a thread of ours without windows shares it while keys are sent, and our
// windows' input stays our own, to be handled once the action ends. The
// thread stays for the next send, as starting one under Wine can take longer
// than typing a command.
class KeyStateWatch {
 public:
  KeyStateWatch()
      : asked_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
        done_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    if (asked_ && done_) watcher_ = std::thread([this] { work(); });
  }
  ~KeyStateWatch() {
    stop_ = true;
    if (asked_) SetEvent(asked_);
    if (watcher_.joinable()) watcher_.join();
    if (asked_) CloseHandle(asked_);
    if (done_) CloseHandle(done_);
  }
  KeyStateWatch(const KeyStateWatch&) = delete;
  KeyStateWatch& operator=(const KeyStateWatch&) = delete;

  // Shares `thread`'s input from now on, or nobody's for 0; false when the
  // system refuses or the watcher does not answer.
  bool follow(DWORD thread) {
    if (!watcher_.joinable()) return false;
    const unsigned ticket = post({Job::Follow, thread});
    const Deadline deadline(kAnswerTimeout, kAnswerTimeout);
    while (doneTicket_ != ticket) {
      if (deadline.passed()) return false;
      WaitForSingleObject(done_, static_cast<DWORD>(kPollSlice.count()));
    }
    return followed_ == thread;
  }

  // Waits until `vk` is down, or up, in the followed thread's key state, our
  // windows answering meanwhile when `answering`. False once `patience` has
  // passed or kKeyTimeout has, with no key taken meanwhile; false at once when
  // `elsewhere` says the keys now go to another thread.
  template <class Elsewhere>
  bool waitUntil(int vk, bool down, bool answering, const Deadline& patience, Elsewhere elsewhere) {
    const unsigned ticket = post({Job::Wait, 0, vk, down});
    unsigned progress = progress_;
    for (Deadline deadline(kKeyTimeout, patience); doneTicket_ != ticket;) {
      if (progress != progress_) {
        progress = progress_;
        deadline = Deadline(kKeyTimeout, patience);
      }
      if (deadline.passed() || elsewhere()) {
        post({Job::Idle});
        return false;
      }
      if (answering) {
        waitAnswering(kPollSlice, done_);
      } else {
        WaitForSingleObject(done_, static_cast<DWORD>(kPollSlice.count()));
      }
    }
    return true;
  }

 private:
  struct Job {
    enum Kind : std::uint8_t { Idle, Follow, Wait } kind = Idle;
    DWORD thread = 0;
    int vk = 0;
    bool down = false;
  };

  unsigned post(const Job& job) {
    std::scoped_lock lock(mutex_);
    job_ = job;
    const unsigned ticket = ++ticket_;
    SetEvent(asked_);
    return ticket;
  }

  void done(unsigned ticket) {
    doneTicket_ = ticket;
    SetEvent(done_);
  }

  void work() {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue that sharing input needs
    while (!stop_) {
      WaitForSingleObject(asked_, INFINITE);
      Job job;
      unsigned ticket = 0;
      {
        std::scoped_lock lock(mutex_);
        job = job_;
        ticket = ticket_;
      }
      if (job.kind == Job::Follow) {
        if (job.thread != followed_) share(job.thread);
        done(ticket);
      } else if (job.kind == Job::Wait) {
        watch(job, ticket);
      }
    }
    share(0);
  }

  void share(DWORD thread) {
    if (followed_) AttachThreadInput(GetCurrentThreadId(), followed_, FALSE);
    followed_ = thread && AttachThreadInput(GetCurrentThreadId(), thread, TRUE) ? thread : 0;
  }

  // Brisk at first, as a key is usually taken at once; then in 1 ms sleeps,
  // for a slow receiver. Any change of the key state is a key taken.
  void watch(const Job& job, unsigned ticket) {
    std::array<BYTE, 256> seen{};
    std::array<BYTE, 256> keys{};
    const ULONGLONG brisk = GetTickCount64() + kBriskPolling.count();
    while (!stop_ && ticket_ == ticket) {
      if (GetKeyboardState(keys.data())) {
        if (((keys[job.vk & 0xFF] & 0x80) != 0) == job.down) return done(ticket);
        if (keys != seen) {
          seen = keys;
          ++progress_;
          SetEvent(done_);
        }
      }
      if (GetTickCount64() < brisk) {
        SwitchToThread();
      } else {
        Sleep(1);
      }
    }
  }

  HANDLE asked_;
  HANDLE done_;
  std::mutex mutex_;
  Job job_;
  std::atomic<unsigned> ticket_ = 0;
  std::atomic<unsigned> doneTicket_ = 0;
  std::atomic<unsigned> progress_ = 0;
  std::atomic<DWORD> followed_ = 0;
  std::atomic<bool> stop_ = false;
  std::thread watcher_;
};

namespace {

// The end of the chord that starts at `from`: the stroke after which no key is
// held any more.
template <class Stroke>
Stroke chordEnd(Stroke from, Stroke end) {
  std::vector<WPARAM> held;
  for (; from != end; ++from) {
    const WPARAM key = strokeKey(*from);
    if (pressing(*from)) {
      held.push_back(key);
    } else {
      std::erase(held, key);
      if (held.empty()) return from + 1;
    }
  }
  return end;
}

// Where the longest run from `from` may end: after the last press of the
// latest chord whose last pressed key neither the pending releases nor any
// stroke before that press touches; and where that chord ends. Nothing when
// no press is left, or when the pending releases touch every key that could
// end a run. With nothing pending, a chord that presses its last key twice
// (which has no witness of its own) ends a run of its own.
struct RunEnd {
  const INPUT* lastPress;
  const INPUT* chordEnd;
};
std::optional<RunEnd> furthestRunEnd(std::span<const INPUT> pending, const INPUT* from,
                                     const INPUT* end) {
  std::unordered_set<WPARAM> touched;
  for (const INPUT& stroke : pending) touched.insert(strokeKey(stroke));
  std::optional<RunEnd> found;
  std::optional<RunEnd> first;
  for (const INPUT* chord = from; chord != end;) {
    const INPUT* next = chordEnd(chord, end);
    const INPUT* lastPress =
        std::find_if(std::make_reverse_iterator(next), std::make_reverse_iterator(chord), pressing)
            .base();
    if (lastPress != chord) {
      if (!first) first = RunEnd{lastPress, next};
      for (const INPUT* stroke = chord; stroke + 1 < lastPress; ++stroke) {
        touched.insert(strokeKey(*stroke));
      }
      if (!touched.contains(strokeKey(*(lastPress - 1)))) found = RunEnd{lastPress, next};
    }
    for (const INPUT* stroke = chord; stroke != next; ++stroke) touched.insert(strokeKey(*stroke));
    chord = next;
  }
  return found || !pending.empty() ? found : first;
}

// The thread the keys go to, and when it has taken each of them. Keys go to
// the foreground window's thread; keys for our own windows we take ourselves.
class KeyReceiver {
 public:
  KeyReceiver(KeyStateWatch& watch, HostAnswer& lastAnswer, milliseconds patience)
      : watch_(watch), lastAnswer_(lastAnswer), patience_(patience, patience) {}
  ~KeyReceiver() {
    if (watching_) watch_.follow(0);
  }
  KeyReceiver(const KeyReceiver&) = delete;
  KeyReceiver& operator=(const KeyReceiver&) = delete;

  HKL layout() {
    follow();
    return layout_;
  }

  // Sends the strokes in runs, each ending with the press of a key that no
  // stroke before it in the run touches: once the receiver holds that key
  // down, it has taken the whole run, as input is taken in order. Each run
  // reaches as far as such a key can be found, so a mail address goes out in
  // two or three runs instead of a wait for every key.
  // Under Wine our own thread, whenever it looks for messages, has the X11
  // driver let go of the modifiers the X server does not know to be held (it
  // never sees injected keys), and a letter queued after that loses its Alt
  // or Shift. So a run, which leaves its last keys held, is waited for
  // without looking for messages; the releases after the last run leave
  // nothing held and are waited for answering.
  // A receiver that does not answer gets no key: it would take it whenever it
  // woke up, in whatever it had in front then.
  bool deliver(std::span<const INPUT> strokes) {
    if (strokes.empty()) return true;
    // Keys for our own windows are seen as messages, whatever the key state.
    follow();
    if (own_) return sendTaken(strokes, true);
    std::vector<INPUT> run;   // ends with the presses of its latest chord
    std::vector<INPUT> tail;  // the releases of that chord, not sent yet
    // Never leave a key held down for the user's own typing: what the run
    // was to let go of from before, and what it presses, go up whatever came.
    const auto letGo = [&] {
      std::vector<INPUT> ups(run.begin(), std::ranges::find_if(run, pressing));
      ups.insert(ups.end(), tail.begin(), tail.end());
      SendInput(static_cast<UINT>(ups.size()), ups.data(), sizeof(INPUT));
      return false;
    };
    const auto sendRun = [&] {
      if (!answering() || !sendTaken(run, false)) return letGo();
      run.clear();
      return true;
    };
    const auto sendTail = [&] {
      if (!answering() || !sendTaken(tail, true)) return letGo();
      tail.clear();
      return true;
    };
    const INPUT* const last = strokes.data() + strokes.size();
    for (const INPUT* from = strokes.data(); from != last;) {
      const auto end = furthestRunEnd(tail, from, last);
      if (!end && std::none_of(from, last, pressing)) {
        tail.insert(tail.end(), from, last);
        break;
      }
      if (!end) {
        // The pending releases touch every key that could end a run.
        if (!sendTail()) return false;
        continue;
      }
      run.assign(tail.begin(), tail.end());
      run.insert(run.end(), from, end->lastPress);
      tail.assign(end->lastPress, end->chordEnd);
      from = end->chordEnd;
      if (!sendRun()) return false;
    }
    return tail.empty() || sendTail();
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
    if (window_) lastAnswer_ = {window_, GetTickCount64()};
    return true;
  }

 private:
  // Whether the window in front, once seen answering, takes keys.
  bool answering() {
    follow();
    if (window_ && !own_ && !answered_)
      answered_ = answersNow(window_, Deadline(kAnswerTimeout, patience_), lastAnswer_);
    return !window_ || own_ || answered_;
  }

  // Sends `strokes` in one go and waits until the last of them is taken.
  bool sendTaken(std::span<const INPUT> strokes, bool answering) {
    std::vector<INPUT> batch(strokes.begin(), strokes.end());
    if (SendInput(static_cast<UINT>(batch.size()), batch.data(), sizeof(INPUT)) != batch.size()) {
      return false;
    }
    const INPUT& last = strokes.back();
    for (;;) {
      follow();
      const Deadline deadline(kKeyTimeout, patience_);
      if (own_) return waitFor(deadline, [&last] { return pumpOwnKeys(&last); });
      if (!watching_) return waitFor(deadline, [&last] { return asyncTaken(last); });
      const auto elsewhere = [this] { return GetForegroundWindow() != window_; };
      if (watch_.waitUntil(static_cast<int>(strokeKey(last)), pressing(last), answering, patience_,
                           elsewhere)) {
        return true;
      }
      if (patience_.passed() || !elsewhere()) return false;
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
    watching_ = thread != 0 && !own_ && watch_.follow(thread);
    layout_ = GetKeyboardLayout(thread);
  }

  // Keys for a thread whose state cannot be read: gone out is all we know.
  static bool asyncTaken(const INPUT& stroke) {
    return isDown(GetAsyncKeyState(static_cast<int>(strokeKey(stroke)))) == pressing(stroke);
  }

  KeyStateWatch& watch_;
  HostAnswer& lastAnswer_;
  Deadline patience_;
  HWND window_ = nullptr;
  bool watching_ = false;
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

bool Win32HostInput::start(const std::filesystem::path& program, StartOutcome outcome) {
  const auto create = [program] {
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
  };
  if (outcome == StartOutcome::Wanted) return create();
  // Wine returns only once the new process has loaded, Windows much sooner:
  // the start goes on beside the keys. A missing program is still told.
  const DWORD attributes = GetFileAttributesW(program.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  std::thread(create).detach();
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
    if (!answersNow(window, Deadline(kAnswerTimeout, deadline), lastAnswer_)) {
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

Win32HostInput::Win32HostInput() = default;
Win32HostInput::~Win32HostInput() = default;

bool Win32HostInput::send(std::span<const KeyEvent> keys, milliseconds patience) {
  if (!watch_) watch_ = std::make_unique<KeyStateWatch>();
  KeyReceiver receiver(*watch_, lastAnswer_, patience);
  std::vector<INPUT> strokes;
  bool shiftHeld = false;
  for (const KeyEvent& key : keys) {
    switch (key.kind) {
      case KeyEvent::Kind::ModifierDown:
      case KeyEvent::Kind::ModifierUp: {
        const bool up = key.kind == KeyEvent::Kind::ModifierUp;
        strokes.push_back(virtualKey(modifierKey(key.modifier), up));
        if (key.modifier == Modifier::Shift) shiftHeld = !up;
        break;
      }
      case KeyEvent::Kind::Press:
        press(strokes, namedKeyCode(key.key));
        break;
      case KeyEvent::Kind::Type:
        typeCharacter(strokes, key.character, shiftHeld, receiver.layout());
        break;
    }
  }
  return receiver.deliver(strokes) && receiver.finish();
}

}  // namespace quillby
