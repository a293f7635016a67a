// EAssertionFailed: the error a failed internal check raises, naming the unit and line that made it.
#pragma once

#include <stdexcept>
#include <string>

class EAssertionFailed : public std::logic_error {
public:
    EAssertionFailed(std::string unit, int line)
        : std::logic_error("Assertion failure (" + unit + ", line " + std::to_string(line) + ")"),
          unit_(std::move(unit)),
          line_(line) {}

    // The message proper, without the source position.
    static const char* Message() { return "Assertion failure"; }
    const std::string& Unit() const { return unit_; }
    int Line() const { return line_; }

private:
    std::string unit_;
    int line_;
};
