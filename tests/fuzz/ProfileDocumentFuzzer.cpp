// libFuzzer target: any bytes as a settings or start-offset file, read and changed as the desk does it.
// Besides crashes and undefined behaviour it checks what the desk relies on: an unchanged file is written
// back byte for byte, a value written is the value read, and a file written and read again holds the same
// values.
#include "platform/ProfileDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

namespace {

// In memory where the system offers it: a disk would make every run wait for its writes.
const QString& scratchFile() {
    static const QString path =
        (QDir(QStringLiteral("/dev/shm")).exists() ? QDir(QStringLiteral("/dev/shm")) : QDir::temp())
            .filePath(QStringLiteral("klangwart-fuzz-%1.ini").arg(QCoreApplication::applicationPid()));
    return path;
}

void store(const QByteArray& bytes) {
    QFile f(scratchFile());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::abort();
}

// A name or value from the script: letters of both code pages, blanks, "&#", "/" and "€", no quotes and none
// of "[]=;" (a name with those is no name the desk ever writes).
QString text(FuzzedDataProvider& in) {
    static const char16_t alphabet[] = {u'a', u'A', u'z', 0xE4,   0xC4,  0xDF,  u' ', u'_', u'/',  u'&',
                                        u'#', u'1', u'0', 0x20AC, 0x3A9, u'\t', u'.', u'-', u'\n', u'M'};
    QString s;
    for (auto n = in.ConsumeIntegralInRange<int>(0, 12); n > 0; --n)
        s += QChar(alphabet[in.ConsumeIntegralInRange<std::size_t>(0, std::size(alphabet) - 1)]);
    return s;
}

// What a read gives back for a written value: the blanks around it are gone.
QString readBack(const QString& value) {
    qsizetype b = 0;
    qsizetype e = value.size();
    while (b < e && value[b] == u' ')
        ++b;
    while (e > b && value[e - 1] == u' ')
        --e;
    return value.mid(b, e - b);
}

struct Entry {
    QString section, key, value;
};

} // namespace

// The input is the file, then up to 63 bytes of script (what to read and write), then one byte that tells the
// script's length, so that a plain settings file with a zero byte behind it is a seed.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t scriptSize = std::min<std::size_t>(data[size - 1] % 64, size - 1);
    const std::size_t fileSize = size - 1 - scriptSize;
    const QByteArray original(reinterpret_cast<const char*>(data), static_cast<qsizetype>(fileSize));
    store(original);
    ProfileDocument doc = ProfileDocument::load(scratchFile());
    if (doc.toBytes() != original)
        std::abort(); // a file nobody changed keeps every byte

    FuzzedDataProvider ops(data + fileSize, scriptSize);
    std::vector<Entry> written;
    while (ops.remaining_bytes() > 0) {
        Entry e{text(ops), text(ops), text(ops)};
        doc.value(e.section, e.key);
        doc.setValue(e.section, e.key, e.value);
        if (doc.value(e.section, e.key) != readBack(e.value))
            std::abort();
        written.push_back(e);
    }
    // Written and read again, the file says what the document in memory says.
    store(doc.toBytes());
    const ProfileDocument again = ProfileDocument::load(scratchFile());
    for (const Entry& e : written) {
        if (again.value(e.section, e.key) != doc.value(e.section, e.key))
            std::abort();
    }
    return 0;
}
