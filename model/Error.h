#pragma once

#include <stdexcept>
#include <string>

namespace kivo {

// The program's error type: every failure that should reach the user as a message.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace kivo
