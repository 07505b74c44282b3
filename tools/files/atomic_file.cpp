#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <random>
#include <stdexcept>

#include "platform/common/printable.h"

namespace drelm::files {
namespace {

constexpr int kMaxLinks = 40;  // as the kernel follows them
constexpr char kTempPrefix[] = ".drelm-";
constexpr int kTempTries = 100;

// The one temporary name that exists at a time, for the signal handlers: its folder and name.
volatile std::sig_atomic_t g_temp_folder = -1;
std::array<char, 64> g_temp_name{};

void ForgetTemporary() {
  g_temp_folder = -1;
}

void RememberTemporary(int folder, const std::string& name) {
  ForgetTemporary();
  std::strncpy(g_temp_name.data(), name.c_str(), g_temp_name.size() - 1);
  g_temp_folder = folder;
}

extern "C" void RemoveTemporaryAndDie(int signal_number) {
  const int folder = g_temp_folder;
  if (folder >= 0) unlinkat(folder, g_temp_name.data(), 0);
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

// The path with symbolic links followed to the file they name, which need not exist yet; nothing
// when they go round in a loop, or further than the kernel would follow them.
std::optional<std::string> FollowLinks(std::string path) {
  for (int i = 0; i <= kMaxLinks; ++i) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string link(static_cast<std::size_t>(info.st_size) + 256, '\0');
    const ssize_t n = readlink(path.c_str(), link.data(), link.size());
    if (n < 0) return path;
    link.resize(static_cast<std::size_t>(n));
    const auto slash = path.rfind('/');
    path = (link.front() == '/' || slash == std::string::npos) ? link
                                                               : path.substr(0, slash + 1) + link;
  }
  return std::nullopt;
}

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder";
  if (S_ISFIFO(mode)) return "it is a FIFO";
  if (S_ISSOCK(mode)) return "it is a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device";
  return "it is not a regular file";
}

int KeepModeAndOwner(int fd, const struct stat& was) {
  if (geteuid() == 0 && fchown(fd, was.st_uid, was.st_gid) != 0) return -1;
  return fchmod(fd, was.st_mode & 07777);
}

std::string RandomName() {
  static std::minstd_rand generator(std::random_device{}());
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = kTempPrefix;
  for (int i = 0; i < 6; ++i) name += kLetters[generator() % (sizeof kLetters - 1)];
  return name;
}

}  // namespace

void InstallFileSignalHandlers() {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
    struct sigaction action {};
    action.sa_handler = RemoveTemporaryAndDie;
    sigemptyset(&action.sa_mask);
    // A signal its parent ignores (nohup, a background job) stays ignored.
    struct sigaction old {};
    sigaction(signal_number, nullptr, &old);
    if (old.sa_handler != SIG_IGN) sigaction(signal_number, &action, nullptr);
  }
  std::signal(SIGXFSZ, SIG_IGN);
}

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {
  if (path_ == "-") {
    stream_ = stdout;
    path_ = "standard output";
    to_stdout_ = true;
    return;
  }
  const std::optional<std::string> followed = FollowLinks(path_);
  if (!followed) Fail(std::strerror(ELOOP));
  const std::string& target = *followed;
  struct stat info {};
  const bool exists = stat(target.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) Fail(std::strerror(errno));
  if (exists && !S_ISREG(info.st_mode)) Fail(KindOf(info.st_mode));
  const auto slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  name_ = slash == std::string::npos ? target : target.substr(slash + 1);
  if (name_.empty()) Fail("it names a folder");
  folder_ = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0) Fail(std::strerror(errno));
  const int fd = openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
    OpenNamedTemporary();
  } else if (fd < 0) {
    const int error = errno;
    close(folder_);
    Fail(std::strerror(error));
  } else if ((stream_ = fdopen(fd, "wb")) == nullptr) {
    const int error = errno;
    close(fd);
    close(folder_);
    Fail(std::strerror(error));
  }
  // A file replaced keeps what it was: its mode, and (where the program may give it) its owner.
  if (exists && KeepModeAndOwner(fileno(stream_), info) != 0) {
    const int error = errno;
    Discard();
    Fail(std::strerror(error));
  }
}

void AtomicFile::OpenNamedTemporary() {
  for (int attempt = 0; attempt < kTempTries; ++attempt) {
    temp_ = RandomName();
    const int fd = openat(folder_, temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      RememberTemporary(folder_, temp_);
      stream_ = fdopen(fd, "wb");
      if (stream_ != nullptr) return;
      close(fd);
    }
    if (errno != EEXIST) break;
  }
  const int error = errno;
  if (stream_ == nullptr && !temp_.empty()) unlinkat(folder_, temp_.c_str(), 0);
  ForgetTemporary();
  close(folder_);
  Fail(std::strerror(error));
}

AtomicFile::~AtomicFile() {
  if (!to_stdout_) Discard();
}

void AtomicFile::Discard() {
  if (stream_ != nullptr) std::fclose(stream_);
  stream_ = nullptr;
  if (!committed_ && !temp_.empty()) {
    unlinkat(folder_, temp_.c_str(), 0);
    ForgetTemporary();
  }
  if (folder_ >= 0) close(folder_);
  folder_ = -1;
}

bool AtomicFile::Write(const void* bytes, std::size_t size) {
  if (std::fwrite(bytes, 1, size, stream_) == size) return true;
  write_errno_ = errno;
  return false;
}

std::string AtomicFile::WriteError() const {
  return "cannot write " + Printable(path_) + ": " + std::strerror(write_errno_);
}

void AtomicFile::Commit() {
  if (to_stdout_) {
    if (std::fflush(stream_) != 0) Fail(std::strerror(errno));
    committed_ = true;
    return;
  }
  if (std::fflush(stream_) != 0 || fsync(fileno(stream_)) != 0) Fail(std::strerror(errno));
  if (temp_.empty()) {
    // The unnamed file gets a short temporary name, which then replaces the target at once.
    const std::string self = "/proc/self/fd/" + std::to_string(fileno(stream_));
    for (int attempt = 0; attempt < kTempTries; ++attempt) {
      temp_ = RandomName();
      RememberTemporary(folder_, temp_);
      if (linkat(AT_FDCWD, self.c_str(), folder_, temp_.c_str(), AT_SYMLINK_FOLLOW) == 0) break;
      const int error = errno;
      ForgetTemporary();
      temp_.clear();
      if (error != EEXIST) Fail(std::strerror(error));
    }
    if (temp_.empty()) Fail("no free temporary name");
  }
  const bool closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  if (!closed) Fail(std::strerror(errno));
  if (renameat(folder_, temp_.c_str(), folder_, name_.c_str()) != 0) Fail(std::strerror(errno));
  ForgetTemporary();
  temp_.clear();
  committed_ = true;
}

void AtomicFile::Fail(const std::string& why) const {
  throw std::runtime_error("cannot write " + Printable(path_) + ": " + why);
}

}  // namespace drelm::files
