#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Every file the program reads from outside (photos, agendas, school calendars, batch tables)
// goes through here, so that a FIFO, a device or a folder is refused at once instead of blocking
// an open or a read for ever. Standard library and POSIX only: the Qt-free libraries use it too.

// Opens `path` read-only without waiting. Returns the descriptor, or -1 with `error` set to the
// errno of the failure: EISDIR for a folder, EACCES for anything else that is not a regular file.
int OpenRegularFile(const std::string &path, int &error);

// Why a file could not be read whole.
enum class FileProblem {
    None,
    Missing,    // no such file
    Folder,     // a directory
    NotRegular, // a FIFO, a device, a socket
    Unreadable, // open or read failed (rights, I/O)
    TooLarge,   // more than the caller's limit
};

struct FileContents {
    std::string bytes;
    FileProblem problem = FileProblem::None;
    int error = 0; // errno behind Unreadable
};

// The whole file, at most `maxBytes` of it; a larger one is refused before anything is read.
FileContents ReadRegularFile(const std::string &path, std::size_t maxBytes);

} // namespace platform
