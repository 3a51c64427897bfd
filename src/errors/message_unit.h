// Maps the unit numbers of the unit table onto the program's streams.
//
// Unit 6 is standard output. The program has no other place for text, so
// any other unit number also writes to standard output rather than losing
// the message. Written through std::cout, which stays synchronised with
// stdio, so messages and the dialogue's lines keep their order.
#pragma once

#include <ostream>

namespace modelcheck {

std::ostream& UnitStream(int unit);

// The stream of the message unit (entry 3 of the unit table).
std::ostream& MessageStream();

}  // namespace modelcheck
