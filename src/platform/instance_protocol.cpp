// SPDX-License-Identifier: GPL-3.0-or-later
#include "instance_protocol.h"

#include <QCoreApplication>

#include <array>
#include <utility>

namespace pigmentry::instance {

namespace {

// The version leads every message: "pigmentry/3".
QString versionTag()
{
    return QStringLiteral("pigmentry/%1").arg(protocolVersion);
}

constexpr std::array<std::pair<Verb, const char *>, 4> verbs{{
    {Verb::Open, "open"},
    {Verb::Pick, "pick"},
    {Verb::Quit, "quit"},
    {Verb::Tour, "tour"},
}};

constexpr std::array<std::pair<Outcome, const char *>, 5> outcomes{{
    {Outcome::Done, "done"},
    {Outcome::Picked, "picked"},
    {Outcome::Invalid, "invalid"},
    {Outcome::Cancelled, "cancelled"},
    {Outcome::Refused, "refused"},
}};

} // namespace

QString otherVersionText()
{
    return QCoreApplication::translate("Instance",
                                       "The running Pigmentry is another version than this command: quit it "
                                       "(pigmentry quit, or Quit in its menu) and start Pigmentry again.");
}

QStringList encodeRequest(const Request &request)
{
    QStringList message{versionTag()};
    for (const auto &[verb, name] : verbs) {
        if (verb == request.verb)
            message << QLatin1String(name);
    }
    return message + request.arguments;
}

QStringList pickArguments(const PickOptions &options)
{
    return {options.format, options.multiple ? QStringLiteral("multiple") : QString(), options.palette,
            options.sample > 0 ? QString::number(options.sample) : QString()};
}

PickOptions pickOptions(const QStringList &arguments)
{
    return {arguments.value(0), arguments.value(1) == QLatin1String("multiple"), arguments.value(2),
            arguments.value(3).toInt()};
}

std::optional<Request> decodeRequest(const QStringList &message, QString *why)
{
    if (message.value(0) != versionTag()) {
        if (why)
            *why = otherVersionText();
        return std::nullopt;
    }
    for (const auto &[verb, name] : verbs) {
        if (message.value(1) == QLatin1String(name))
            return Request{verb, message.mid(2)};
    }
    if (why)
        *why = QStringLiteral("unknown request \"%1\"").arg(message.value(1));
    return std::nullopt;
}

// "pigmentry/3", the outcome, the code and the text, a tab between them;
// neither a code nor a reason holds a tab.
QString encodeReply(const Reply &reply)
{
    QString outcome = QStringLiteral("refused");
    for (const auto &[kind, name] : outcomes) {
        if (kind == reply.outcome)
            outcome = QLatin1String(name);
    }
    QString text = reply.outcome == Outcome::OtherVersion ? otherVersionText() : reply.text;
    QString code = reply.code;
    code.replace(u'\t', u' ');
    text.replace(u'\t', u' ');
    return versionTag() + u'\t' + outcome + u'\t' + code + u'\t' + text;
}

Reply decodeReply(const QString &message)
{
    const QStringList parts = message.split(u'\t');
    if (parts.value(0) != versionTag() || parts.size() != 4)
        return {Outcome::OtherVersion, QString(), otherVersionText()};
    for (const auto &[kind, name] : outcomes) {
        if (parts.at(1) == QLatin1String(name))
            return {kind, parts.at(2), parts.at(3)};
    }
    return {Outcome::OtherVersion, QString(), otherVersionText()};
}

} // namespace pigmentry::instance
