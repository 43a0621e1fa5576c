// The framework's exceptions. Each carries the message that the application's general
// error report shows.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// A string list was read or written at an index it does not have.
class EStringListError : public Exception {
 public:
  using Exception::Exception;
};

// A text did not convert to a number, or a format did not fit its arguments.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
