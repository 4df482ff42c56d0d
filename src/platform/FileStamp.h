#pragma once
#include <QString>
#include <cstdint>

// What tells that a file changed on disk without reading it: size, modification and change time to the
// nanosecond, inode and device. Any thread.
struct FileStamp {
    bool exists = false;
    std::int64_t size = -1;
    std::int64_t mtimeNs = 0;
    std::int64_t ctimeNs = 0;
    std::uint64_t inode = 0;
    std::uint64_t device = 0;

    // One stat of the file (links followed); exists is false when there is no such file.
    static FileStamp of(const QString& path);
    // The wall clock the file system stamps its times with, in nanoseconds.
    static std::int64_t nowNs();

    // The file system keeps whole seconds only (FAT, some network shares): two changes within one second
    // can leave the stamp as it was.
    bool coarse() const { return mtimeNs % 1000000000 == 0 && ctimeNs % 1000000000 == 0; }

    bool operator==(const FileStamp& o) const {
        return exists == o.exists && size == o.size && mtimeNs == o.mtimeNs && ctimeNs == o.ctimeNs &&
               inode == o.inode && device == o.device;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};
