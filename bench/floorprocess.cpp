// The whole-process floor of `tarnwick --case upper|lower --apply ROOT`: a process that lets
// `find ROOT -depth -type d` walk the tree and renames each folder it prints, deepest first, with
// one renameat2(RENAME_NOREPLACE) inside its parent to its name in upper or lower case (ASCII, as
// the generated trees are named). Nothing else: no Qt, no checks, no record.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
    if (argc != 3 || (std::strcmp(argv[1], "upper") && std::strcmp(argv[1], "lower"))) {
        std::fprintf(stderr, "usage: tarnwick-bench-floor upper|lower ROOT\n");
        return 2;
    }
    const bool upper = !std::strcmp(argv[1], "upper");
    const std::string command = std::string("find '") + argv[2] + "' -depth -type d -print0";
    FILE* found = popen(command.c_str(), "r");
    if (!found)
        return 1;
    int failures = 0;
    std::string path;
    std::string parent;
    int parentFd = -1;
    for (int c = std::fgetc(found); c != EOF; c = std::fgetc(found)) {
        if (c != 0) {
            path += static_cast<char>(c);
            continue;
        }
        // Inside its parent, held open while its folders come one after the other, as the
        // program renames: the path is not looked up again for every folder.
        const std::size_t cut = path.rfind('/') + 1;
        const std::string name = path.substr(cut);
        std::string renamed = name;
        for (char& letter : renamed) {
            const auto byte = static_cast<unsigned char>(letter);
            letter = static_cast<char>(upper ? std::toupper(byte) : std::tolower(byte));
        }
        if (path.compare(0, cut, parent) != 0) {
            if (parentFd >= 0)
                close(parentFd);
            parent = path.substr(0, cut);
            parentFd = open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        if (renamed != name && syscall(SYS_renameat2, parentFd, name.c_str(), parentFd,
                                       renamed.c_str(), 1 /* RENAME_NOREPLACE */) != 0)
            ++failures;
        path.clear();
    }
    if (parentFd >= 0)
        close(parentFd);
    pclose(found);
    return failures ? 1 : 0;
}
