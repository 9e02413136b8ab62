#pragma once

#include <QString>

class QWidget;

namespace tarnwick {

class FileSystem;

// The window's skin engine. A skin file is a Qt style sheet; the engine is driven through the
// same calls, in the same order, as the skin control the program was made with.
class SkinFramework1 {
public:
    // Option bit 0: the engine draws at all; without it ApplyWindow leaves the window alone.
    static constexpr int kOptionEnabled = 1;

    // Reads and checks the skin file. Throws Failure when it cannot be read or is not a valid
    // style sheet.
    void LoadSkin(const QString& path, const QString& iniFileName);

    int options() const { return m_options; }
    void setOptions(int options) { m_options = options; }

    // Member 5: the window's own background takes the face colour as well.
    void setApplyColours(bool on) { m_applyColours = on; }
    // Member 10: message boxes and the other windows of the program take the skin too.
    void setApplyToNewWindows(bool on) { m_applyToNewWindows = on; }

    void ApplyWindow(QWidget* window);

    const QString& styleSheet() const { return m_styleSheet; }

private:
    QString m_styleSheet;
    int m_options = 0;
    bool m_applyColours = false;
    bool m_applyToNewWindows = false;
};

// Applies the skin file beside the program, if there is one: the face colour for the window, its
// frames and check boxes, then the engine's six calls. Failures pass to the caller's trap.
void ApplySkin(QWidget& window, SkinFramework1& engine, FileSystem& fileSystem,
               const QString& programFolder);

// The skin file's path for a program folder.
QString SkinFilePath(const QString& programFolder);

} // namespace tarnwick
