#include "IniText.h"

#include <algorithm>

namespace {

// QSettings writes "/" inside a section's keys as "\" and other characters as %XX or %UXXXX.
QString unescapedKey(const QByteArray& text)
{
    const QString key = QString::fromUtf8(text.trimmed());
    QString result;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const QChar c = key.at(i);
        if (c == u'\\') {
            result += u'/';
        } else if (c == u'%' && i + 2 < key.size() && key.at(i + 1) == u'U' && i + 5 < key.size()) {
            bool ok = false;
            const ushort code = key.mid(i + 2, 4).toUShort(&ok, 16);
            result += ok ? QChar(code) : c;
            i += ok ? 5 : 0;
        } else if (c == u'%' && i + 2 < key.size()) {
            bool ok = false;
            const ushort code = key.mid(i + 1, 2).toUShort(&ok, 16);
            result += ok ? QChar(code) : c;
            i += ok ? 2 : 0;
        } else {
            result += c;
        }
    }
    return result;
}

bool continues(const QByteArray& line)
{
    qsizetype slashes = 0;
    for (qsizetype i = line.size() - 1; i >= 0 && line.at(i) == '\\'; --i)
        ++slashes;
    return slashes % 2 == 1;
}

} // namespace

IniText::IniText(const QByteArray& bytes)
{
    QString section;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        Entry entry{bytes.mid(start, end - start), section, QString(), false};
        start = end;
        const QByteArray line = entry.text.trimmed();
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            m_parsable = m_parsable && close > 0;
            section = unescapedKey(line.mid(1, close < 0 ? -1 : close - 1));
            if (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
                section.clear();
            entry.section = section;
            entry.header = true;
        } else if (!line.isEmpty() && !line.startsWith(';') && !line.contains('=')) {
            m_parsable = false;
        } else if (!line.startsWith(';') && line.contains('=')) {
            const QString name = unescapedKey(line.left(line.indexOf('=')));
            entry.key = section.isEmpty() ? name : section + u'/' + name;
            QByteArray last = line;
            while (continues(last) && start < bytes.size()) {
                end = bytes.indexOf('\n', start);
                end = end < 0 ? bytes.size() : end + 1;
                last = bytes.mid(start, end - start).trimmed();
                entry.text += bytes.mid(start, end - start);
                start = end;
            }
        }
        m_entries.append(entry);
    }
}

QByteArray IniText::lineEnd() const
{
    return !m_entries.isEmpty() && m_entries.first().text.endsWith("\r\n") ? "\r\n" : "\n";
}

bool IniText::contains(const QString& key) const
{
    for (const Entry& entry : m_entries) {
        if (entry.key == key)
            return true;
    }
    return false;
}

std::optional<QByteArray> IniText::byteArray(const QString& key) const
{
    // The last line of a key is the one read.
    const auto entry = std::find_if(m_entries.rbegin(), m_entries.rend(),
                                    [&key](const Entry& e) { return e.key == key; });
    if (entry == m_entries.rend())
        return std::nullopt;
    const QByteArray text = entry->text.mid(entry->text.indexOf('=') + 1).trimmed();
    const QByteArray head = "@ByteArray(";
    if (!text.startsWith(head) || !text.endsWith(')'))
        return std::nullopt;
    QByteArray value;
    for (qsizetype i = head.size(); i < text.size() - 1; ++i) {
        const char c = text.at(i);
        if ((c >= 'g' && c <= 'z') || (c >= 'G' && c <= 'Z')) {
            value += c;
            continue;
        }
        // Exactly "\xHH", before the closing bracket.
        bool ok = false;
        const int byte = text.mid(i + 2, 2).toInt(&ok, 16);
        if (i + 4 > text.size() - 1 || c != '\\' || text.at(i + 1) != 'x' || !ok)
            return std::nullopt;
        value += char(byte);
        i += 3;
    }
    return value;
}

QByteArray IniText::byteArrayValue(const QByteArray& value)
{
    // Only letters that are no hex digits stay as they are, so no escape runs into the next
    // character: QSettings reads "\x" with as many hex digits as follow.
    static const char hex[] = "0123456789abcdef";
    QByteArray text = "@ByteArray(";
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'g' && byte <= 'z') || (byte >= 'G' && byte <= 'Z')) {
            text += c;
        } else {
            text += "\\x";
            text += hex[byte >> 4];
            text += hex[byte & 15];
        }
    }
    return text + ')';
}

void IniText::setByteArray(const QString& key, const QByteArray& value)
{
    const qsizetype slash = key.indexOf(u'/');
    const QString section = slash < 0 ? QString() : key.left(slash);
    QString name = key.mid(slash + 1);
    name.replace(u'/', u'\\');
    const QByteArray end = lineEnd();
    const QByteArray valueText = byteArrayValue(value) + end;

    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].key != key)
            continue;
        // The key stays as the file spells it.
        const QByteArray& was = m_entries[i].text;
        m_entries[i].text = was.left(was.indexOf('=') + 1) + valueText;
        // A later line of the same key would win when read.
        for (qsizetype j = m_entries.size() - 1; j > i; --j) {
            if (m_entries[j].key == key)
                m_entries.removeAt(j);
        }
        return;
    }
    // After the last line that is not blank in the section's last stretch.
    qsizetype at = -1;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].section == section && (m_entries[i].header || !m_entries[i].key.isEmpty()))
            at = i + 1;
    }
    if (at < 0) {
        if (!m_entries.isEmpty() && !m_entries.last().text.endsWith('\n'))
            m_entries.last().text += end;
        const QByteArray header = section.isEmpty() ? QByteArray("General") : section.toUtf8();
        const Entry head{(m_entries.isEmpty() ? QByteArray() : end) + '[' + header + ']' + end,
                         section, QString(), true};
        m_entries.append(head);
        at = m_entries.size();
    } else if (!m_entries[at - 1].text.endsWith('\n')) {
        m_entries[at - 1].text += end;
    }
    m_entries.insert(at, Entry{name.toUtf8() + '=' + valueText, section, key, false});
}

bool IniText::remove(const QString& key)
{
    const qsizetype before = m_entries.size();
    m_entries.removeIf([&key](const Entry& entry) { return entry.key == key; });
    return m_entries.size() != before;
}

QByteArray IniText::bytes() const
{
    QByteArray all;
    for (const Entry& entry : m_entries)
        all += entry.text;
    return all;
}
