#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace qv {

// An INI file as people and older programs write it: "[Section]" and
// "Key=Value" lines, sections and keys found whatever their case, values
// taken literally (backslashes, commas, "#" in keys), comments and unknown
// keys kept in their place. Read whole when made, written whole and
// atomically by save().
class IniFile {
public:
    explicit IniFile(QString path);

    bool exists() const { return exists_; }
    bool contains(const QString& section, const QString& key) const;
    // The first of two equal keys counts.
    QString value(const QString& section, const QString& key, const QString& fallback = {}) const;
    // Line breaks in the value become spaces.
    void setValue(const QString& section, const QString& key, const QString& value);

    // False with the platform's error text; the old file then stays.
    bool save(QString* error = nullptr) const;

private:
    struct Line {
        QString key;  // empty: a comment or blank line kept as it is
        QString text; // the value, or the whole line
    };
    struct Section {
        QString name;
        std::vector<Line> lines;
        bool added = false; // not in the file: set apart by a blank line
    };
    const Line* find(const QString& section, const QString& key) const;

    QString path_;
    bool exists_ = false;
    std::vector<Section> sections_; // the first one holds lines before any "[...]"
};

} // namespace qv
