// The whole-process floor of `tarnwick --case upper|lower --apply ROOT`: a process that lets
// `find ROOT -depth -type d` walk the tree and renames each folder it prints, deepest first, with
// one renameat2(RENAME_NOREPLACE) to its name in upper or lower case (ASCII, as the generated
// trees are named). Nothing else: no Qt, no checks, no record.
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
    for (int c = std::fgetc(found); c != EOF; c = std::fgetc(found)) {
        if (c != 0) {
            path += static_cast<char>(c);
            continue;
        }
        std::string renamed = path;
        for (std::size_t i = renamed.rfind('/') + 1; i < renamed.size(); ++i) {
            const auto byte = static_cast<unsigned char>(renamed[i]);
            renamed[i] = static_cast<char>(upper ? std::toupper(byte) : std::tolower(byte));
        }
        if (renamed != path && syscall(SYS_renameat2, AT_FDCWD, path.c_str(), AT_FDCWD,
                                       renamed.c_str(), 1 /* RENAME_NOREPLACE */) != 0)
            ++failures;
        path.clear();
    }
    pclose(found);
    return failures ? 1 : 0;
}
