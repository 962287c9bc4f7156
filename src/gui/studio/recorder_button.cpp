// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/studio/recorder_button.h"

#include "shortcut/shortcut_settings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>

namespace pigmentry {

RecorderButton::RecorderButton(ShortcutSettings &shortcuts, QWidget *parent)
    : QPushButton(parent)
    , shortcuts_(shortcuts)
{
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QPushButton::clicked, this, &RecorderButton::begin);
    connect(&shortcuts, &ShortcutSettings::recordingChanged, this, &RecorderButton::syncRecording);
}

RecorderButton::~RecorderButton()
{
    if (monitoring_)
        qApp->removeEventFilter(this);
}

QString RecorderButton::keyLabel(int key, const QString &text)
{
    static const QHash<int, QString> labels = {
        {Qt::Key_Return, QStringLiteral("↩")},
        {Qt::Key_Space, QStringLiteral("Space")},
        {Qt::Key_Backspace, QStringLiteral("⌫")},
        {Qt::Key_Enter, QStringLiteral("⌤")},
        {Qt::Key_Delete, QStringLiteral("⌦")},
        {Qt::Key_Left, QStringLiteral("←")},
        {Qt::Key_Right, QStringLiteral("→")},
        {Qt::Key_Down, QStringLiteral("↓")},
        {Qt::Key_Up, QStringLiteral("↑")},
        {Qt::Key_Home, QStringLiteral("Home")},
        {Qt::Key_End, QStringLiteral("End")},
        {Qt::Key_PageUp, QStringLiteral("Page Up")},
        {Qt::Key_PageDown, QStringLiteral("Page Down")},
    };
    if (const auto it = labels.constFind(key); it != labels.cend())
        return *it;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    // Keys with a character carry it as their code, whatever the modifiers
    // did to the event's text.
    if (key > 0x20 && key < 0x110000 && key != 0x7F && !(key >= 0xD800 && key < 0xE000))
        return QString::fromUcs4(reinterpret_cast<const char32_t *>(&key), 1).toUpper();
    // Every other key by Qt's own English name for it: "Ins", "Print",
    // "Media Play".
    if (key != Qt::Key_unknown && !isModifierOrLockKey(quint32(key))) {
        const QString name = QKeySequence(key).toString(QKeySequence::PortableText);
        if (!name.isEmpty() && !name.startsWith(QLatin1String("0x")))
            return name;
    }
    QString plain = text;
    plain.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    return plain.toUpper();
}

std::optional<ShortcutConfiguration> RecorderButton::configurationFor(const QKeyEvent &event)
{
    const int key = event.key();
    if (isModifierOrLockKey(quint32(key)))
        return std::nullopt;
    const Qt::KeyboardModifiers held = event.modifiers();
    quint32 modifiers = 0;
    if (held & Qt::MetaModifier)
        modifiers |= ShortcutConfiguration::Super;
    if (held & Qt::ShiftModifier)
        modifiers |= ShortcutConfiguration::Shift;
    if (held & Qt::AltModifier)
        modifiers |= ShortcutConfiguration::Alt;
    if (held & Qt::ControlModifier)
        modifiers |= ShortcutConfiguration::Ctrl;
    return ShortcutConfiguration{quint32(key), modifiers, keyLabel(key, event.text())};
}

void RecorderButton::begin()
{
    if (shortcuts_.recording()) {
        // A second click cancels.
        shortcuts_.stopRecording();
        return;
    }
    setFocus(Qt::OtherFocusReason);
    shortcuts_.beginRecording();
    if (!monitoring_) {
        qApp->installEventFilter(this);
        monitoring_ = true;
    }
}

void RecorderButton::syncRecording()
{
    if (!shortcuts_.recording() && monitoring_) {
        qApp->removeEventFilter(this);
        monitoring_ = false;
    }
}

bool RecorderButton::eventFilter(QObject *watched, QEvent *event)
{
    const bool press = event->type() == QEvent::KeyPress;
    if ((!press && event->type() != QEvent::ShortcutOverride) || !shortcuts_.recording())
        return false;
    auto *target = qobject_cast<QWidget *>(watched);
    if (!target || target->window() != window() || !window()->isActiveWindow())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (!press) {
        // Claimed, so that no shortcut of the window (Ctrl+Z, ...) fires;
        // the press itself follows. Tab keeps its role.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false;
        event->accept();
        return true;
    }
    return keyDown(key);
}

bool RecorderButton::keyDown(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape: shortcuts_.stopRecording(); return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: shortcuts_.stopRecording(); return false;
    default: break;
    }
    // Holding a key down tries the combination once.
    if (event->isAutoRepeat())
        return true;
    if (const std::optional<ShortcutConfiguration> configuration = configurationFor(*event))
        shortcuts_.set(*configuration);
    return true;
}

void RecorderButton::focusOutEvent(QFocusEvent *event)
{
    shortcuts_.stopRecording();
    QPushButton::focusOutEvent(event);
}

ShortcutRecorder::ShortcutRecorder(ShortcutSettings &shortcuts, QWidget *parent)
    : QWidget(parent)
    , shortcuts_(shortcuts)
    , button_(new RecorderButton(shortcuts))
{
    setFixedSize(180, 28);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(button_);
    button_->setObjectName(QStringLiteral("shortcutRecorder"));
    button_->setAccessibleName(QCoreApplication::translate("RecorderButton", "Pick Color shortcut"));
    connect(&shortcuts, &ShortcutSettings::configurationChanged, this, &ShortcutRecorder::update);
    connect(&shortcuts, &ShortcutSettings::recordingChanged, this, &ShortcutRecorder::update);
    update();
}

void ShortcutRecorder::update()
{
    const QString title = shortcuts_.recording() ? QCoreApplication::translate("RecorderButton", "Type shortcut…")
                                                 : shortcuts_.configuration().display();
    button_->setText(title);
    // Qt's buttons have no value of their own; the description carries it.
    button_->setAccessibleDescription(title);
}

void ShortcutRecorder::hideEvent(QHideEvent *event)
{
    shortcuts_.stopRecording();
    QWidget::hideEvent(event);
}

} // namespace pigmentry
