// SPDX-License-Identifier: GPL-3.0-or-later
#include "theme.h"

#include "tools/contrast.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <algorithm>

// The icons are compiled into this static library; nothing else refers to
// them, so their registration is asked for here.
static void registerIcons()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace pigmentry::theme {

namespace {

QColor rgbF(double r, double g, double b)
{
    return QColor::fromRgbF(float(r), float(g), float(b));
}

QPalette palette()
{
    return QGuiApplication::palette();
}

QColor withAlpha(QColor c, double alpha)
{
    c.setAlphaF(float(c.alphaF() * alpha));
    return c;
}

// A colour of the framework made readable as text on this palette's window
// and controls (4.5 : 1): the same hue, darker on a light palette and
// lighter on a dark one, only as far as it must go.
QColor readable(QColor tone)
{
    const QColor window = palette().color(QPalette::Window);
    const QColor base = palette().color(QPalette::Base);
    const bool dark = window.lightnessF() < 0.5;
    auto reads = [&](const QColor &c) {
        return contrastRatio(rgba(c), rgba(window)) >= 4.5 && contrastRatio(rgba(c), rgba(base)) >= 4.5;
    };
    for (int step = 0; step < 50 && !reads(tone); ++step) {
        const float lightness = std::clamp(tone.lightnessF() + (dark ? 0.02f : -0.02f), 0.0f, 1.0f);
        tone = QColor::fromHslF(tone.hslHueF(), tone.hslSaturationF(), lightness);
    }
    return tone;
}

// Symbol names of the program to the bundled icon files.
const QHash<QString, QString> &symbols()
{
    static const QHash<QString, QString> table = {
        {QStringLiteral("eyedropper"), QStringLiteral("eyedropper")},
        {QStringLiteral("arrow.up.right.square"), QStringLiteral("arrow-square-out")},
        {QStringLiteral("clock"), QStringLiteral("clock")},
        {QStringLiteral("star"), QStringLiteral("star")},
        {QStringLiteral("star.fill"), QStringLiteral("star-fill")},
        {QStringLiteral("square.stack.3d.up"), QStringLiteral("stack")},
        {QStringLiteral("circle.hexagongrid"), QStringLiteral("circles-three")},
        {QStringLiteral("rectangle.fill.on.rectangle.fill"), QStringLiteral("gradient")},
        {QStringLiteral("circle.lefthalf.filled"), QStringLiteral("circle-half")},
        {QStringLiteral("photo"), QStringLiteral("image")},
        {QStringLiteral("photo.on.rectangle.angled"), QStringLiteral("images")},
        {QStringLiteral("slider.horizontal.3"), QStringLiteral("sliders-horizontal")},
        {QStringLiteral("doc.on.doc"), QStringLiteral("copy")},
        {QStringLiteral("plus.square.on.square"), QStringLiteral("copy-simple")},
        {QStringLiteral("lock.shield"), QStringLiteral("lock")},
        {QStringLiteral("checkmark.circle"), QStringLiteral("check-circle")},
        {QStringLiteral("exclamationmark.circle"), QStringLiteral("warning-circle")},
        {QStringLiteral("plus"), QStringLiteral("plus")},
        {QStringLiteral("keyboard"), QStringLiteral("keyboard")},
        {QStringLiteral("gearshape"), QStringLiteral("gear")},
        {QStringLiteral("internaldrive"), QStringLiteral("hard-drives")},
        {QStringLiteral("magnifyingglass"), QStringLiteral("magnifying-glass")},
        {QStringLiteral("trash"), QStringLiteral("trash")},
        {QStringLiteral("square.and.arrow.up"), QStringLiteral("export")},
        {QStringLiteral("square.and.arrow.down"), QStringLiteral("tray-arrow-down")},
    };
    return table;
}

QByteArray svgText(const QString &symbol)
{
    static QHash<QString, QByteArray> cache;
    const auto found = cache.constFind(symbol);
    if (found != cache.constEnd())
        return *found;
    registerIcons();
    QFile file(QLatin1String(":/icons/") + symbols().value(symbol) + QLatin1String(".svg"));
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    cache.insert(symbol, text);
    return text;
}

} // namespace

QColor orange()
{
    return rgbF(1.0, 0.584, 0.0);
}
QColor green()
{
    return readable(rgbF(0.204, 0.780, 0.349));
}
QColor red()
{
    return readable(rgbF(1.0, 0.231, 0.188));
}
QColor accent()
{
    return rgbF(0.0, 0.478, 1.0);
}

QColor controlBackground()
{
    return palette().color(QPalette::Base);
}
QColor primary(double opacity)
{
    return withAlpha(palette().color(QPalette::WindowText), opacity);
}
QColor secondary()
{
    return primary(0.55);
}
QColor quaternary()
{
    return primary(0.10);
}

QColor color(Tone tone)
{
    switch (tone) {
    case Tone::Primary: return primary();
    case Tone::Secondary: return secondary();
    case Tone::Quaternary: return quaternary();
    case Tone::Accent: return readable(accent());
    case Tone::White: return Qt::white;
    case Tone::Green: return green();
    case Tone::Red: return red();
    case Tone::Orange: return orange();
    }
    return primary();
}

QFont font(int pixelSize, QFont::Weight weight)
{
    QFont f = QGuiApplication::font();
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    return f;
}

QFont monospace(int pixelSize, QFont::Weight weight)
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    return f;
}

QPixmap pixmap(const QString &symbol, int size, const QColor &color, double devicePixelRatio)
{
    const QString key =
        QStringLiteral("symbol:%1:%2:%3:%4").arg(symbol).arg(size).arg(color.rgba()).arg(devicePixelRatio);
    QPixmap out;
    if (QPixmapCache::find(key, &out))
        return out;
    QByteArray text = svgText(symbol);
    text.replace("currentColor", color.name(QColor::HexRgb).toLatin1());
    out = QPixmap(QSize(size, size) * devicePixelRatio);
    out.setDevicePixelRatio(devicePixelRatio);
    out.fill(Qt::transparent);
    QSvgRenderer renderer(text);
    QPainter painter(&out);
    painter.setOpacity(color.alphaF());
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    QPixmapCache::insert(key, out);
    return out;
}

namespace {

// Paints the symbol in its tone as it stands when painted: disabled icons
// fade, icons on a selection take the selection's text colour.
class SymbolIconEngine : public QIconEngine {
public:
    SymbolIconEngine(const QString &symbol, Tone tone)
        : symbol_(symbol)
        , tone_(tone)
    { }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const double ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const int side = std::min(rect.width(), rect.height());
        const QPixmap image = scaledPixmap(QSize(side, side), mode, state, ratio);
        painter->drawPixmap(QPointF(rect.x() + (rect.width() - side) / 2.0, rect.y() + (rect.height() - side) / 2.0),
                            image);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        QColor c = color(tone_);
        if (mode == QIcon::Selected)
            c = palette().color(QPalette::HighlightedText);
        else if (mode == QIcon::Disabled)
            c.setAlphaF(c.alphaF() * 0.4f);
        return theme::pixmap(symbol_, std::min(size.width(), size.height()), c, scale);
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return QSize(side, side);
    }
    // Tray hosts that take pixmaps ask for the sizes there are.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {QSize(16, 16), QSize(22, 22), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
    }
    QIconEngine *clone() const override { return new SymbolIconEngine(symbol_, tone_); }
    QString key() const override { return QStringLiteral("pigmentry-symbol"); }

private:
    QString symbol_;
    Tone tone_;
};

} // namespace

QIcon icon(const QString &symbol, Tone tone)
{
    return QIcon(new SymbolIconEngine(symbol, tone));
}

QColor color(const RGBA &c)
{
    return QColor::fromRgbF(float(c.r), float(c.g), float(c.b), float(c.a));
}

RGBA rgba(const QColor &color)
{
    const QColor srgb = color.toRgb();
    if (!srgb.isValid())
        return RGBA{0, 0, 0, 1};
    // The 16-bit channels divided in double: a colour given in bytes comes
    // back as exactly n / 255, equal to the same colour typed or picked.
    const QRgba64 c = srgb.rgba64();
    return RGBA{c.red() / 65535.0, c.green() / 65535.0, c.blue() / 65535.0, c.alpha() / 65535.0};
}

} // namespace pigmentry::theme
