#pragma once

// The system's own code page 932 on each platform the tests run on.
#ifdef _WIN32
#include "platform/win32/win32_charset.h"
namespace quillby {
using TestCharset = Win32Charset;
}
#else
#include "platform/posix/iconv_charset.h"
namespace quillby {
using TestCharset = IconvCharset;
}
#endif
