#pragma once

#include <QStringList>

#include <cstdio>

namespace pigmentry {

// `pigmentry convert COLOR [--format NAME | --all]`: prints colour codes for
// scripts. arguments are those after "convert". Gives the exit status.
int runConvert(const QStringList &arguments, std::FILE *out, std::FILE *err);

// The refusal of a format name that is not one of the formats, with the list;
// empty for a known name.
QString unknownFormat(const QString &name);

} // namespace pigmentry
