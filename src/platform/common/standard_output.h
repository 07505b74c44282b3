#pragma once

namespace drelm {

// Writes `text` to standard output and flushes it; when it cannot (a full disk, a closed pipe),
// says so on standard error as "PROGRAM: cannot write to standard output: reason". The exit
// status that follows: 0 written, 1 not.
int PrintOut(const char* program, const char* text);

}  // namespace drelm
