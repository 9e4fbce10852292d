// The editor control's own error: raised when a clipboard transfer fails.
#pragma once

#include <stdexcept>

class ESynEditError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
