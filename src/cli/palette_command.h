#pragma once

#include <QStringList>

#include <cstdio>

namespace pigmentry {

// `pigmentry palette FILE [--format NAME | --to gpl|json]`: reads a palette
// file of either kind, as the import does, and prints its name and one code
// per colour, or the palette in the other file format. arguments are those
// after "palette". Gives the exit status.
int runPalette(const QStringList &arguments, std::FILE *out, std::FILE *err);

} // namespace pigmentry
