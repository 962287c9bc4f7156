// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fake_file_dialogs.h"
#include "fake_hot_keys.h"
#include "fake_picker_desktop.h"
#include "platform/desktop/desktop_services.h"

#include <QStringList>

#include <memory>

class QWidget;

namespace pigmentry::test {

// Remembers every text put on the clipboard; text() is the last one.
class FakeClipboard : public Clipboard {
public:
    QStringList texts;
    void setText(const QString &text) override { texts.append(text); }
    QString text() const { return texts.value(texts.size() - 1); }
};

class FakeTaskbar : public Taskbar {
public:
    QList<bool> shown;
    void setShown(QWidget *, bool value) override { shown.append(value); }
};

class FakeNotifications : public Notifications {
public:
    QStringList shown; // the summaries
    QList<QImage> icons;
    bool available = true;
    bool isAvailable() const override { return available; }
    void show(const QString &summary, const QImage &icon, int) override
    {
        shown.append(summary);
        icons.append(icon);
    }
};

class FakeAutostart : public Autostart {
public:
    bool enabled = false;
    std::optional<QString> refuse;
    bool isEnabled() const override { return enabled; }
    Result setEnabled(bool value) override
    {
        if (refuse)
            return Result::failure(*refuse);
        enabled = value;
        return {};
    }
};

class FakeWorkspace : public Workspace {
public:
    QStringList opened;
    int privacySettings = 0;
    bool openFolder(const QString &path) override
    {
        opened.append(path);
        return true;
    }
    bool openPrivacySettings() override
    {
        ++privacySettings;
        return true;
    }
};

// Every desktop service as a fake the test can steer and read. services()
// hands them over once, as the application takes them; the pointers stay
// valid as long as whoever took them keeps them.
class FakeDesktop {
public:
    FakeDesktop()
        : owned_(std::make_unique<DesktopServices>())
    {
        owned_->hotKeys.reset(hotKeys = new FakeHotKeys);
        owned_->screens.reset(screens = new FakeScreenSource);
        owned_->overlay.reset(overlay = new FakeOverlay);
        owned_->sampler.reset(sampler = new FakeSampler);
        owned_->screenAccess.reset(access = new FakeAccess);
        owned_->clipboard.reset(clipboard = new FakeClipboard);
        owned_->taskbar.reset(taskbar = new FakeTaskbar);
        owned_->autostart.reset(autostart = new FakeAutostart);
        owned_->alerts.reset(alerts = new FakeAlerts);
        owned_->fileDialogs.reset(fileDialogs = new FakeFileDialogs);
        owned_->workspace.reset(workspace = new FakeWorkspace);
        owned_->notifications.reset(notifications = new FakeNotifications);
    }

    std::unique_ptr<DesktopServices> services() { return std::move(owned_); }
    // For tests that keep the services themselves.
    DesktopServices &get() { return *owned_; }

    FakeHotKeys *hotKeys;
    FakeScreenSource *screens;
    FakeOverlay *overlay;
    FakeSampler *sampler;
    FakeAccess *access;
    FakeClipboard *clipboard;
    FakeTaskbar *taskbar;
    FakeAutostart *autostart;
    FakeAlerts *alerts;
    FakeFileDialogs *fileDialogs;
    FakeWorkspace *workspace;
    FakeNotifications *notifications;

private:
    std::unique_ptr<DesktopServices> owned_;
};

} // namespace pigmentry::test
