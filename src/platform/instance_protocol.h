// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace pigmentry::instance {

// What a launch or a command asks of the running Pigmentry, and what it
// answers: every message starts with the protocol's version, so that a
// running Pigmentry and a command installed since say clearly that they
// differ instead of misreading each other.
inline constexpr int protocolVersion = 3;

enum class Verb {
    Open, // a launch again: the Studio opens (arguments: the launch's own)
    Pick, // a pick for `pigmentry pick` (arguments: PickOptions)
    Quit,
    Tour, // the screenshot tour (arguments: the folder, and what to show)
};

struct Request {
    Verb verb = Verb::Open;
    QStringList arguments;
};

QStringList encodeRequest(const Request &request);

// What `pigmentry pick` asks for.
struct PickOptions {
    QString format; // empty: the default format
    bool multiple = false; // go on picking until the user ends the pick
    QString palette; // the name of the palette the colours go into, if any
    int sample = 0; // the averaged square's side; 0: the preference's
};
QStringList pickArguments(const PickOptions &options);
PickOptions pickOptions(const QStringList &arguments);
// Nothing for a request of another version or an unknown verb, with the
// reason for people.
std::optional<Request> decodeRequest(const QStringList &message, QString *why = nullptr);

enum class Outcome {
    Done, // text: what the request gave, one item a line (may be empty)
    Picked, // code: the colour; text: why it is not in the saved history, if it is not
    Invalid, // text: why the request cannot be carried out as asked
    Cancelled,
    Refused, // text: why
    OtherVersion, // the other side speaks another version
};

struct Reply {
    Outcome outcome = Outcome::Done;
    QString code;
    QString text;
};

QString encodeReply(const Reply &reply);
Reply decodeReply(const QString &message);

// What the running Pigmentry answers a request of another version.
QString otherVersionText();

} // namespace pigmentry::instance
