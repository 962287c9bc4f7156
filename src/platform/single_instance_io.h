// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "single_instance.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct sockaddr_un;

// The single instance's lock file and socket at the level of the system:
// messages on the wire, the peer's user, private folders.
namespace pigmentry::instance_io {

// A message is its length (4 bytes, big-endian) and then the data.
QByteArray framed(const QByteArray &data);

// Takes one whole message off the front of buffer; nothing while it is
// incomplete. tooLong is set when the length says more than is allowed.
std::optional<QByteArray> takeMessage(QByteArray &buffer, bool *tooLong);

// Whether the process at the other end of a local socket runs as this user.
bool peerIsThisUser(qintptr descriptor);

// A folder of ours: a real folder (not a link), owned by this user, that no
// one else may enter.
bool isPrivateFolder(const QString &path);

// An exclusive lock on the file at path through a descriptor of its own;
// -1 when another descriptor (of any process) holds it, or when it cannot
// be had, with the state and the reason. The file is never followed through
// a link nor truncated here: a lock path that is not our own regular file
// is refused, not written through.
int takeLock(const QString &path, SingleInstance::LockState *state = nullptr, QString *problem = nullptr);

// The socket address of path; false when the path is too long for one.
bool fillAddress(sockaddr_un *address, const QString &path);

// Whether something listens at path.
bool answersAt(const QString &path);

// The inode of the socket at path, 0 when there is none: whether the
// socket is still the one this instance made.
quint64 socketInode(const QString &path);

} // namespace pigmentry::instance_io
