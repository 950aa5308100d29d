#pragma once

#include <filesystem>
#include <optional>

// A save run in a child process, to be killed at a moment the parent chooses.

namespace quillby {

// What the child tells its parent, one byte each.
inline constexpr char kAboutToSave = 'R';
inline constexpr char kSaved = 'D';
using Tell = void (*)(char);

// The child's work, defined by the test: loads `folder`, makes the edits of
// `round`, tells kAboutToSave, saves, tells kSaved. Its result is the exit code.
int saveInChild(const std::filesystem::path& folder, int round, Tell tell);

struct ChildOutcome {
  bool aboutToSave = false;  // the child reached its save
  bool saved = false;        // and finished it before it was killed
  double seconds = 0;        // from kAboutToSave to kSaved, where not killed
};

// Runs saveInChild for `round` in a new process: natively a fork, on Windows
// this program again ("child FOLDER ROUND"). Once the child is about to save it
// is killed after `killAfter` seconds (SIGKILL, TerminateProcess), or left to
// end of itself where there is none.
ChildOutcome runSaveChild(const std::filesystem::path& folder, int round,
                          std::optional<double> killAfter);

// On Windows, the child's side of "child FOLDER ROUND": tells through standard output.
int childMain(const char* folder, const char* round);

}  // namespace quillby
