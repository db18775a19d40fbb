#include "app/error_barrier.h"

namespace varnett {
namespace {

EscapedErrorReporter g_reporter = nullptr;

// For a throw of something that is not an exception object.
constexpr const char kUnknownError[] = "Unexpected error";

}  // namespace

void SetEscapedErrorReporter(EscapedErrorReporter reporter) { g_reporter = reporter; }

void ReportEscapedError() noexcept {
  try {
    std::string message;
    try {
      throw;
    } catch (const std::exception& e) {
      message = e.what();
    } catch (...) {
      message = kUnknownError;
    }
    if (g_reporter) g_reporter(message);
  } catch (...) {
    // The box itself failed (out of memory, most likely): nothing more can
    // be shown, and the program still goes on.
  }
}

}  // namespace varnett
