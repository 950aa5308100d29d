// A stand-in for the host mail program: a window whose title begins with
// "Post" that logs every key it receives to "standin-keys.log" beside itself
// (UTF-8, one line per event) and shows the latest ones. With a file
// "standin-slow" beside it, or "/slow" on the command line, it takes 200 ms
// over every key message, like a busy host. With "standin-hang" or "/hang" it
// stops handling messages once its window shows, like a hung host; with
// "standin-hang-on-close" or "/hang-on-close" it does so when asked to close;
// with "standin-hang-on-key" or "/hang-on-key" once it has taken its first
// key; and it does so at once on the message WM_APP + 1.
#include <windows.h>

#include <deque>
#include <string>

namespace {

constexpr wchar_t kTitle[] = L"PostPet stand-in";
constexpr wchar_t kClass[] = L"QuillbyStandinHost";
constexpr wchar_t kMutex[] = L"QuillbyStandinHostRunning";
constexpr DWORD kSlowMs = 200;
constexpr UINT kHangNow = WM_APP + 1;
constexpr std::size_t kShownLines = 24;
constexpr std::size_t kShownKeys = 8;
constexpr std::size_t kShownTyping = 60;

enum class Hang { Never, AfterStart, OnClose, OnKey };

struct State {
  HANDLE log = INVALID_HANDLE_VALUE;
  bool slow = false;
  Hang hang = Hang::Never;
  std::deque<std::wstring> shown;  // the latest log lines
  std::deque<std::wstring> keys;   // the latest keys pressed, as "Alt+Shift+F"
  std::wstring typed;              // the latest characters typed
};
State state;

std::wstring folderOfExe() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return L".";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

void record(HWND window, const std::wstring& line) {
  const std::string bytes = utf8(line) + "\n";
  DWORD written = 0;
  if (state.log != INVALID_HANDLE_VALUE) {
    WriteFile(state.log, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  if (!window) return;
  state.shown.push_back(line);
  if (state.shown.size() > kShownLines) state.shown.pop_front();
  // Painted once the keys waiting have been taken, as a busy program paints.
  InvalidateRect(window, nullptr, TRUE);
}

std::wstring hex(unsigned value, int digits) {
  std::wstring out(static_cast<std::size_t>(digits), L'0');
  for (int i = digits - 1; i >= 0 && value; --i, value >>= 4)
    out[i] = L"0123456789ABCDEF"[value & 15];
  return out;
}

std::wstring keyName(WPARAM vk) {
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::wstring(1, wchar_t(vk));
  switch (vk) {
    case VK_SHIFT:
      return L"SHIFT";
    case VK_CONTROL:
      return L"CONTROL";
    case VK_MENU:
      return L"MENU";
    case VK_DOWN:
      return L"DOWN";
    case VK_TAB:
      return L"TAB";
    case VK_RETURN:
      return L"RETURN";
    case VK_F4:
      return L"F4";
    case VK_PACKET:
      return L"PACKET";
    default:
      return L"VK_" + hex(static_cast<unsigned>(vk), 2);
  }
}

bool isModifier(WPARAM vk) { return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU; }

// The modifiers held while this message was taken, e.g. "alt+shift", or "-".
std::wstring modifiers() {
  std::wstring out;
  const auto add = [&out](int vk, const wchar_t* name) {
    if (GetKeyState(vk) & 0x8000) out += (out.empty() ? L"" : L"+") + std::wstring(name);
  };
  add(VK_MENU, L"alt");
  add(VK_CONTROL, L"ctrl");
  add(VK_SHIFT, L"shift");
  return out.empty() ? L"-" : out;
}

std::wstring characterText(WPARAM c) {
  std::wstring out = L"U+" + hex(static_cast<unsigned>(c), 4);
  if (c >= 0x20 && c != 0x7F) out += L" " + std::wstring(1, wchar_t(c));
  return out;
}

// What a person watching the demo reads: the key combinations and the text.
void remember(UINT message, WPARAM wParam) {
  if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && !isModifier(wParam) &&
      wParam != VK_PACKET) {
    std::wstring combination;
    if (GetKeyState(VK_MENU) & 0x8000) combination += L"Alt+";
    if (GetKeyState(VK_CONTROL) & 0x8000) combination += L"Ctrl+";
    if (GetKeyState(VK_SHIFT) & 0x8000) combination += L"Shift+";
    state.keys.push_back(combination + keyName(wParam));
    if (state.keys.size() > kShownKeys) state.keys.pop_front();
  }
  if (message == WM_CHAR && wParam >= 0x20) {
    state.typed += static_cast<wchar_t>(wParam);
    if (state.typed.size() > kShownTyping) state.typed.erase(0, state.typed.size() - kShownTyping);
  }
}

void paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT area;
  GetClientRect(window, &area);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  std::wstring text = L"受け取ったキー:";
  for (const std::wstring& key : state.keys) text += L"  " + key;
  text += L"\n入力された文字: " + state.typed + L"\n\nキーのメッセージ (新しいものが下):\n";
  for (const std::wstring& line : state.shown) text += line + L"\n";
  InflateRect(&area, -8, -8);
  DrawTextW(dc, text.c_str(), -1, &area, DT_LEFT | DT_TOP | DT_NOPREFIX);
  EndPaint(window, &ps);
}

[[noreturn]] void hangForever() {
  record(nullptr, L"hang");
  for (;;) Sleep(INFINITE);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR: {
      if (state.slow) Sleep(kSlowMs);
      const bool isChar = message == WM_CHAR || message == WM_SYSCHAR;
      const wchar_t* kind = message == WM_KEYDOWN || message == WM_SYSKEYDOWN ? L"down "
                            : message == WM_KEYUP || message == WM_SYSKEYUP   ? L"up "
                            : message == WM_CHAR                              ? L"char "
                                                                              : L"syschar ";
      remember(message, wParam);
      record(window,
             kind + (isChar ? characterText(wParam) : keyName(wParam)) + L" " + modifiers());
      if (state.hang == Hang::OnKey) hangForever();
      // Alt+F4 must still close the window; Alt+letter and a lone Alt must not
      // start the system menu, which would swallow the keys after them.
      if (message == WM_SYSKEYDOWN) break;
      return 0;
    }
    case WM_CLOSE:
      record(window, L"close");
      if (state.hang == Hang::OnClose) hangForever();
      break;
    case kHangNow:
      hangForever();
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_PAINT:
      paint(window);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HANDLE openLog(const std::wstring& folder) {
  return CreateFileW((folder + L"\\standin-keys.log").c_str(), FILE_APPEND_DATA,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
  const std::wstring folder = folderOfExe();
  state.log = openLog(folder);

  HANDLE running = CreateMutexW(nullptr, TRUE, kMutex);
  if (!running || GetLastError() == ERROR_ALREADY_EXISTS) {
    record(nullptr, L"start-again");
    return 0;
  }
  const auto chosen = [&](const std::wstring& name) {
    return wcsstr(commandLine, (L"/" + name).c_str()) != nullptr ||
           GetFileAttributesW((folder + L"\\standin-" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
  };
  state.slow = chosen(L"slow");
  state.hang = chosen(L"hang-on-close") ? Hang::OnClose
               : chosen(L"hang-on-key") ? Hang::OnKey
               : chosen(L"hang")        ? Hang::AfterStart
                                        : Hang::Never;
  record(nullptr, state.slow ? L"start slow" : L"start");

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClass;
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, kClass, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 420, 480, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  if (state.hang == Hang::AfterStart) hangForever();

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  record(nullptr, L"exit");
  CloseHandle(state.log);
  ReleaseMutex(running);
  CloseHandle(running);
  return 0;
}
