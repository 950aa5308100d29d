// Kills saves at random moments and checks what is on disk: the friend book
// whole at every moment; after the next start both files as they were before
// the save or both as it wrote them, every backup folder complete, and nothing
// half-written left. Prints the seed; a failing run repeats with it.
//   crash_save_test [KILLS [SEED]]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>

#include "crash/save_child.h"
#include "formats/friend_book.h"
#include "loadsave/file_names.h"
#include "loadsave/save.h"
#include "loadsave/startup_load.h"
#include "support/system_platform.h"
#include "support/temp_folder.h"

namespace quillby {
namespace {

namespace fs = std::filesystem;

class NoonClock final : public Clock {
 public:
  LocalDateTime now() const override { return {std::chrono::year{2026} / 12 / 7, 12 * 3600.0}; }
  double steadySeconds() const override { return 0; }
  void sleep(std::chrono::milliseconds) override {}
  ClockStatus setDate(std::chrono::year_month_day) override { return ClockProblem::Refused; }
};

Bytes contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void put(const fs::path& file, BytesView data) {
  std::ofstream(file, std::ios::binary)
      .write(data.data(), static_cast<std::streamsize>(data.size()));
}

struct Pair {
  Bytes book;
  Bytes memo;
  bool operator==(const Pair&) const = default;
};

Pair pairIn(const fs::path& folder) {
  return {contents(folder / kBookFile), contents(folder / kMemoFile)};
}

FriendEntry friendNamed(Text name) {
  FriendEntry row;
  row.friendName = std::move(name);
  row.friendAddress = u"friend@example.jp";
  row.petName = u"ポチ";
  row.petKindName = u"イヌ";
  row.friendNum = countText(3);
  return row;
}

// Every round changes both files, and now and then the number of friends.
void edit(FriendTable& table, int round) {
  auto& rows = table.rows;
  const std::u16string n(std::u16string(1, static_cast<char16_t>(u'０' + round % 10)));
  if (round % 5 == 3 && rows.size() > 2) rows.pop_back();
  if (round % 5 == 4 && rows.size() < 8) rows.push_back(friendNamed(u"新しい友" + n));
  rows[0].friendName = u"友だち" + n;
  rows[round % rows.size()].friendMemo = u"第" + n + u"回の\"メモ\", 二行目\r\nおわり";
}

bool bookIsWhole(const fs::path& file, const Charset& charset) {
  return readFriendBook(contents(file), charset).ok();
}

bool isCompleteBackup(const fs::path& save, const Charset& charset) {
  if (!fs::is_directory(save)) return false;
  std::set<fs::path> names;
  for (const auto& entry : fs::directory_iterator(save)) names.insert(entry.path().filename());
  return names == std::set<fs::path>{kBookFile, kMemoFile} &&
         bookIsWhole(save / kBookFile, charset);
}

bool unfinishedName(const fs::path& name) { return name.native().front() == '~'; }

struct Tally {
  int kills = 0;
  int inside = 0;
  int faulty = 0;  // kills after which any check failed
  std::set<std::string> states;
  std::map<std::string, int> faults;  // kills after which each check failed
};

// What a kill left, before the next start: which version each file has, and
// what else of a save is there.
std::string stateAfterKill(const fs::path& folder, const Pair& before, const Pair& after) {
  const auto which = [&](const Bytes& now, const Bytes& old, const Bytes& neu) {
    return now == old ? "old" : now == neu ? "new" : "other";
  };
  const Pair now = pairIn(folder);
  std::string state = std::string("book ") + which(now.book, before.book, after.book) + ", memo " +
                      which(now.memo, before.memo, after.memo);
  std::set<std::string> extra;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const fs::path name = entry.path().filename();
    if (unfinishedName(name)) extra.insert(" + temporary file");
  }
  for (const auto& entry : fs::directory_iterator(folder / kBackupsFolder)) {
    if (unfinishedName(entry.path().filename())) extra.insert(" + unfinished backup");
  }
  for (const auto& e : extra) state += e;
  return state;
}

// The checks after one kill: the names of those that failed.
std::set<std::string> faultsAfterKill(const fs::path& folder, const Pair& before,
                                      const Pair& after) {
  SystemFiles files{folder};
  SystemCharset charset;
  std::set<std::string> faults;
  const auto fault = [&faults](const char* what) { faults.insert(what); };
  if (!bookIsWhole(folder / kBookFile, charset)) fault("friend book not whole");
  for (const auto& entry : fs::directory_iterator(folder / kBackupsFolder)) {
    const fs::path name = entry.path().filename();
    if (!unfinishedName(name) && !isCompleteBackup(entry.path(), charset)) {
      fault("backup folder under its final name not complete");
    }
  }
  if (!loadFriendsWithMemos(files, charset)) {
    fault("next start failed");
    return faults;
  }
  const Pair now = pairIn(folder);
  if (now != before && now != after) {
    fault(now.book == before.book || now.book == after.book
              ? "memo file and friend book of two saves"
              : "neither the old nor the new pair");
  }
  const std::set<fs::path> ours{kBookFile, kBackupFile, kMemoFile, kBackupsFolder};
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (!ours.contains(entry.path().filename())) fault("temporary file left after the start");
  }
  for (const auto& entry : fs::directory_iterator(folder / kBackupsFolder)) {
    if (!isCompleteBackup(entry.path(), charset)) fault("unfinished backup left after the start");
  }
  return faults;
}

// The pair the save of `round` writes, from a save in a folder of its own.
Pair pairAfterSave(const fs::path& scratch, const Pair& before, int round) {
  put(scratch / kBookFile, before.book);
  put(scratch / kMemoFile, before.memo);
  SystemFiles files{scratch};
  SystemCharset charset;
  NoonClock clock;
  auto table = loadFriendsWithMemos(files, charset);
  if (!table) std::abort();
  edit(table.value(), round);
  if (saveFriends(table.value(), files, clock, charset)) std::abort();
  return pairIn(scratch);
}

int run(int kills, unsigned seed) {
  std::printf("crash_save_test: %d kills, seed %u\n", kills, seed);
  std::mt19937 random(seed);
  TempFolder folder;
  TempFolder scratch;
  {
    SystemCharset charset;
    std::vector<FriendEntry> rows;
    for (const auto* name : {u"あきこ", u"ひろし", u"ケン", u"みどり"})
      rows.push_back(friendNamed(name));
    put(folder / kBookFile, encodeFriendBook(rows, charset).value());
    put(folder / kMemoFile, "");
    fs::create_directory(folder / kBackupsFolder);
  }
  // Saves left to end, the first few and every tenth, measure how long one
  // takes; the kills fall in a span a little longer than a typical save.
  constexpr int kMeasured = 5;
  constexpr int kMeasureEvery = 10;
  std::vector<double> durations;
  const auto typical = [&durations] {
    std::nth_element(durations.begin(), durations.begin() + durations.size() / 2, durations.end());
    return durations[durations.size() / 2];
  };
  Tally tally;
  for (int round = 0; tally.kills < kills; ++round) {
    const Pair before = pairIn(folder.path());
    const Pair after = pairAfterSave(scratch.path(), before, round);
    const bool measuring = round < kMeasured || round % kMeasureEvery == 0;
    const double killAfter =
        measuring ? 0 : std::uniform_real_distribution<double>(0, typical() * 1.25)(random);
    const ChildOutcome outcome =
        runSaveChild(folder.path(), round, measuring ? std::nullopt : std::optional(killAfter));
    if (!outcome.aboutToSave) {
      std::printf("round %d: the child did not reach its save\n", round);
      return 1;
    }
    if (measuring) {
      durations.push_back(outcome.seconds);
      continue;
    }
    ++tally.kills;
    if (!outcome.saved) ++tally.inside;
    tally.states.insert(stateAfterKill(folder.path(), before, after));
    const auto faults = faultsAfterKill(folder.path(), before, after);
    for (const auto& what : faults) ++tally.faults[what];
    if (!faults.empty()) ++tally.faulty;
  }

  std::printf("kills %d, inside a save %d, typical save %.2f ms\nstates seen after a kill (%zu):\n",
              tally.kills, tally.inside, typical() * 1000, tally.states.size());
  for (const auto& state : tally.states) std::printf("  %s\n", state.c_str());
  for (const auto& [what, count] : tally.faults) {
    std::printf("FAULT %s: after %d kills\n", what.c_str(), count);
  }
  if (tally.faulty > 0) std::printf("faults after %d of %d kills\n", tally.faulty, tally.kills);
  // A run whose kills nearly all missed the save has tested little.
  if (tally.inside * 4 < tally.kills) {
    std::printf("too few kills landed inside a save\n");
    return 1;
  }
  return tally.faults.empty() ? 0 : 1;
}

}  // namespace

int saveInChild(const fs::path& folder, int round, Tell tell) {
  SystemFiles files{folder};
  SystemCharset charset;
  NoonClock clock;
  auto table = loadFriendsWithMemos(files, charset);
  if (!table) return 3;
  edit(table.value(), round);
  tell(kAboutToSave);
  if (saveFriends(table.value(), files, clock, charset)) return 4;
  tell(kSaved);
  return 0;
}

}  // namespace quillby

int main(int argc, char** argv) {
#ifdef _WIN32
  if (argc == 4 && std::strcmp(argv[1], "child") == 0) return quillby::childMain(argv[2], argv[3]);
#endif
  const int kills = argc > 1 ? std::atoi(argv[1]) : 250;
  const unsigned seed =
      argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : std::random_device{}();
  return quillby::run(kills, seed);
}
