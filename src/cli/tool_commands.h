#pragma once

#include <QStringList>

#include <cstdio>

namespace pigmentry {

// Commands for scripts that need no display; arguments are those after the
// command's name. Each gives the exit status: 0, or 2 with one line on err
// and nothing on out for bad input; --help prints the usage on out.
//   pigmentry harmony COLOR [--format NAME]
//   pigmentry contrast FOREGROUND BACKGROUND
//   pigmentry gradient FROM TO [--angle DEGREES]
//   pigmentry extract IMAGE [--format NAME]
int runHarmony(const QStringList &arguments, std::FILE *out, std::FILE *err);
int runContrast(const QStringList &arguments, std::FILE *out, std::FILE *err);
int runGradient(const QStringList &arguments, std::FILE *out, std::FILE *err);
int runExtract(const QStringList &arguments, std::FILE *out, std::FILE *err);

} // namespace pigmentry
