// The common base of the highlighter framework's assignable objects: a class name for messages
// and a copy from another object that refuses sources of the wrong kind.
#pragma once

#include <string>

class TSynPersistent {
  public:
    virtual ~TSynPersistent() = default;

    virtual std::string ClassName() const = 0;
    // Copies the source's settings; a source of the wrong kind (or none) raises ESynAssignError
    // "Cannot assign a <source class or nil> to a <own class>".
    virtual void Assign(const TSynPersistent* source) = 0;

  protected:
    [[noreturn]] void AssignError(const TSynPersistent* source) const;
};
