// libFuzzer target: any bytes as a settings or start-offset file, read and changed as the desk does it.
// Besides crashes and undefined behaviour it checks what the desk relies on: an unchanged file is written
// back byte for byte, a value written is the value read, and a file written and read again holds the same
// values. The document is parsed from memory, as load() parses what it read: a disk would make every run
// wait.
#include "platform/ProfileDocument.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <utility>
#include <vector>

namespace {

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

} // namespace

// The input is the file, then up to 63 bytes of script (what to read and write), then one byte that tells the
// script's length, so that a plain settings file with a zero byte behind it is a seed.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t scriptSize = std::min<std::size_t>(data[size - 1] % 64, size - 1);
    const std::size_t fileSize = size - 1 - scriptSize;
    const QByteArray original(reinterpret_cast<const char*>(data), static_cast<qsizetype>(fileSize));
    ProfileDocument doc = ProfileDocument::fromBytes(QString(), original);
    if (doc.toBytes() != original)
        std::abort(); // a file nobody changed keeps every byte

    FuzzedDataProvider ops(data + fileSize, scriptSize);
    std::vector<std::pair<QString, QString>> written; // sections and keys
    // What a read gives back for a written value: the blanks around it are gone (a tab is a reference).
    static const QRegularExpression blanksAround(QStringLiteral("\\A +| +\\z"));
    while (ops.remaining_bytes() > 0) {
        const QString section = text(ops);
        const QString key = text(ops);
        QString value = text(ops);
        doc.value(section, key);
        doc.setValue(section, key, value);
        if (doc.value(section, key) != value.remove(blanksAround))
            std::abort();
        written.emplace_back(section, key);
    }
    // Written and read again, the file says what the document in memory says.
    const ProfileDocument again = ProfileDocument::fromBytes(QString(), doc.toBytes());
    for (const auto& [section, key] : written) {
        if (again.value(section, key) != doc.value(section, key))
            std::abort();
    }
    return 0;
}
