// Errors raised by the program: a message in UTF-8, caught at event boundaries and shown in the
// application's standard error box. Platform-independent.
#pragma once

#include <stdexcept>
#include <string>

namespace base {

// The general error class: everything the program raises on purpose derives from it, so that
// "catch the general error class" means exactly the program's own failures.
class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A failure that carries a COM status code (HRESULT, kept as a 32-bit signed integer here so that
// this header needs no platform headers).
class ComError : public Error {
  public:
    ComError(const std::string& message, long hresult) : Error(message), hresult_(hresult) {}
    long Result() const { return hresult_; }

  private:
    long hresult_;
};

}  // namespace base
