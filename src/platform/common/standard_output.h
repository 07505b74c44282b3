#pragma once

#include <string_view>

namespace drelm {

// Says a failure on standard error in the program's one-line form, "PROGRAM: what", and flushes it.
void SayFailure(const char* program, std::string_view what);

// Writes `text` to standard output and flushes it; when it cannot (a full disk, a closed pipe),
// says so on standard error as "PROGRAM: cannot write to standard output: reason". The exit
// status that follows: 0 written, 1 not.
int PrintOut(const char* program, const char* text);

}  // namespace drelm
