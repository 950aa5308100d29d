#pragma once

// The system's own files and code page 932 on each platform the tests run on.
#ifdef _WIN32
#include "platform/win32/win32_charset.h"
#include "platform/win32/win32_files.h"
namespace quillby {
using SystemCharset = Win32Charset;
using SystemFiles = Win32Files;
}  // namespace quillby
#else
#include "platform/posix/iconv_charset.h"
#include "platform/posix/posix_files.h"
namespace quillby {
using SystemCharset = IconvCharset;
using SystemFiles = PosixFiles;
}  // namespace quillby
#endif
