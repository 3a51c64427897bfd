#include "errors/message_unit.h"

#include "errors/machine_constants.h"
#include "errors/message_sink.h"

namespace modelcheck {

void WriteToUnit(int /*unit*/, std::string_view text) { WriteMessageText(text); }

void WriteToMessageUnit(std::string_view text) {
  int unit = 0;
  UMACH(3, unit);
  WriteToUnit(unit, text);
}

}  // namespace modelcheck
