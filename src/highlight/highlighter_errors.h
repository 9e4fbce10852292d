// Errors the highlighter framework raises; each carries the message text the user sees.
#pragma once

#include <stdexcept>

// A second attribute with a name already in a highlighter's attribute list
// ("String list does not allow duplicates").
class ESynAttributeListError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Assigning from a source of the wrong kind ("Cannot assign a %s to a %s").
class ESynAssignError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An error raised inside the error handler of a notification chain.
class ESynNotifyChainError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
