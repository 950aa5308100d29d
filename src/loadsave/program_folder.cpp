#include "loadsave/program_folder.h"

namespace quillby {

void enterProgramFolder(Files& files) {
  // Files are opened by full path below, so a refused change costs nothing here.
  (void)files.setCurrentDirectory(files.programFolder());
}

std::filesystem::path inProgramFolder(const Files& files, const std::filesystem::path& name) {
  return files.programFolder() / name;
}

}  // namespace quillby
