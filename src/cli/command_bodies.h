// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The commands' bodies, for the table in commands.cpp. Each runs once its
// line is read and what it needs is there, and gives the exit status: 0, or
// 2 with one line on err and nothing on out for bad input.

#include "cli/commands.h"

namespace pigmentry::commands {

int convert(const CommandLine &line, CommandContext &context);
int palette(const CommandLine &line, CommandContext &context);
int harmony(const CommandLine &line, CommandContext &context);
int contrast(const CommandLine &line, CommandContext &context);
int name(const CommandLine &line, CommandContext &context);
int scale(const CommandLine &line, CommandContext &context);
int gradient(const CommandLine &line, CommandContext &context);
int extract(const CommandLine &line, CommandContext &context);
int pick(const CommandLine &line, CommandContext &context);
int quit(const CommandLine &line, CommandContext &context);
int tour(const CommandLine &line, CommandContext &context);

} // namespace pigmentry::commands
