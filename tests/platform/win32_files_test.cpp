// What only the Win32 files do.
#include "platform/win32/win32_files.h"

#include <gtest/gtest.h>

namespace quillby {
namespace {

TEST(Win32Files, ProgramFolderHoldsTheRunningExecutable) {
  const std::filesystem::path own = Win32Files().programFolder();
  EXPECT_TRUE(std::filesystem::exists(own / "platform_tests.exe")) << own;
}

}  // namespace
}  // namespace quillby
