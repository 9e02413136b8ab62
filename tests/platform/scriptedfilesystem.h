#pragma once

#include "platform/posixfilesystem.h"

#include <cerrno>

namespace tarnwick::test {

// The host's file system with the two system calls of a rename scripted: it stands in for a file
// system that refuses the no-replace flag, or for a rename onto the placeholder that fails.
// -1 leaves the real call in place.
class ScriptedFileSystem : public PosixFileSystem {
public:
    int exclusiveError = -1;
    int placeholderError = -1;
    int placeholderRenames = 0;

    // Every rename goes the way of a file system without the no-replace flag.
    void forcePlaceholder() { exclusiveError = EINVAL; }

protected:
    int renameExclusive(int folderFd, const char* from, const char* to) override {
        return exclusiveError < 0 ? PosixFileSystem::renameExclusive(folderFd, from, to)
                                  : exclusiveError;
    }
    int renameOntoPlaceholder(int folderFd, const char* from, const char* to) override {
        ++placeholderRenames;
        return placeholderError < 0 ? PosixFileSystem::renameOntoPlaceholder(folderFd, from, to)
                                    : placeholderError;
    }
};

} // namespace tarnwick::test
