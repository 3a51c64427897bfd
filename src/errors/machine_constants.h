// Properties of the machine's arithmetic and the unit numbers for messages.
//
// DMACH(N), N = 1..8: smallest normalised double, largest finite double,
// 2^-53, 2^-52, log10(2), quiet NaN, +infinity, -infinity (exact bit patterns).
// IMACH(N), N = 1..12: integer and floating-point format constants.
// UMACH(N, unit): N > 0 reads entry N into `unit`, N < 0 sets entry |N| from
// `unit`. Entries: 1 input unit (5), 2 output unit (6), 3 message unit (6).
// Unit 5 is standard input, unit 6 standard output.
// An out-of-range N prints a TERMINAL message and stops the program.
#pragma once

namespace modelcheck {

double DMACH(int n);
int IMACH(int n);
void UMACH(int n, int& unit);

}  // namespace modelcheck
