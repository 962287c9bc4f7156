#include "theme.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

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

QColor purple() { return rgbF(0.686, 0.322, 0.871); }
QColor orange() { return rgbF(1.0, 0.584, 0.0); }
QColor green() { return rgbF(0.204, 0.780, 0.349); }
QColor red() { return rgbF(1.0, 0.231, 0.188); }
QColor accent() { return rgbF(0.0, 0.478, 1.0); }

QColor windowBackground() { return palette().color(QPalette::Window); }
QColor controlBackground() { return palette().color(QPalette::Base); }
QColor primary(double opacity) { return withAlpha(palette().color(QPalette::WindowText), opacity); }
QColor secondary() { return primary(0.55); }
QColor tertiary() { return primary(0.30); }
QColor quaternary() { return primary(0.10); }

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

bool hasSymbol(const QString &symbol)
{
    return symbols().contains(symbol) && !svgText(symbol).isEmpty();
}

QPixmap pixmap(const QString &symbol, int size, const QColor &color, double devicePixelRatio)
{
    QByteArray text = svgText(symbol);
    text.replace("currentColor", color.name(QColor::HexRgb).toLatin1());
    QPixmap out(QSize(size, size) * devicePixelRatio);
    out.setDevicePixelRatio(devicePixelRatio);
    out.fill(Qt::transparent);
    QSvgRenderer renderer(text);
    QPainter painter(&out);
    painter.setOpacity(color.alphaF());
    renderer.render(&painter, QRectF(0, 0, size, size));
    return out;
}

QIcon icon(const QString &symbol, const QColor &color)
{
    QIcon result;
    for (const int size : {16, 24, 32, 48})
        for (const double ratio : {1.0, 2.0})
            result.addPixmap(pixmap(symbol, size, color, ratio));
    return result;
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
    return RGBA{srgb.redF(), srgb.greenF(), srgb.blueF(), srgb.alphaF()};
}

} // namespace pigmentry::theme
