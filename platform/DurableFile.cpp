// SPDX-License-Identifier: MIT
#include "platform/DurableFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The folder that holds Path ("." for a bare file name).
std::string FolderOf(const std::string& Path) {
    const size_t Slash = Path.find_last_of('/');
    if (Slash == std::string::npos) {
        return ".";
    }
    return Slash == 0 ? "/" : Path.substr(0, Slash);
}

int WriteAll(int File, std::string_view Bytes) {
    while (!Bytes.empty()) {
        const ssize_t Written = ::write(File, Bytes.data(), Bytes.size());
        if (Written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        Bytes.remove_prefix(static_cast<size_t>(Written));
    }
    return 0;
}

// Writes and flushes the new contents into a fresh temporary file.
int WriteTemporary(const std::string& Temp, std::string_view Bytes) {
    // A leftover of an earlier, interrupted save goes first: O_EXCL and O_NOFOLLOW then make
    // sure the bytes land in a new file of ours and never through a link placed there.
    if (::unlink(Temp.c_str()) != 0 && errno != ENOENT) {
        return errno;
    }
    const int File = ::open(Temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (File < 0) {
        return errno;
    }
    int Error = WriteAll(File, Bytes);
    if (Error == 0 && ::fsync(File) != 0) {
        Error = errno;
    }
    if (::close(File) != 0 && Error == 0) {
        Error = errno;
    }
    return Error;
}

// Makes the rename itself survive a power cut. File systems that cannot flush a folder say
// EINVAL; the file is in place then, so that is no failure.
int FlushFolder(const std::string& Folder) {
    const int Handle = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (Handle < 0) {
        return errno;
    }
    int Error = 0;
    if (::fsync(Handle) != 0 && errno != EINVAL) {
        Error = errno;
    }
    ::close(Handle);
    return Error;
}

} // namespace

int ReplaceFileDurably(const std::string& Path, std::string_view Bytes) {
    const std::string Temp = Path + ".tmp";
    int Error = WriteTemporary(Temp, Bytes);
    if (Error == 0 && ::rename(Temp.c_str(), Path.c_str()) != 0) {
        Error = errno;
    }
    if (Error != 0) {
        ::unlink(Temp.c_str());
        return Error;
    }
    return FlushFolder(FolderOf(Path));
}
