#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The text of an INI file as QSettings reads it, changed one key at a time: every other line
// stays as it was, byte for byte, so values and comments this program cannot read survive a
// save. Keys are QSettings keys, "Section/name"; a name's "\" stands for "/".
class IniText
{
public:
    explicit IniText(const QByteArray& bytes = QByteArray());

    // False when QSettings would report a format error: a section header without "]", or a
    // line that is neither blank, a ";" comment nor a key with "=".
    bool parsable() const { return m_parsable; }
    bool contains(const QString& key) const;
    // The bytes of the key's value when it stands in the form byteArrayValue() writes; nothing
    // for a key that is missing or spelled another way, which only QSettings can read.
    std::optional<QByteArray> byteArray(const QString& key) const;
    // Replaces the key's line, or adds one at the end of the key's section (made if missing).
    void setByteArray(const QString& key, const QByteArray& value);
    // False when the key was not there.
    bool remove(const QString& key);
    QByteArray bytes() const;

    // The value text QSettings reads back as exactly these bytes.
    static QByteArray byteArrayValue(const QByteArray& value);

private:
    struct Entry
    {
        QByteArray text; // with its line ends; more than one line when continued with "\"
        QString section; // the section the entry is in, or a header names
        QString key;     // the whole key of a value line, else empty
        bool header = false;
    };

    QByteArray lineEnd() const;

    QList<Entry> m_entries;
    bool m_parsable = true;
};
