#pragma once

#include <QStringList>

#include <cstdio>

namespace pigmentry {

// `pigmentry convert COLOR [--format NAME | --all]`: prints colour codes for
// scripts. arguments are those after "convert". Gives the exit status.
int runConvert(const QStringList &arguments, std::FILE *out, std::FILE *err);

} // namespace pigmentry
