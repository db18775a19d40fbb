// What a call raises, as a test wants to compare it: the message of the
// error class it should raise, a message naming another class when it raises
// something else, and "" when it raises nothing.
#pragma once

#include <exception>
#include <string>

namespace varnett {

template <typename Error, typename Call>
std::string ErrorMessage(Call&& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.what();
  } catch (const std::exception& e) {
    return std::string("wrong class: ") + e.what();
  }
  return "";
}

}  // namespace varnett
