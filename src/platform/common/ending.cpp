#include "platform/common/ending.h"

#include <new>
#include <stdexcept>

#include "app/program_end.h"
#include "canvas/run_time_error.h"

namespace drelm {

Ending EndingOf(const std::exception_ptr& thrown) {
  try {
    std::rethrow_exception(thrown);
  } catch (const ProgramEnded&) {
    return {};
  } catch (const RunTimeError& error) {
    return {Ending::Kind::kRunTimeError, std::string("Run-time error: ") + error.what()};
  } catch (const std::bad_alloc&) {
    return {Ending::Kind::kFailed, "out of memory"};
  } catch (const std::exception& error) {
    return {Ending::Kind::kFailed, error.what()};
  } catch (...) {
    return {Ending::Kind::kFailed, "an unexpected error"};
  }
}

}  // namespace drelm
