#pragma once

#include "Failure.h"
#include "OptionSets.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

// Where the two option sets survive between runs: the values "fOverrideOptionsJPEG" and
// "fOverrideOptionsText" under "Software/BRWK400" of an INI file, by default the user's
// $XDG_CONFIG_HOME/brindlewick/brindlewick.ini. Each value holds its set's byte record.
//
// A save changes the one value's line and leaves every other line as it was, under a LockFile
// beside the file so that saves of other processes wait a moment for it. The new file goes to a
// temporary in the same folder and is renamed over the old one only when completely written;
// it keeps the old file's mode. A link, or a chain of links, at the settings path is written
// through: the file at its end is replaced.
//
// A file that is not a regular file (a FIFO), that is larger than 1 MB, that cannot be read or
// that cannot be parsed is never read as settings, and never replaced.
class SettingsStore
{
public:
    static inline const QString jpegValueName = QStringLiteral("fOverrideOptionsJPEG");
    static inline const QString textValueName = QStringLiteral("fOverrideOptionsText");
    // The designer window's own values, beside the option sets: its recent project files
    // (their paths' bytes, one a line) and its size ("WIDTHxHEIGHT").
    static inline const QString recentFilesValueName = QStringLiteral("DesignerRecentFiles");
    static inline const QString designerSizeValueName = QStringLiteral("DesignerWindowSize");
    static inline const QString keyPath = QStringLiteral("Software/BRWK400");

    // An empty path is a store that holds nothing and cannot be written.
    explicit SettingsStore(const QString& filePath);
    // The user's settings file, where QSettings keeps INI, user scope, "brindlewick",
    // "brindlewick".
    static QString userFilePath();
    QString filePath() const { return m_filePath; }

    // Reads a stored set over options and validates options, whatever was read. A value that
    // exists but is not a byte record or is longer than the set's record fails
    // (JpegOptionsInvalid, TextOptionsInvalid, with the value's name): options then keep what
    // they had (validated). A file that cannot be read counts as holding nothing.
    Failure loadJpegOptions(JpegFileOptions& options);
    Failure loadTextOffsetOptions(TextOffsetOptions& options);

    // The start-up load: defaults, then each stored set, then validation. Returns what could
    // not be read: the file as a whole, or else each value that left its set at the defaults.
    QList<Failure> loadOptionSets(OptionSets& sets);

    // SettingsNotSaved, with the value's name and the file's failure, when the file could not
    // be replaced; the old file is then untouched. Forgetting a value that is not stored
    // succeeds at once.
    Failure saveJpegOptions(const JpegFileOptions& options);
    Failure saveTextOffsetOptions(const TextOffsetOptions& options);
    Failure forgetJpegOptions();
    Failure forgetTextOffsetOptions();

    // A stored byte value; nothing when the file holds none or cannot be read as settings.
    std::optional<QByteArray> loadValue(const QString& valueName);
    // As the option sets are saved: SettingsNotSaved with the value's name when it failed.
    Failure saveValue(const QString& valueName, const QByteArray& bytes);

private:
    // Hands a stored byte record to load; fails with reason for a value of another type, or
    // one load refuses.
    Failure readRecord(const QString& valueName, FailureReason reason,
                       const std::function<bool(const QByteArray&)>& load);
    // Writes the value, or removes it for nullopt.
    Failure replaceValue(const QString& valueName, const std::optional<QByteArray>& bytes);
    static bool nothingToForget(const QString& target, const QString& key);
    Failure writeValue(const QString& key, const std::optional<QByteArray>& bytes);
    // Why the file at path cannot be read as settings; no failure for a file that does not
    // exist.
    static Failure fileProblem(const QString& path);

    QString m_filePath;
};
