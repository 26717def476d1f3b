// SPDX-License-Identifier: MIT
// talvo-plot --summary: the job summary of a file printed for a script, without any toolkit.
#pragma once

#include <cstdio>
#include <string>

#include "job_summary.h"

namespace talvo::plot {

/// Prints the job summary of `file` (its name as given, bytes as the system takes them) on
/// `out`, as "name: value" lines or as one JSON object; the refused lines and what was passed
/// over go to `err`. Returns the exit status: 0, or 1 when the file cannot be read or a line was
/// refused (the message on `err`). While the file is read, a terminal `err` shows how far it has come.
int PrintSummary(const std::string& file, const JobSettings& settings, bool json, std::FILE* out, std::FILE* err);

}  // namespace talvo::plot
