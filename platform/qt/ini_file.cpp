#include "ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qv {

namespace {

bool same(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path))
{
    sections_.push_back({{}, {}, false});
    QFile file(path_);
    exists_ = file.open(QIODevice::ReadOnly);
    if (!exists_)
        return;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        QString line = QString::fromUtf8(raw);
        if (line.endsWith('\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith('[')) {
            const qsizetype end = trimmed.indexOf(']');
            sections_.push_back({trimmed.mid(1, end < 0 ? -1 : end - 1).trimmed(), {}, false});
            continue;
        }
        const qsizetype eq = trimmed.indexOf('=');
        if (trimmed.startsWith(';') || eq <= 0)
            sections_.back().lines.push_back({{}, line});
        else
            sections_.back().lines.push_back({trimmed.left(eq).trimmed(), trimmed.mid(eq + 1).trimmed()});
    }
    // The split leaves an empty piece after the last line break.
    auto& last = sections_.back().lines;
    if (!last.empty() && last.back().key.isEmpty() && last.back().text.isEmpty())
        last.pop_back();
}

const IniFile::Line* IniFile::find(const QString& section, const QString& key) const
{
    for (const Section& s : sections_)
        if (!s.name.isEmpty() && same(s.name, section))
            for (const Line& line : s.lines)
                if (!line.key.isEmpty() && same(line.key, key))
                    return &line;
    return nullptr;
}

bool IniFile::contains(const QString& section, const QString& key) const
{
    return find(section, key) != nullptr;
}

QString IniFile::value(const QString& section, const QString& key, const QString& fallback) const
{
    const Line* line = find(section, key);
    return line ? line->text : fallback;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& text)
{
    // A value is one line: a line break in it (a file name may hold one)
    // would start lines of its own, such as a section or a key of its choice.
    QString value = text;
    value.replace('\r', ' ').replace('\n', ' ');
    if (auto* line = const_cast<Line*>(find(section, key))) {
        line->text = value;
        return;
    }
    for (Section& s : sections_) {
        if (!s.name.isEmpty() && same(s.name, section)) {
            // After the section's last key, before trailing blank lines.
            auto at = s.lines.end();
            while (at != s.lines.begin() && std::prev(at)->key.isEmpty() && std::prev(at)->text.trimmed().isEmpty())
                --at;
            s.lines.insert(at, {key, value});
            return;
        }
    }
    sections_.push_back({section, {{key, value}}, true});
}

bool IniFile::save(QString* error) const
{
    QByteArray out;
    for (const Section& s : sections_) {
        // Every section but the lines before the first one has its header,
        // also "[]": its lines would else join the section before it.
        if (&s != &sections_.front()) {
            if (s.added && !out.isEmpty() && !out.endsWith("\n\n"))
                out += '\n';
            out += '[' + s.name.toUtf8() + "]\n";
        }
        for (const Line& line : s.lines)
            out += (line.key.isEmpty() ? line.text : line.key + '=' + line.text).toUtf8() + '\n';
    }
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    if (file.open(QIODevice::WriteOnly) && file.write(out) == out.size() && file.commit())
        return true;
    if (error)
        *error = path_ + ": " + file.errorString();
    return false;
}

} // namespace qv
