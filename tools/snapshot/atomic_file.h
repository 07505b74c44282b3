#pragma once

#include <cstdio>
#include <string>

namespace drelm::snapshot {

// A file that appears whole or not at all: it is written beside its target under a temporary
// name and renamed into place by Commit. Until then, and whenever Commit is not reached, the
// temporary is removed. Failures throw std::runtime_error("cannot write PATH: reason").
class AtomicFile {
 public:
  explicit AtomicFile(std::string path);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  std::FILE* stream() { return stream_; }
  const std::string& path() const { return path_; }
  void Commit();

 private:
  [[noreturn]] void Fail(const std::string& why) const;

  std::string path_;
  std::string temp_;
  std::FILE* stream_ = nullptr;
  bool committed_ = false;
};

}  // namespace drelm::snapshot
