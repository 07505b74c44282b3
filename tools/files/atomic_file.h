#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace drelm::files {

// A file that appears whole or not at all. It is written unnamed in the target's folder
// (O_TMPFILE), so that nothing is left however the process ends, and given its name by Commit;
// where the file system cannot hold an unnamed file, under a short temporary name that signal
// handlers remove. A symbolic link is followed: the file it names is replaced and the link kept.
// Anything but a regular file as the target (a folder, a device, a FIFO, a socket), and links in
// a loop, are refused. A file replaced keeps its mode, and as root its owner.
// The path "-" is standard output, written as it goes. Failures throw
// std::runtime_error("cannot write PATH: reason").
class AtomicFile {
 public:
  explicit AtomicFile(std::string path);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  std::FILE* stream() { return stream_; }
  const std::string& path() const { return path_; }
  // Writes bytes; false on failure, whose reason WriteError then gives.
  bool Write(const void* bytes, std::size_t size);
  // Whether a write failed, and "cannot write PATH: reason" for the last that did.
  bool WriteFailed() const { return write_errno_ != 0; }
  std::string WriteError() const;
  void Commit();

 private:
  [[noreturn]] void Fail(const std::string& why) const;
  void OpenNamedTemporary();
  // Lets go of the file unwritten: nothing of it is left.
  void Discard();

  std::string path_;  // as given, for messages
  int folder_ = -1;   // the target's folder, held open so a rename of it cannot lose the file
  std::string name_;  // the target's name in its folder
  std::string temp_;  // a temporary name in the folder, while the file has one
  std::FILE* stream_ = nullptr;
  int write_errno_ = 0;
  bool committed_ = false;
  bool to_stdout_ = false;
};

// Ends the process on signals that would leave a temporary name behind by removing it first;
// ignores SIGXFSZ so that a file-size limit is a failed write with a reason, not a silent death.
void InstallFileSignalHandlers();

}  // namespace drelm::files
