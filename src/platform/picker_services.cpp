#include "picker_services.h"

#include "portal/portal_color_picker.h"
#include "qt_alerts.h"
#include "x11/x11_overlay.h"
#include "x11/x11_screen_access.h"
#include "x11/x11_screen_source.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

namespace pigmentry {

namespace {

// A session without live capture: no screens, no overlay, no access.
class NoScreens : public ScreenSource {
public:
    QList<PickerScreen> screens() const override { return {}; }
    QPointF pointer() const override { return {}; }
    void capture(const PickerScreen &, const QRect &, CaptureDone done) override
    {
        done(QImage(), QStringLiteral("this session offers no screen capture"));
    }
};

class NoOverlay : public PickerOverlay {
public:
    std::optional<QString> show(const QList<PickerScreen> &) override
    {
        return QStringLiteral("this session offers no overlay");
    }
    void hide() override {}
    void present(const Magnifier &, const QPointF &, const QRectF &) override {}
};

class NoAccess : public ScreenAccess {
public:
    bool preflight() override { return false; }
    bool request() override { return false; }
    void openSettings() override { openDesktopPrivacySettings(); }
};

} // namespace

std::unique_ptr<PickerServices> createPickerServices()
{
    auto services = std::make_unique<PickerServices>();
    services->sampler = std::make_unique<PortalColorPicker>();
    services->alerts = std::make_unique<QtAlerts>();

    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    std::unique_ptr<X11ScreenSource> source = x11 && x11->connection() ? X11ScreenSource::create() : nullptr;
    if (source) {
        // The overlay's windows and grabs belong to Qt's connection, whose
        // events Qt reads for it.
        xcb_connection_t *connection = x11->connection();
        const quint32 root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        services->access = std::make_unique<X11ScreenAccess>(*source);
        services->overlay = std::make_unique<X11Overlay>(connection, root);
        services->source = std::move(source);
    } else {
        services->source = std::make_unique<NoScreens>();
        services->overlay = std::make_unique<NoOverlay>();
        services->access = std::make_unique<NoAccess>();
    }
    return services;
}

} // namespace pigmentry
