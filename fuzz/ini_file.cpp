// Settings files are edited by hand and by older programs: the INI reader
// over any bytes, and a save after a change, which must keep every value
// the file held and hold the new one. The input: section, key and a
// length-prefixed value to set, then the file.
#include "fuzz/fuzz_input.h"
#include "platform/qt/ini_file.h"

#include <QFile>

using namespace qv;
using qv::fuzz::Expect;

namespace {

struct Entry {
    QString section;
    QString key;
};

// The [section] key= pairs the text names, as the reader would find them.
std::vector<Entry> Entries(const QByteArray& text)
{
    std::vector<Entry> entries;
    QString section;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith('['))
            section = line.mid(1, line.indexOf(']') < 0 ? -1 : line.indexOf(']') - 1).trimmed();
        else if (line.indexOf('=') > 0 && !line.startsWith(';'))
            entries.push_back({section, line.left(line.indexOf('=')).trimmed()});
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const QString section = QString::fromUtf8(input.line());
    const QString key = QString::fromUtf8(input.line());
    std::string valueBytes;
    for (size_t n = input.byte(); n > 0 && !input.empty(); --n)
        valueBytes += char(input.byte());
    const QString value = QString::fromUtf8(valueBytes);
    const auto file = input.rest();
    const QByteArray text(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));

    const QString path = QString::fromStdString(qv::fuzz::ScratchFile("settings.ini", file));
    IniFile ini(path);
    Expect(ini.exists(), "an existing file is read");
    std::vector<std::pair<Entry, QString>> held;
    for (const Entry& entry : Entries(text))
        if (ini.contains(entry.section, entry.key))
            held.push_back({entry, ini.value(entry.section, entry.key)});
    ini.value(section, key, QStringLiteral("fallback"));

    // Keys and sections are the program's own names: no line breaks, no
    // brackets, no "=".
    const auto plain = [](const QString& s) {
        return !s.isEmpty() && s == s.trimmed() && !s.contains('\n') && !s.contains('\r') && !s.contains('=') &&
               !s.contains('[') && !s.contains(']') && !s.startsWith(';');
    };
    if (!plain(section) || !plain(key))
        return 0;
    ini.setValue(section, key, value);
    QString stored = value;
    stored.replace('\r', ' ').replace('\n', ' ');
    Expect(ini.value(section, key) == stored, "a set value reads back, its line breaks as spaces");
    QString error;
    Expect(ini.save(&error), "the scratch file saves");
    const IniFile again(path);
    for (const auto& [entry, before] : held)
        if (entry.section.compare(section, Qt::CaseInsensitive) != 0 || entry.key.compare(key, Qt::CaseInsensitive) != 0)
            Expect(again.value(entry.section, entry.key) == before, "a save keeps the values the file held");
    Expect(again.value(section, key) == stored.trimmed(), "a saved value reads back");
    return 0;
}
