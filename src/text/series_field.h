// The number field of one series record, read fast.
//
// Gives exactly what ReadRealField(field, kRecordWidth, kRecordDecimals)
// gives, bit for bit, for every field: the common record, blanks around a
// signed decimal number with a written point and an optional E exponent, is
// converted in place and correctly rounded; every other field (no point,
// inner blanks, a D or bare-sign exponent, anything unreadable) goes to
// ReadRealField itself. Only the first 20 columns of `field` are read.
#pragma once

#include <optional>
#include <string_view>

namespace modelcheck {

std::optional<double> ReadSeriesField(std::string_view field);

}  // namespace modelcheck
