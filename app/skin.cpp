#include "app/skin.h"

#include "app/contrast.h"
#include "common/failure.h"
#include "platform/filesystem.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

namespace tarnwick {
namespace {

QString g_parseWarning;

void CatchParseWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg && message.contains(QStringLiteral("Could not parse")))
        g_parseWarning = message;
}

// Qt's own style sheet parser is the only judge of a sheet; it speaks through a warning when a
// widget is polished, so a throwaway widget is polished with the sheet while the warning is caught.
bool IsValidStyleSheet(const QString& sheet) {
    g_parseWarning.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CatchParseWarning);
    {
        QWidget probe;
        probe.setStyleSheet(sheet);
        probe.ensurePolished();
    }
    qInstallMessageHandler(previous);
    return g_parseWarning.isEmpty();
}

// The text on the face colour is the desktop's button text, the colour made to read on it, and
// kept readable should a palette pair them badly.
// A frame draws its title in the text colour, which the window must leave to the list and boxes.
void SetBackground(QWidget& widget, const QColor& colour, bool framesText = false) {
    QPalette palette = widget.palette();
    const QColor text = TextOn(colour, qApp->palette().color(QPalette::ButtonText));
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, text);
    if (framesText)
        palette.setColor(QPalette::Text, text);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

} // namespace

void SkinFramework1::LoadSkin(const QString& path, const QString& iniFileName) {
    Q_UNUSED(iniFileName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw Failure(failure_code::kPathFileAccessError,
                      QCoreApplication::translate("Tarnwick", "Path/File access error"),
                      file.errorString());
    const QString sheet = QString::fromUtf8(file.readAll());
    if (!IsValidStyleSheet(sheet))
        throw Failure(
            failure_code::kPathFileAccessError,
            QCoreApplication::translate("Tarnwick", "The skin file is not a valid style sheet: %1")
                .arg(path));
    m_styleSheet = sheet;
}

void SkinFramework1::ApplyWindow(QWidget* window) {
    if (!window || !(m_options & kOptionEnabled))
        return;
    if (m_applyToNewWindows)
        qApp->setStyleSheet(m_styleSheet);
    else
        window->setStyleSheet(m_styleSheet);
    if (m_applyColours)
        SetBackground(*window, window->palette().color(QPalette::Button));
}

QString SkinFilePath(const QString& programFolder) {
    return programFolder + QStringLiteral("/x/o.cjs");
}

void ApplySkin(QWidget& window, SkinFramework1& engine, FileSystem& fileSystem,
               const QString& programFolder) {
    const QString path = SkinFilePath(programFolder);
    const std::optional<int> bits = fileSystem.attributes(path);
    constexpr int kNotOrdinary = attribute::kDirectory | attribute::kHidden | attribute::kSystem;
    if (!bits || (*bits & kNotOrdinary))
        return;
    const QColor face = window.palette().color(QPalette::Button);
    SetBackground(window, face);
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (qobject_cast<QRadioButton*>(child) || qobject_cast<QCheckBox*>(child) ||
            qobject_cast<QGroupBox*>(child) || qobject_cast<QLabel*>(child))
            SetBackground(*child, face, qobject_cast<QGroupBox*>(child) != nullptr);
    }
    engine.LoadSkin(path, QString());
    engine.setOptions(engine.options() | SkinFramework1::kOptionEnabled);
    engine.setApplyColours(true);
    engine.setApplyToNewWindows(true);
    engine.ApplyWindow(&window);
}

} // namespace tarnwick
