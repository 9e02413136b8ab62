#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <unistd.h>

// Real disks for the tests: an image on a loop device, exFAT mounted through FUSE or btrfs mounted
// by the kernel.
namespace tarnwick::test {

inline QString FindTool(const QString& name) {
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin", "/usr/bin", "/bin"});
    return path;
}

// Runs a tool to its end; the empty text on success, else what went wrong.
inline QString RunTool(const QString& program, const QStringList& arguments,
                       QString* output = nullptr) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return program + ": did not run";
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    if (process.exitCode() != 0)
        return QStringLiteral("%1 %2: exit code %3: %4")
            .arg(program, arguments.join(u' '))
            .arg(process.exitCode())
            .arg(QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
    return {};
}

enum class Disk { Exfat, Btrfs };

// A small image on a loop device, mounted. Whatever was set up is taken down again when the
// object goes, also after a failed set-up or a failed test.
class ExfatMount {
public:
    explicit ExfatMount(qint64 imageBytes = 8 * 1024 * 1024, Disk disk = Disk::Exfat)
        : m_imageBytes(imageBytes), m_disk(disk) {}
    ExfatMount(const ExfatMount&) = delete;
    ExfatMount& operator=(const ExfatMount&) = delete;

    ~ExfatMount() {
        if (m_mounted && !RunTool(m_umount, {m_mountPoint}).isEmpty())
            RunTool(m_umount, {"-l", m_mountPoint});
        if (!m_loop.isEmpty())
            RunTool(m_losetup, {"-d", m_loop});
    }

    // The empty text when mounted, else why it cannot be.
    QString mount() {
        if (geteuid() != 0)
            return "needs root to attach a loop device and mount";
        if (m_disk == Disk::Exfat && access("/dev/fuse", R_OK | W_OK) != 0)
            return "no usable /dev/fuse";
        if (access("/dev/loop-control", R_OK | W_OK) != 0)
            return "no loop devices (/dev/loop-control)";
        m_losetup = FindTool("losetup");
        m_umount = FindTool("umount");
        const bool btrfs = m_disk == Disk::Btrfs;
        const QString mkfs = FindTool(btrfs ? "mkfs.btrfs" : "mkfs.exfat");
        const QString mountFuse = FindTool(btrfs ? "mount" : "mount.exfat-fuse");
        if (m_losetup.isEmpty() || m_umount.isEmpty())
            return "losetup or umount not found";
        if (mkfs.isEmpty())
            return btrfs ? "mkfs.btrfs not found (Debian package btrfs-progs)"
                         : "mkfs.exfat not found (Debian package exfatprogs)";
        if (mountFuse.isEmpty())
            return btrfs ? "mount not found"
                         : "mount.exfat-fuse not found (Debian package exfat-fuse)";
        if (!m_temp.isValid())
            return "no temporary folder";

        const QString image = m_temp.filePath("exfat.img");
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(m_imageBytes))
            return "cannot create the image file";
        file.close();
        if (QString error = RunTool(mkfs, btrfs ? QStringList{"-q", image} : QStringList{image});
            !error.isEmpty())
            return error;
        if (QString error = RunTool(m_losetup, {"--find", "--show", image}, &m_loop);
            !error.isEmpty()) {
            m_loop.clear();
            return error;
        }
        m_mountPoint = m_temp.filePath("mnt");
        if (!QDir().mkpath(m_mountPoint))
            return "cannot create the mount point";
        if (QString error = RunTool(mountFuse, {m_loop, m_mountPoint}); !error.isEmpty())
            return error;
        m_mounted = true;
        return {};
    }

    QString root() const { return m_mountPoint + u'/'; }

private:
    qint64 m_imageBytes;
    Disk m_disk;
    QTemporaryDir m_temp;
    QString m_losetup;
    QString m_umount;
    QString m_loop;
    QString m_mountPoint;
    bool m_mounted = false;
};

} // namespace tarnwick::test
