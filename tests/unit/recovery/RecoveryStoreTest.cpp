// The folder of recovery records: who may touch which record, the modes that keep
// it private, a write killed at any moment, and the identity of a file on disk.

#include "recovery/FileIdentity.h"
#include "recovery/RecordWriter.h"
#include "recovery/RecoveryFolder.h"
#include "recovery/RecoveryStore.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

RecoveryRecord RecordOf(std::string text) {
  RecoveryRecord r;
  r.path = "/tmp/a.txt";
  r.changedNs = 1;
  r.text = std::move(text);
  return r;
}

int ModeOf(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 0777;
}

std::size_t FilesIn(const std::string& folder) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++n;
  return n;
}

TEST(RecoveryStoreTest, ARecordIsPrivateAndOfferedOnlyOnceItsOwnerHasGone) {
  TempDir dir;
  const std::string folder = dir.file("state/wex/recovery");
  const mode_t umask = ::umask(0);  // even a lax umask must not open the folder up
  auto store = std::make_unique<RecoveryStore>(folder);
  ASSERT_EQ(store->Write(RecordOf("first")), 0);
  ASSERT_EQ(store->Write(RecordOf("second")), 0);
  ::umask(umask);
  EXPECT_EQ(ModeOf(folder), 0700);
  EXPECT_EQ(ModeOf(store->RecordPath()), 0600);

  EXPECT_TRUE(ClaimLeftRecords(folder).empty()) << "the owner still runs";
  EXPECT_FALSE(ClaimLeftRecord(store->RecordPath()));
  const std::string recordPath = store->RecordPath();
  store.reset();  // as when the process ends without removing its record

  std::vector<LeftRecord> left = ClaimLeftRecords(folder);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].RecordPath(), recordPath);
  EXPECT_EQ(left[0].Read(), RecordOf("second"));
  EXPECT_FALSE(ClaimLeftRecord(recordPath)) << "claimed twice";
  left[0].Release();
  std::optional<LeftRecord> again = ClaimLeftRecord(recordPath);
  ASSERT_TRUE(again) << "a released record is offered again";
  again->Discard();
  EXPECT_EQ(FilesIn(folder), 0u);
}

TEST(RecoveryStoreTest, RemovingAndEndingLeaveNothingBehind) {
  TempDir dir;
  {
    RecoveryStore store(dir.path());
    ASSERT_EQ(store.Write(RecordOf("text")), 0);
    store.Remove();
    EXPECT_FALSE(fs::exists(store.RecordPath()));
  }
  EXPECT_EQ(FilesIn(dir.path()), 0u);
  // A lock file whose owner ended with nothing unsaved is cleared away; a held one is not.
  std::ofstream(dir.file("1-2.lock")).put('x');
  RecoveryStore running(dir.path());
  ASSERT_EQ(running.Write(RecordOf("text")), 0);
  running.Remove();
  EXPECT_TRUE(ClaimLeftRecords(dir.path()).empty());
  EXPECT_FALSE(fs::exists(dir.file("1-2.lock")));
  EXPECT_EQ(FilesIn(dir.path()), 1u) << "the running store's own lock stays";
}

// A record of the whole units file appended to last, then `own`.
RecoveryRecord PiecedOf(const RecoveryStore& store, const std::string& own = "") {
  RecoveryRecord r = RecordOf("");
  r.pieced = PiecedText{store.UnitsNumber(),
                        store.UnitsLength(),
                        store.UnitsCrc(),
                        {{0, store.UnitsLength(), false}, {0, own.size(), true}},
                        own};
  return r;
}

std::string TextIn(const std::string& recordPath) {
  const std::optional<RecoveryRecord> record = ReadRecord(recordPath);
  return record ? record->text : "(none)";
}

TEST(RecoveryStoreTest, PiecedRecordsKeepJustTheUnitsFileTheyRelyOn) {
  TempDir dir;
  std::string recordPath;
  {
    RecoveryStore store(dir.path());
    recordPath = store.RecordPath();
    ASSERT_EQ(store.AppendUnits(1, "abc"), 0);
    ASSERT_EQ(store.Write(PiecedOf(store)), 0);
    ASSERT_EQ(store.AppendUnits(1, "de"), 0);
    EXPECT_EQ(TextIn(recordPath), "abc") << "appending leaves the record as it was";
    ASSERT_EQ(store.Write(PiecedOf(store, "!")), 0);
    EXPECT_EQ(TextIn(recordPath), "abcde!");

    ASSERT_EQ(store.AppendUnits(2, "xy"), 0);
    EXPECT_EQ(TextIn(recordPath), "abcde!") << "a new units file leaves the old one in use";
    ASSERT_EQ(store.Write(PiecedOf(store)), 0);
    EXPECT_EQ(TextIn(recordPath), "xy");
    EXPECT_EQ(FilesIn(dir.path()), 3u) << "record, lock and the one units file in use";
    RecoveryRecord stale = PiecedOf(store);
    stale.pieced->units = 1;
    EXPECT_EQ(store.Write(stale), EINVAL) << "a record on a units file not appended to";

    store.Remove();
    ASSERT_EQ(store.AppendUnits(2, "z"), 0);
    ASSERT_EQ(store.Write(PiecedOf(store)), 0);
    EXPECT_EQ(TextIn(recordPath), "xyz") << "the units file outlives a removed record";
  }
  // Ended with the record: it comes back whole, and goes with all it relied on.
  std::optional<LeftRecord> left = ClaimLeftRecord(recordPath);
  ASSERT_TRUE(left);
  EXPECT_EQ(left->Read()->text, "xyz");
  left->Discard();
  EXPECT_EQ(FilesIn(dir.path()), 0u);
  {
    RecoveryStore store(dir.path());
    ASSERT_EQ(store.AppendUnits(1, "abc"), 0);
    ASSERT_EQ(store.Write(PiecedOf(store)), 0);
    store.Remove();
  }
  EXPECT_EQ(FilesIn(dir.path()), 0u) << "ended with nothing unsaved";
}

TEST(RecoveryStoreTest, AWriterKilledAtAnyMomentLeavesAWholeRecord) {
  const std::string texts[] = {std::string(1 << 20, 'a'), std::string(3 << 19, 'b')};
  for (int round = 0; round < 12; ++round) {
    TempDir dir;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      RecoveryStore store(dir.path());
      for (int i = 0;; ++i) store.Write(RecordOf(texts[i % 2]));
    }
    // Let it write a few records, then kill it somewhere inside one.
    std::this_thread::sleep_for(std::chrono::milliseconds(30 + 7 * round));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    std::vector<LeftRecord> left = ClaimLeftRecords(dir.path());
    if (left.empty()) continue;  // killed before its first record was renamed in
    ASSERT_EQ(left.size(), 1u);
    const std::optional<RecoveryRecord> record = left[0].Read();
    ASSERT_TRUE(record) << "round " << round;
    EXPECT_TRUE(record->text == texts[0] || record->text == texts[1]);
  }
}

TEST(RecoveryStoreTest, TheWriterKeepsOnlyTheNewestTextAndWritesAtOnceWhenAsked) {
  TempDir dir;
  RecoveryStore store(dir.path());
  RecordWriter writer(store);
  const auto writing = [](std::string text) {
    return [text](RecoveryStore& to) { return to.Write(RecordOf(text)); };
  };
  for (char c = 'a'; c <= 'z'; ++c) writer.Post(writing(std::string(100000, c)));
  writer.Wait();
  std::ifstream in(store.RecordPath(), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(DecodeRecord(bytes), RecordOf(std::string(100000, 'z')));

  // A synchronous write is not overtaken by an older one still queued.
  writer.Post([](RecoveryStore& to) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return to.Write(RecordOf("older"));
  });
  writer.Post(writing("queued"));
  ASSERT_EQ(writer.RunNow(writing("newest")), 0);
  writer.Wait();
  std::ifstream again(store.RecordPath(), std::ios::binary);
  EXPECT_EQ(DecodeRecord(std::string{std::istreambuf_iterator<char>(again), {}}),
            RecordOf("newest"));

  writer.PostRemove();
  writer.Wait();
  EXPECT_FALSE(fs::exists(store.RecordPath()));
}

TEST(RecoveryStoreTest, TheFolderFollowsWhereTheSettingsLive) {
  EXPECT_EQ(ChooseRecoveryFolder("/opt/wex", "/opt/wex", std::string("/home/u/.local/state")),
            "/opt/wex/recovery");
  EXPECT_EQ(ChooseRecoveryFolder("/home/u/.config/wex", "/usr/lib/wex",
                                 std::string("/home/u/.local/state")),
            "/home/u/.local/state/wex/recovery");
  EXPECT_EQ(ChooseRecoveryFolder("/home/u/.config/wex", "/usr/lib/wex", std::nullopt),
            "/home/u/.config/wex/recovery");
}

TEST(FileIdentityTest, ChangesOfTheFileShowWithoutReadingIt) {
  TempDir dir;
  const std::string path = dir.file("a.txt");
  EXPECT_FALSE(IdentifyFile(path).exists);
  std::ofstream(path) << "one";
  const FileIdentity first = IdentifyFile(path);
  EXPECT_TRUE(first.exists);
  EXPECT_EQ(IdentifyFile(path), first) << "nothing changed";

  std::ofstream(path, std::ios::app) << "!";  // the same inode, longer
  const FileIdentity appended = IdentifyFile(path);
  EXPECT_NE(appended, first);

  std::ofstream(dir.file("b.txt")) << "two!";  // same size, a new inode put in its place
  fs::rename(dir.file("b.txt"), path);
  const FileIdentity replaced = IdentifyFile(path);
  EXPECT_NE(replaced.inode, appended.inode);
  EXPECT_NE(replaced, appended);

  fs::remove(path);
  EXPECT_FALSE(IdentifyFile(path).exists);
}

}  // namespace
