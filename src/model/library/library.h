// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace pigmentry {

// Points in time are stored as seconds (with fraction) since
// 2001-01-01 00:00:00 UTC, the form the library file uses.
double secondsSinceReferenceDate(const QDateTime &time);
QDateTime dateFromReferenceSeconds(double seconds);

// One entry of the history.
struct ColorRecord {
    QUuid id;
    RGBA color;
    double date = 0.0; // seconds since 2001-01-01 00:00:00 UTC
    QString label;
    bool favorite = false;
    QString colorSpace = QStringLiteral("sRGB");

    // A new record for a captured colour: random id, no label; date in
    // seconds since 2001-01-01 00:00:00 UTC.
    static ColorRecord captured(const RGBA &color, double date);

    static std::optional<ColorRecord> fromJson(const QJsonValue &value, QString *error);
    // As fromJson; where names the record's place in the document for the error.
    static std::optional<ColorRecord> fromJsonAt(const QJsonValue &value, const QString &where, QString *error);

    friend bool operator==(const ColorRecord &, const ColorRecord &) = default;
};

// A named, ordered collection of colours; duplicates are allowed. A colour
// may have a name of its own (a file gave it, or the user did).
struct Palette {
    QUuid id;
    QString name;
    QList<RGBA> colors;
    QString notes;
    // The colours' names by position: "" where a colour has none, and no
    // longer than up to the last named colour (a palette without names has
    // none at all), so that equal palettes compare equal.
    QStringList colorNames = {};

    QString colorName(qsizetype index) const { return colorNames.value(index); }
    bool hasColorNames() const { return !colorNames.isEmpty(); }
    void setColorName(qsizetype index, const QString &name);
    void appendColor(const RGBA &color, const QString &name = QString());
    // At index, clamped to the ends.
    void insertColor(qsizetype index, const RGBA &color, const QString &name = QString());
    void removeColor(qsizetype index);
    // Moves the colour at from to the place to, its name with it.
    void moveColor(qsizetype from, qsizetype to);

    static std::optional<Palette> fromJson(const QJsonValue &value, QString *error);
    static std::optional<Palette> fromJsonAt(const QJsonValue &value, const QString &where, QString *error);

    friend bool operator==(const Palette &, const Palette &) = default;
};

// The persisted document: the history (newest first) and the palettes (in
// creation order).
struct Library {
    QList<ColorRecord> history;
    QList<Palette> palettes;

    static std::optional<Library> fromJson(const QJsonValue &value, QString *error);

    friend bool operator==(const Library &, const Library &) = default;
};

// Compact JSON of the library file and of one palette, with the keys above
// (library_writer.cpp): numbers in their shortest text without an exponent.
// Nothing when a number is not finite (JSON cannot hold it), with the reason
// in error.
std::optional<QByteArray> encodeLibrary(const Library &library, QString *error);
std::optional<QByteArray> encodePalette(const Palette &palette, QString *error);
// Parses bytes that must hold one JSON object.
std::optional<QJsonObject> parseJsonObject(const QByteArray &bytes, QString *error);

// Text from a file as a notice quotes it: at most 80 characters, the last an
// ellipsis where it was cut.
QString quotedText(const QString &text);

// UUIDs are written in the canonical 36-character form, upper case.
QString uuidText(const QUuid &id);

} // namespace pigmentry
