#include "errors/message_unit.h"

#include <iostream>

#include "errors/machine_constants.h"

namespace modelcheck {

std::ostream& UnitStream(int /*unit*/) { return std::cout; }

std::ostream& MessageStream() {
  int unit = 0;
  UMACH(3, unit);
  return UnitStream(unit);
}

}  // namespace modelcheck
