// Numbers as data files show them: the shortest decimal text that reads back
// as the same double, independent of the locale ("0.05", "1e-07", "-2.5").
// Not-a-number is "nan", infinities "inf" and "-inf".
#pragma once

#include <string>

namespace modelcheck {

std::string ShortestNumberText(double value);

}  // namespace modelcheck
