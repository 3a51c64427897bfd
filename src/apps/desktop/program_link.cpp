#include "apps/desktop/program_link.h"

namespace modelcheck {

ProgramLink& Link() {
  static ProgramLink link;
  return link;
}

}  // namespace modelcheck
