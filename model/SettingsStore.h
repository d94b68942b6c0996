#pragma once

#include "OptionSets.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

#include <optional>

// Where the two option sets survive between runs: the values "fOverrideOptionsJPEG" and
// "fOverrideOptionsText" under "Software/BRWK400" of an INI file, by default the user's
// $XDG_CONFIG_HOME/brindlewick/brindlewick.ini. Each value holds its set's byte record.
//
// A save never replaces the file with anything it has not read back: QSettings reports success
// even when a full disk left it an empty file, so the new contents go to a temporary in the
// same folder, are read back under a fresh name and only then renamed over the old file.
class SettingsStore
{
public:
    static inline const QString jpegValueName = QStringLiteral("fOverrideOptionsJPEG");
    static inline const QString textValueName = QStringLiteral("fOverrideOptionsText");
    static inline const QString keyPath = QStringLiteral("Software/BRWK400");

    // An empty path is a store that holds nothing and cannot be written.
    explicit SettingsStore(const QString& filePath);
    // The user's settings file (QSettings: INI, user scope, "brindlewick", "brindlewick").
    static QString userFilePath();
    QString filePath() const { return m_filePath; }

    // Reads a stored set over options and validates options, whatever was read. False when a
    // value exists but is not a byte record or is longer than the set's record: options then
    // keep what they had (validated) and errorString() says "Invalid data type for '%s'".
    // A file that cannot be read counts as holding nothing.
    bool loadJpegOptions(JpegFileOptions& options);
    bool loadTextOffsetOptions(TextOffsetOptions& options);

    // The start-up load: defaults, then each stored set, then validation. A value that cannot
    // be read costs one line on stderr; the lines are returned too.
    QStringList loadOptionSets(OptionSets& sets);

    // False with "Failed to set data for '%s'" when the file could not be replaced; the old
    // file is then untouched. Forgetting a value that is not stored succeeds at once.
    bool saveJpegOptions(const JpegFileOptions& options);
    bool saveTextOffsetOptions(const TextOffsetOptions& options);
    bool forgetJpegOptions();
    bool forgetTextOffsetOptions();

    QString errorString() const { return m_errorString; }

private:
    // Hands a stored byte record to load; false for a value of another type, or one load
    // refuses.
    bool readRecord(const QString& valueName, const std::function<bool(const QByteArray&)>& load);
    // Writes the value, or removes it for nullopt.
    bool replaceValue(const QString& valueName, const std::optional<QByteArray>& bytes);

    QString m_filePath;
    QString m_errorString;
};
