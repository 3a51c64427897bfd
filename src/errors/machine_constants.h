// Properties of the machine's arithmetic and the unit numbers for messages.
//
// DMACH(N), N = 1..8: smallest normalised double, largest finite double,
// 2^-53, 2^-52, log10(2), quiet NaN, +infinity, -infinity (exact bit patterns).
// IMACH(N), N = 1..12: integer and floating-point format constants.
// UMACH(N, unit): N > 0 reads entry N into `unit`, N < 0 sets entry |N| from
// `unit`. Entries: 1 input unit (5), 2 output unit (6), 3 message unit (6).
// Unit 5 is standard input, unit 6 standard output; messages written to any
// other unit number also go to standard output, so none is lost.
// An out-of-range N prints a TERMINAL message on standard output and stops
// the program (DMACH through the error stack, IMACH and UMACH directly).
#pragma once

namespace modelcheck {

double DMACH(int n);
int IMACH(int n);
void UMACH(int n, int& unit);

}  // namespace modelcheck
