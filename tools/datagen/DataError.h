#pragma once
// A fault in the input data or the file system. The command line turns it into a message on
// stderr and exit status 1, so the build stops instead of packing damaged text.

#include <stdexcept>

namespace orvane::datagen {

class DataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace orvane::datagen
