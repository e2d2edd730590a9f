#include "platform/regular_file.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int OpenRegularFile(const std::string &path, int &error)
{
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    struct stat status {
    };
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        error = S_ISDIR(status.st_mode) ? EISDIR : EACCES;
        close(fd);
        return -1;
    }
    return fd;
}

FileContents ReadRegularFile(const std::string &path, std::size_t maxBytes)
{
    FileContents contents;
    int error = 0;
    const int fd = OpenRegularFile(path, error);
    if (fd < 0) {
        contents.error = error;
        contents.problem = error == ENOENT                                      ? FileProblem::Missing
                           : error == EISDIR                                    ? FileProblem::Folder
                           : error == EACCES && access(path.c_str(), R_OK) == 0 ? FileProblem::NotRegular
                                                                                : FileProblem::Unreadable;
        return contents;
    }
    struct stat status {
    };
    if (fstat(fd, &status) != 0) {
        contents.error = errno;
        contents.problem = FileProblem::Unreadable;
    } else if (static_cast<std::size_t>(status.st_size) > maxBytes) {
        contents.problem = FileProblem::TooLarge;
    } else {
        // Read up to one byte past the limit: a file that grew since fstat is still refused.
        contents.bytes.resize(static_cast<std::size_t>(status.st_size) + 1);
        std::size_t done = 0;
        while (done < contents.bytes.size()) {
            const ssize_t got = read(fd, contents.bytes.data() + done, contents.bytes.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                contents.error = errno;
                contents.problem = FileProblem::Unreadable;
                break;
            }
            if (got == 0)
                break;
            done += static_cast<std::size_t>(got);
            if (done == contents.bytes.size() && done <= maxBytes)
                contents.bytes.resize(done + 65536 < maxBytes + 1 ? done + 65536 : maxBytes + 1);
        }
        contents.bytes.resize(done);
        if (contents.problem == FileProblem::None && done > maxBytes)
            contents.problem = FileProblem::TooLarge;
        if (contents.problem != FileProblem::None)
            contents.bytes.clear();
    }
    close(fd);
    return contents;
}

} // namespace platform
