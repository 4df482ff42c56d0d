#pragma once

// Why a file could not be written; None when it was.
enum class WriteError {
    None,
    FolderMissing,  // the folder the file belongs in does not exist
    IsFolder,       // a folder stands where the file should be
    ReadOnlyFile,   // the file is read-only (no write permission at all: the read-only attribute)
    ReadOnlyMedium, // the file system is mounted read-only (a locked card or stick, a read-only share)
    NoPermission,   // this user may not write the folder or the file
    DiskFull,       // no room left (also a quota or a file size limit)
    Unreadable,     // the file exists but cannot be read, so it is never overwritten
    Failed,         // anything else (an input/output error)
};
