#pragma once

#include "update_core.h"

#include <cstdio>

namespace qv {

// --batch: the command line's job without a window or a display. The help
// text goes to out, the outcome of a failed job that showed no error to
// err. Returns the exit status: kExitDone when the job did what it was
// asked, kExitFailed otherwise (also when there was no job).
int RunBatch(UpdateCommandLine line, const UpdateServices& services, std::FILE* out = stdout,
             std::FILE* err = stderr);

} // namespace qv
