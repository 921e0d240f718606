#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace dravik {

// Error numbers of the run-time errors the platform raises.
constexpr std::int16_t kErrInvalidCall = 5;
constexpr std::int16_t kErrOverflow = 6;
constexpr std::int16_t kErrOutOfMemory = 7;
constexpr std::int16_t kErrSubscript = 9;
constexpr std::int16_t kErrInternal = 51;

// A failing operation: a number and a description that a trapping handler can report.
class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(std::int16_t number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    std::int16_t Number() const { return number_; }
    std::string Description() const { return what(); }

  private:
    std::int16_t number_;
};

// Turns the exception being handled into the run-time error it stands for. Call only inside a
// catch block.
RuntimeError CurrentRuntimeError();

// Thrown when a form's code finds, on return from the toolkit, that its window was unloaded in
// the meantime: it unwinds to the event handler that was running, which then returns quietly.
// Deliberately not a std::exception, so that no error trap swallows it.
struct FormUnloaded {};

}  // namespace dravik
