#pragma once

#include <SDL.h>

#include <string>

namespace drelm {

// What the program was doing and what SDL said went wrong: "cannot create the window: ...".
inline std::string SdlError(const std::string& what) {
  return what + ": " + SDL_GetError();
}

}  // namespace drelm
