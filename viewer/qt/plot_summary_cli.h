// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "job_summary.h"

namespace talvo::plot {

/// Prints the job summary of `file` on standard output, as "name: value" lines or as one
/// JSON object. Returns the exit status: 0, or 1 when the file cannot be read or a line was
/// refused (the message on standard error).
int PrintSummary(const QString& file, const JobSettings& settings, bool json);

}  // namespace talvo::plot
