#pragma once

#include "FileError.h"
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
// A save changes the one value's line and leaves every other line as it was, under a QLockFile
// beside the file so that saves of other processes wait for it. The new file goes to a
// temporary in the same folder and is renamed over the old one only when completely written;
// it keeps the old file's mode. A link, or a chain of links, at the settings path is written
// through: the file at its end is replaced.
//
// A file that is not a regular file (a FIFO), that cannot be read or that cannot be parsed is
// never read as settings, and never replaced.
class SettingsStore
{
public:
    static inline const QString jpegValueName = QStringLiteral("fOverrideOptionsJPEG");
    static inline const QString textValueName = QStringLiteral("fOverrideOptionsText");
    static inline const QString keyPath = QStringLiteral("Software/BRWK400");

    // An empty path is a store that holds nothing and cannot be written.
    explicit SettingsStore(const QString& filePath);
    // The user's settings file, where QSettings keeps INI, user scope, "brindlewick",
    // "brindlewick".
    static QString userFilePath();
    QString filePath() const { return m_filePath; }

    // Reads a stored set over options and validates options, whatever was read. False when a
    // value exists but is not a byte record or is longer than the set's record: options then
    // keep what they had (validated) and errorString() says "Invalid data type for '%s'".
    // A file that cannot be read counts as holding nothing.
    bool loadJpegOptions(JpegFileOptions& options);
    bool loadTextOffsetOptions(TextOffsetOptions& options);

    // The start-up load: defaults, then each stored set, then validation. A value that cannot
    // be read, or a file that cannot be read at all, costs one line on stderr; the lines are
    // returned too.
    QStringList loadOptionSets(OptionSets& sets);

    // False with "Failed to set data for '%s'" when the file could not be replaced; the old
    // file is then untouched, and stderr gets a line with fileError()'s message. Forgetting a
    // value that is not stored succeeds at once.
    bool saveJpegOptions(const JpegFileOptions& options);
    bool saveTextOffsetOptions(const TextOffsetOptions& options);
    bool forgetJpegOptions();
    bool forgetTextOffsetOptions();

    QString errorString() const { return m_errorString; }
    // Why the last save failed.
    FileError fileError() const { return m_fileError; }

private:
    // Hands a stored byte record to load; false for a value of another type, or one load
    // refuses.
    bool readRecord(const QString& valueName, const std::function<bool(const QByteArray&)>& load);
    // Writes the value, or removes it for nullopt.
    bool replaceValue(const QString& valueName, const std::optional<QByteArray>& bytes);
    FileError writeValue(const QString& key, const std::optional<QByteArray>& bytes);
    // Why the file at path cannot be read as settings; no error for a file that does not exist.
    static FileError fileProblem(const QString& path);

    QString m_filePath;
    QString m_errorString;
    FileError m_fileError;
};
