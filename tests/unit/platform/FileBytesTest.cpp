// Safe whole-file writes on the files a user meets: protected ones, symbolic
// links, and files in folders that take no new files; writes fed chunk by chunk.

#include "platform/FileBytes.h"

#include "platform/ChunkedWrite.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string_view>

namespace {

namespace fs = std::filesystem;

class FileBytesTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir_ + "/" + name; }
  static std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(path, bytes), 0) << path;
    return bytes;
  }
  static void Write(const std::string& path, const std::string& bytes, mode_t mode) {
    ASSERT_EQ(WriteWholeFileAtomically(path, bytes), 0);
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
  }
  std::size_t Entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  TempDir temp_;
  const std::string dir_ = temp_.path();
};

// Root may write anything, so as root the write runs in a child as "nobody";
// otherwise it runs here. Returns the write's result.
int AsOrdinaryUser(const std::function<int()>& write) {
  if (::geteuid() != 0) return write();
  const passwd* nobody = ::getpwnam("nobody");
  if (!nobody) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0) ::_exit(255);
    ::_exit(write());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(FileBytesTest, AFileReadHeadFirstGivesEveryByteTheRestIncluded) {
  std::string bytes(3u << 20, 'x');
  for (std::size_t i = 0; i < bytes.size(); i += 997) bytes[i] = static_cast<char>(i);
  Write(Path("a.txt"), bytes, 0644);
  FileReader reader;
  ASSERT_EQ(reader.Open(Path("a.txt")), 0);
  EXPECT_EQ(reader.Size(), bytes.size());
  std::string read;
  ASSERT_EQ(reader.Read(1000, read), 0);
  EXPECT_EQ(read, bytes.substr(0, 1000));
  EXPECT_FALSE(reader.AtEnd());
  // Grown after the head was read: the rest is read to the new end.
  std::FILE* file = std::fopen(Path("a.txt").c_str(), "ab");
  ASSERT_NE(file, nullptr);
  std::fputs("grown", file);
  std::fclose(file);
  ASSERT_EQ(reader.ReadRest(read), 0);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_TRUE(read == bytes + "grown");
  EXPECT_EQ(reader.Read(10, read), 0);
  EXPECT_EQ(read.size(), bytes.size() + 5);

  FileReader folder;
  EXPECT_EQ(folder.Open(dir_), EISDIR);
  std::string none;
  EXPECT_NE(FileReader().Read(10, none), 0) << "a reader never opened reads nothing";
  EXPECT_TRUE(none.empty());
}

TEST_F(FileBytesTest, ReadOnlyFileIsRefusedAndKept) {
  ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);
  const std::string file = Path("locked.txt");
  Write(file, "old", 0444);
  EXPECT_EQ(AsOrdinaryUser([&] { return WriteWholeFileAtomically(file, "new"); }), EACCES);
  EXPECT_EQ(Read(file), "old");
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);
  EXPECT_EQ(Entries(), 1u);  // no temporary file left behind
}

TEST_F(FileBytesTest, SymbolicLinkStaysAndTheFileItNamesIsReplaced) {
  const std::string file = Path("real.txt");
  const std::string link = Path("link.txt");
  Write(file, "old", 0640);
  ASSERT_EQ(::symlink("real.txt", link.c_str()), 0);
  ASSERT_EQ(WriteWholeFileAtomically(link, "new text"), 0);
  struct stat st {};
  ASSERT_EQ(::lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(Read(file), "new text");
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Entries(), 2u);
}

TEST_F(FileBytesTest, WritableFileInAClosedFolderIsRewrittenInPlace) {
  const std::string file = Path("open.txt");
  Write(file, "the old and longer contents", 0666);
  ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
  EXPECT_EQ(AsOrdinaryUser([&] { return WriteWholeFileAtomically(file, "new"); }), 0);
  EXPECT_EQ(Read(file), "new");
  // A new file still cannot be made there.
  EXPECT_EQ(AsOrdinaryUser([&] { return WriteWholeFileAtomically(Path("new.txt"), "x"); }), EACCES);
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(FileBytesTest, NamesAsLongAsTheFolderTakesAreSavedAndReplaced) {
  std::string japanese;  // 85 three-byte characters: the temporary name must not cut one
  for (int i = 0; i < 85; ++i) japanese += "\xE9\x95\xB7";
  for (const std::string& name : {std::string(255, 'n'), japanese}) {
    const std::string file = dir_ + "/" + name;
    ASSERT_EQ(WriteWholeFileAtomically(file, "first"), 0) << name.size();
    ASSERT_EQ(WriteWholeFileAtomically(file, "second"), 0);
    EXPECT_EQ(Read(file), "second");
  }
  EXPECT_EQ(Entries(), 2u);
  EXPECT_EQ(WriteWholeFileAtomically(dir_ + "/" + std::string(256, 'n'), "x"), ENAMETOOLONG);
}

// Runs `check` in a child that is stopped after five seconds; false when it
// returns false or does not return at all.
bool HoldsWithoutWaiting(const std::function<bool()>& check) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::alarm(5);
    ::_exit(check() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(FileBytesTest, PipesDevicesSocketsAndFoldersAreRefusedWithoutWaiting) {
  const std::string fifo = Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  const std::string socketPath = Path("socket");
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const auto readFails = [](const std::string& path, int expected) {
    return HoldsWithoutWaiting([&] {
      std::string bytes;
      return ReadWholeFile(path, bytes) == expected;
    });
  };
  EXPECT_TRUE(readFails(fifo, kNotRegularFile));
  EXPECT_TRUE(readFails(socketPath, kNotRegularFile));
  EXPECT_TRUE(readFails("/dev/null", kNotRegularFile));
  EXPECT_TRUE(readFails("/dev/zero", kNotRegularFile));
  EXPECT_TRUE(readFails(dir_, EISDIR));
  // A device node is never replaced by a file (only root may make one).
  const std::string device = Path("null");
  if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) {
    EXPECT_EQ(WriteWholeFileAtomically(device, "x"), kNotRegularFile);
    struct stat st {};
    ASSERT_EQ(::stat(device.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
  }
  EXPECT_EQ(WriteWholeFileAtomically(socketPath, "x"), kNotRegularFile);
  EXPECT_EQ(WriteWholeFileAtomically(dir_, "x"), EISDIR);
  ::close(sock);
}

std::size_t OpenDescriptors() {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

// A replaced file is let go of on another thread: every descriptor still comes
// back, and a target that would block an ordinary open (a FIFO) neither stalls
// nor is replaced.
TEST_F(FileBytesTest, ReplacedFilesAreAllLetGo) {
  const std::size_t before = OpenDescriptors();
  const std::string file = Path("again.txt");
  const auto replace = [](const std::string& path, std::string_view bytes) {
    return ReplaceFile(
        path, [bytes](int fd) { return WriteAll(fd, bytes); }, FreeReplaced::InBackground);
  };
  for (int i = 0; i < 20; ++i) ASSERT_EQ(replace(file, std::to_string(i)), 0);
  const std::string fifo = Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_EQ(replace(fifo, "now a file"), kNotRegularFile);
  EXPECT_EQ(Read(file), "19");
  struct stat st {};
  ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  for (int wait = 0; wait < 500 && OpenDescriptors() > before; ++wait) ::usleep(10'000);
  EXPECT_EQ(OpenDescriptors(), before);
}

// A fill of `chunks` pieces of differing lengths, each of its own letter, that
// counts its calls and records what it produced.
struct CountingFill {
  explicit CountingFill(int count) : chunks(count) {}
  int chunks;
  int calls = 0;
  std::string produced;
  std::size_t operator()(char* buffer, std::size_t capacity) {
    if (calls == chunks) return 0;
    const std::size_t size = 1 + (static_cast<std::size_t>(calls) * 7919) % capacity;
    std::fill_n(buffer, size, static_cast<char>('a' + calls % 26));
    produced.append(buffer, size);
    ++calls;
    return size;
  }
};

TEST_F(FileBytesTest, ChunksArriveWholeAndInOrder) {
  const std::string file = Path("chunks.txt");
  Write(file, "old", 0644);
  CountingFill fill(24);
  ASSERT_EQ(WriteFileAtomically(file, std::ref(fill)), 0);
  EXPECT_EQ(fill.calls, 24);
  EXPECT_EQ(Read(file), fill.produced);
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(FileBytesTest, ChunkedWriteStopsOnAFailureOrAnExceptionAndKeepsTheOldFile) {
  const std::string file = Path("kept.txt");
  Write(file, "old", 0644);
  // An exception from the fill passes on once the writing has stopped.
  int calls = 0;
  EXPECT_THROW(WriteFileAtomically(file,
                                   [&calls](char* buffer, std::size_t) -> std::size_t {
                                     if (++calls == 5) throw std::runtime_error("fill");
                                     buffer[0] = 'x';
                                     return 1;
                                   }),
               std::runtime_error);
  EXPECT_EQ(Read(file), "old");
  EXPECT_EQ(Entries(), 1u);

  // A failed write (a file-size limit fails as a full disk does) ends the filling early.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 1 << 20;
  ::setrlimit(RLIMIT_FSIZE, &small);
  CountingFill fill(10'000);
  const int error = WriteFileAtomically(file, std::ref(fill));
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(error, EFBIG);
  EXPECT_LT(fill.calls, 10'000);
  EXPECT_EQ(Read(file), "old");
  EXPECT_EQ(Entries(), 1u);
}

}  // namespace
