#pragma once

#include "cli/command.h"

namespace qingyu::cli {

// qingyu-cli convert LINK [--to url|thunder|flashget|qqdl]
extern const Command convert_command;

}  // namespace qingyu::cli
