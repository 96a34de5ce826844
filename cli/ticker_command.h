#pragma once

#include "cli/command.h"

namespace qingyu::cli {

// qingyu-cli ticker [--services FILE]
extern const Command ticker_command;

}  // namespace qingyu::cli
