#include "floors.h"

#include <QProcess>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "measure.h"

namespace tarnwick::bench {

namespace {

// A breadth-first walk from root that keeps the path of every folder met: list(folder, keep)
// calls keep(name, type) for each entry listed in folder.
template <class List>
std::vector<std::string> WalkKeepingPaths(const std::string& root, List&& list) {
    std::deque<std::string> queue{root};
    std::vector<std::string> found;
    while (!queue.empty()) {
        const std::string folder = std::move(queue.front());
        queue.pop_front();
        list(folder, [&](const char* name, unsigned char type) {
            if (type != DT_DIR || !strcmp(name, ".") || !strcmp(name, ".."))
                return;
            std::string path = folder + '/' + name;
            found.push_back(path);
            queue.push_back(std::move(path));
        });
    }
    return found;
}

} // namespace

std::vector<std::string> BareWalk(const std::string& root) {
    return WalkKeepingPaths(root, [](const std::string& folder, auto&& keep) {
        DIR* dir = ::opendir(folder.c_str());
        if (!dir)
            return;
        while (const dirent* entry = ::readdir(dir))
            keep(entry->d_name, entry->d_type);
        ::closedir(dir);
    });
}

std::vector<std::string> BareGetdentsWalk(const std::string& root) {
    alignas(8) static char buffer[1 << 16];
    return WalkKeepingPaths(root, [](const std::string& folder, auto&& keep) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return;
        for (long got; (got = ::syscall(SYS_getdents64, fd, buffer, sizeof buffer)) > 0;) {
            for (long at = 0; at < got;) {
                struct Entry {
                    ino64_t inode;
                    off64_t next;
                    unsigned short length;
                    unsigned char type;
                    char name[1];
                };
                const auto* entry = reinterpret_cast<const Entry*>(buffer + at);
                at += entry->length;
                keep(entry->name, entry->type);
            }
        }
        ::close(fd);
    });
}

void ConvertNames(const std::vector<FolderEntry>& rows, Operation operation,
                  std::vector<QString>& newNames) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ListedPath& now = rows[i].now;
        // Nearly every row keeps its name as its tail, after a head that ends at its parent.
        QString whole;
        const QString& text = now.head().isEmpty() || now.head().endsWith(kHostSeparator)
                                  ? now.tail()
                                  : (whole = now.toString());
        const QStringView path =
            text.endsWith(kHostSeparator) ? QStringView(text).chopped(1) : QStringView(text);
        const qsizetype cut = path.lastIndexOf(kHostSeparator) + 1;
        newNames[i] =
            ConvertName(operation, QString::fromRawData(path.data() + cut, path.size() - cut));
    }
}

double FindMs(const QString& root) {
    return TimeMs([&] {
        QProcess find;
        find.setStandardOutputFile(QProcess::nullDevice());
        find.start(QStringLiteral("find"), {root, QStringLiteral("-type"), QStringLiteral("d")});
        find.waitForFinished(-1);
    });
}

namespace {

// Where the file system refuses the flag (FUSE, shares), the floor is the bare rename(2) that
// scripts use there.
bool RenameNoReplace(const std::string& from, const std::string& to) {
    static bool refused = false;
    if (!refused &&
        ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (!refused && errno != EINVAL)
        return false;
    refused = true;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

} // namespace

bool RenameBackTwice(const std::vector<RenameStep>& steps) {
    bool ok = true;
    for (const RenameStep& step : steps) {
        ok &= RenameNoReplace(step.from, step.middle);
        ok &= RenameNoReplace(step.middle, step.to);
    }
    return ok;
}

bool RenameBackOnce(const std::vector<RenameStep>& steps) {
    bool ok = true;
    for (const RenameStep& step : steps)
        ok &= RenameNoReplace(step.from, step.to);
    return ok;
}

bool RenameForwardOnce(const std::vector<RenameStep>& steps) {
    bool ok = true;
    // Each step names its parent as it is upper-cased: the parents go first.
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        ok &= RenameNoReplace(step->to, step->from);
    return ok;
}

} // namespace tarnwick::bench
