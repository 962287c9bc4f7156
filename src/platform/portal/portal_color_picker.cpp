// SPDX-License-Identifier: GPL-3.0-or-later
#include "portal_color_picker.h"

#include "portal_request.h"

#include <QDBusArgument>

#include <cmath>
#include <optional>

namespace pigmentry {

namespace {

// The colour of a PickColor answer: three finite numbers, as bytes the way
// every other pick gives them (rounded, never truncated); anything else is
// no colour.
std::optional<RGBA> pickedColor(const QVariantMap &results)
{
    const QVariant value = results.value(QStringLiteral("color"));
    if (value.userType() != qMetaTypeId<QDBusArgument>())
        return std::nullopt;
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)"))
        return std::nullopt;
    double r = 0, g = 0, b = 0;
    argument.beginStructure();
    argument >> r >> g >> b;
    argument.endStructure();
    if (!std::isfinite(r) || !std::isfinite(g) || !std::isfinite(b))
        return std::nullopt;
    auto byte = [](double c) { return std::round(std::clamp(c, 0.0, 1.0) * 255.0) / 255.0; };
    return RGBA{byte(r), byte(g), byte(b), 1.0};
}

} // namespace

PortalColorPicker::PortalColorPicker(QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , bus_(std::move(bus))
{ }

void PortalColorPicker::pickColor(Done done)
{
    callPortal(bus_, QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("PickColor"),
               {parentWindow, QVariantMap()}, timeoutMs, this,
               [done = std::move(done)](const PortalResponse &response) {
                   // Only success picks; a cancelled or failed request, or an
                   // answer without a colour, picks nothing.
                   if (response.status == PortalResponse::Status::Unreachable)
                       done(Outcome::Unavailable, {}, response.error);
                   else if (const std::optional<RGBA> color = response.status == PortalResponse::Status::Success
                                ? pickedColor(response.results)
                                : std::nullopt)
                       done(Outcome::Picked, *color, {});
                   else
                       done(Outcome::Cancelled, {}, {});
               });
}

} // namespace pigmentry
