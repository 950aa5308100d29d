#include "platform/win32/win32_dialogs.h"

#include <windows.h>

#include "platform/win32/win32_text.h"

namespace quillby {
namespace {

UINT iconFlag(DialogIcon icon) {
  switch (icon) {
    case DialogIcon::Exclamation:
      return MB_ICONEXCLAMATION;
    case DialogIcon::Critical:
      return MB_ICONHAND;
    case DialogIcon::Information:
      return MB_ICONINFORMATION;
    case DialogIcon::None:
      break;
  }
  return 0;
}

}  // namespace

DialogAnswer Win32Dialogs::show(const DialogRequest& request) {
  UINT flags = request.buttons == DialogButtons::OkCancel ? MB_OKCANCEL : MB_OK;
  flags |= iconFlag(request.icon);
  if (request.defaultButton == 2) flags |= MB_DEFBUTTON2;
  // The box comes to the front even while another program is there, as the
  // host is after its keys.
  flags |= MB_SETFOREGROUND | MB_TOPMOST;
  HWND owner = reinterpret_cast<HWND>(request.owner);
  if (!IsWindow(owner)) owner = nullptr;
  // Without an owner to disable, the box still holds every window of ours.
  if (!owner) flags |= MB_TASKMODAL;
  const int answer = MessageBoxW(owner, wide(request.text), wide(request.title), flags);
  return answer == IDOK ? DialogAnswer::Ok : DialogAnswer::Cancel;
}

}  // namespace quillby
