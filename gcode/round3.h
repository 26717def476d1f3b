// SPDX-License-Identifier: MIT
#pragma once

namespace talvo {

/// Rounds to three decimal places; an exact half-way value goes to the even last digit,
/// and Round3(-x) == -Round3(x). The decision is made on the exact value of the double,
/// so a typed 1.0005 (stored just below the half) gives 1, and 2.0005 (just above) 2.001.
double Round3(double value);

}  // namespace talvo
