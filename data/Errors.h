#pragma once
// Errors of the scripture-data layer. Expected failures (a missing file, a wrong magic) are
// boolean results; these are for what should never happen with the shipped data: corrupt or
// truncated compressed bodies, missing resources, refused writes. They carry the message the
// user sees in the error box.

#include <stdexcept>
#include <string>

namespace orvane {

// A stream asked for an operation it does not offer, or a short read.
class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A negative result of the BZip2 library: "error <code>".
class EBZip2Error : public EStreamError {
public:
    explicit EBZip2Error(int code) : EStreamError("error " + std::to_string(code)), code_(code) {}
    int Code() const { return code_; }

private:
    int code_;
};

// A container whose header or lengths contradict its body.
class EContainerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// No embedded resource of that name.
class EResourceNotFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace orvane
