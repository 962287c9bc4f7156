// SPDX-License-Identifier: GPL-3.0-or-later
#include "portal_screenshot.h"

#include "portal_request.h"

#include <QFile>
#include <QImageReader>
#include <QUrl>

namespace pigmentry {

PortalScreenshot::PortalScreenshot(QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , bus(std::move(bus))
{ }

void PortalScreenshot::take(Done done)
{
    const QVariantMap options{{QStringLiteral("interactive"), false}, {QStringLiteral("modal"), true}};
    callPortal(bus, QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"),
               {parentWindow, options}, timeoutMs, this, [done = std::move(done)](const PortalResponse &response) {
                   switch (response.status) {
                   case PortalResponse::Status::Unreachable: done(QImage(), response.error); return;
                   case PortalResponse::Status::Cancelled:
                       done(QImage(), QStringLiteral("the screenshot was refused"));
                       return;
                   case PortalResponse::Status::Failed:
                       done(QImage(), QStringLiteral("the desktop could not take a screenshot"));
                       return;
                   case PortalResponse::Status::Success: break;
                   }
                   const QUrl uri(response.results.value(QStringLiteral("uri")).toString());
                   if (!uri.isLocalFile()) {
                       done(QImage(), QStringLiteral("the screenshot is not a local file: ") + uri.toString());
                       return;
                   }
                   // The portal wrote the file for this request alone; it is
                   // not the user's to keep.
                   const QString path = uri.toLocalFile();
                   QImageReader reader(path);
                   reader.setAutoTransform(true);
                   const QImage shot = reader.read();
                   QFile::remove(path);
                   if (shot.isNull())
                       done(QImage(), QStringLiteral("the screenshot could not be read: ") + reader.errorString());
                   else
                       done(shot, QString());
               });
}

} // namespace pigmentry
