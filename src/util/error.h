#pragma once
#include <stdexcept>
#include <string>

namespace vexal {

// A failure inside a handler. The message is shown as it stands in the standard
// error box by the one dispatcher that runs handlers; the program keeps running.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace vexal
