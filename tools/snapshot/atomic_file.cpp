#include "snapshot/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace drelm::snapshot {

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)), temp_(path_ + ".tmp.XXXXXX") {
  const int fd = mkstemp(temp_.data());
  if (fd < 0) Fail(std::strerror(errno));
  // mkstemp makes the file private; give it the mode any new file would have.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  stream_ = fdopen(fd, "wb");
  if (stream_ == nullptr) {
    const int error = errno;
    close(fd);
    std::remove(temp_.c_str());
    Fail(std::strerror(error));
  }
}

AtomicFile::~AtomicFile() {
  if (stream_ != nullptr) std::fclose(stream_);
  if (!committed_) std::remove(temp_.c_str());
}

void AtomicFile::Commit() {
  const bool flushed = std::fflush(stream_) == 0 && fsync(fileno(stream_)) == 0;
  const int flush_error = errno;
  const bool closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  if (!flushed) Fail(std::strerror(flush_error));
  if (!closed) Fail(std::strerror(errno));
  if (std::rename(temp_.c_str(), path_.c_str()) != 0) Fail(std::strerror(errno));
  committed_ = true;
}

void AtomicFile::Fail(const std::string& why) const {
  throw std::runtime_error("cannot write " + path_ + ": " + why);
}

}  // namespace drelm::snapshot
