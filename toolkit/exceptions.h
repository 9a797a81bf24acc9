// The exceptions that cross the toolkit boundary. An event method lets them
// go; the window shows their message and carries on.
#pragma once

#include <stdexcept>
#include <string>

namespace vantrel {

// Base of every error whose message is meant for the user (Russian, UTF-8).
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A field text that is not a number, or a value a double cannot hold.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace vantrel
