// The assignment error shared by the framework's assignable objects.
#include "highlight/syn_persistent.h"

#include "highlight/highlighter_errors.h"

void TSynPersistent::AssignError(const TSynPersistent* source) const {
    std::string sourceName = source ? source->ClassName() : std::string("nil");
    throw ESynAssignError("Cannot assign a " + sourceName + " to a " + ClassName());
}
