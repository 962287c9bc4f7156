// SPDX-License-Identifier: GPL-3.0-or-later
#include "portal_screenshot.h"

#include "portal_request.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QUrl>

namespace pigmentry {

PortalScreenshot::PortalScreenshot(QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , bus_(std::move(bus))
{ }

void PortalScreenshot::take(Done done)
{
    const QVariantMap options{{QStringLiteral("interactive"), false}, {QStringLiteral("modal"), true}};
    callPortal(bus_, QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"),
               {parentWindow, options}, timeoutMs, this, [done = std::move(done)](const PortalResponse &response) {
                   switch (response.status) {
                   case PortalResponse::Status::Unreachable: done(QImage(), response.error, true); return;
                   case PortalResponse::Status::Cancelled:
                       // No dialog was shown for it: the desktop gave up. KDE's
                       // portal does so when it cannot save the shot first.
                       done(QImage(),
                            tr("the desktop could not take the screenshot. Some desktops save each screenshot "
                               "in your Pictures folder first: make sure that folder exists and can be written, "
                               "then try again, or pick with the desktop's own picker (Settings)."),
                            false);
                       return;
                   case PortalResponse::Status::Failed:
                       // What the portal answers when screenshots are not allowed.
                       done(QImage(), QStringLiteral("the desktop refused the screenshot"), true);
                       return;
                   case PortalResponse::Status::Success: break;
                   }
                   const QUrl uri(response.results.value(QStringLiteral("uri")).toString());
                   if (!uri.isLocalFile()) {
                       done(QImage(), QStringLiteral("the screenshot is not a local file: ") + uri.toString(), false);
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
                       done(QImage(), QStringLiteral("the screenshot could not be read: ") + reader.errorString(),
                            false);
                   else
                       done(shot, QString(), false);
               });
}

} // namespace pigmentry
