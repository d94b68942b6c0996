#include "SettingsStore.h"

#include "OptionRecords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>
#include <QVariantMap>

#include <cstdio>

namespace {
QString keyOf(const QString& valueName)
{
    return SettingsStore::keyPath + QLatin1Char('/') + valueName;
}

bool renameOver(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}
} // namespace

SettingsStore::SettingsStore(const QString& filePath) : m_filePath(filePath) {}

QString SettingsStore::userFilePath()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("brindlewick"),
                     QStringLiteral("brindlewick"))
        .fileName();
}

bool SettingsStore::readRecord(const QString& valueName,
                               const std::function<bool(const QByteArray&)>& load)
{
    m_errorString.clear();
    if (m_filePath.isEmpty())
        return true;
    const QSettings settings(m_filePath, QSettings::IniFormat);
    const QString key = keyOf(valueName);
    if (settings.status() != QSettings::NoError || !settings.contains(key))
        return true;
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::QByteArray && load(value.toByteArray()))
        return true;
    m_errorString = QStringLiteral("Invalid data type for '%1'").arg(valueName);
    return false;
}

bool SettingsStore::loadJpegOptions(JpegFileOptions& options)
{
    const bool read = readRecord(jpegValueName, [&options](const QByteArray& bytes) {
        return OptionRecords::loadInto(options, bytes);
    });
    options.validate();
    return read;
}

bool SettingsStore::loadTextOffsetOptions(TextOffsetOptions& options)
{
    const bool read = readRecord(textValueName, [&options](const QByteArray& bytes) {
        return OptionRecords::loadInto(options, bytes);
    });
    options.validate();
    return read;
}

QStringList SettingsStore::loadOptionSets(OptionSets& sets)
{
    sets.reset();
    QStringList warnings;
    const auto warn = [this, &warnings](const char* setName) {
        warnings.append(QStringLiteral("brindlewick: warning: %1 in %2; the default %3 are used")
                            .arg(m_errorString, m_filePath, QLatin1String(setName)));
    };
    if (!loadJpegOptions(sets.jpeg))
        warn("JPEG options");
    if (!loadTextOffsetOptions(sets.text))
        warn("offsets and indents");
    for (const QString& line : warnings)
        std::fprintf(stderr, "%s\n", qPrintable(line));
    return warnings;
}

bool SettingsStore::saveJpegOptions(const JpegFileOptions& options)
{
    return replaceValue(jpegValueName, OptionRecords::encode(options));
}

bool SettingsStore::saveTextOffsetOptions(const TextOffsetOptions& options)
{
    return replaceValue(textValueName, OptionRecords::encode(options));
}

bool SettingsStore::forgetJpegOptions()
{
    return replaceValue(jpegValueName, std::nullopt);
}

bool SettingsStore::forgetTextOffsetOptions()
{
    return replaceValue(textValueName, std::nullopt);
}

bool SettingsStore::replaceValue(const QString& valueName, const std::optional<QByteArray>& bytes)
{
    m_errorString = QStringLiteral("Failed to set data for '%1'").arg(valueName);
    if (m_filePath.isEmpty())
        return false;
    const QFileInfo info(m_filePath);
    const QString target = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
    const QString key = keyOf(valueName);

    // What the file holds now, with the one value changed. A file that exists but cannot be
    // read is left alone rather than replaced by one without its other values.
    QVariantMap values;
    if (QFileInfo::exists(target)) {
        const QSettings old(target, QSettings::IniFormat);
        if (old.status() == QSettings::AccessError)
            return false;
        for (const QString& k : old.allKeys())
            values.insert(k, old.value(k));
    }
    if (!bytes && !values.contains(key)) {
        m_errorString.clear();
        return true;
    }
    if (bytes)
        values.insert(key, *bytes);
    else
        values.remove(key);

    const QDir folder = QFileInfo(target).absoluteDir();
    if (!folder.mkpath(QStringLiteral(".")))
        return false;
    const QString pattern = folder.filePath(QStringLiteral(".brindlewick.ini.XXXXXX"));
    QTemporaryFile written(pattern);
    QTemporaryFile readBack(pattern);
    if (!written.open() || !readBack.open())
        return false;
    written.close();
    readBack.close();
    {
        QSettings out(written.fileName(), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            out.setValue(it.key(), it.value());
        out.sync();
        if (out.status() != QSettings::NoError)
            return false;
    }
    // Under a name it has never seen, QSettings reads what reached the disk, not what it
    // remembers writing.
    if (!renameOver(written.fileName(), readBack.fileName()))
        return false;
    {
        const QSettings in(readBack.fileName(), QSettings::IniFormat);
        if (in.status() != QSettings::NoError || in.allKeys().size() != values.size())
            return false;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (in.value(it.key()) != it.value())
                return false;
        }
    }
    if (!renameOver(readBack.fileName(), target))
        return false;
    m_errorString.clear();
    return true;
}
