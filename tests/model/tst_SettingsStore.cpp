#include "AtomicOutputFile.h"
#include "ErrorText.h"
#include "LockFile.h"
#include "OptionRecords.h"
#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// A save or load that must succeed; else the test fails with its words.
#define QVERIFY_DONE(expression)                                                                   \
    do {                                                                                           \
        const Failure failure_ = (expression);                                                     \
        QVERIFY2(!failure_, qPrintable(ErrorText::message(failure_)));                             \
    } while (false)

namespace {
const QString jpegKey = QStringLiteral("Software/BRWK400/fOverrideOptionsJPEG");
const QString textKey = QStringLiteral("Software/BRWK400/fOverrideOptionsText");

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
} // namespace

class tst_SettingsStore : public QObject
{
    Q_OBJECT
private slots:
    void recordLayouts();
    void userFileFollowsXdgConfigHome();
    void startupLoading_data();
    void startupLoading();
    void saveAndForget();
    void saveFailures_data();
    void saveFailures();
    void fullDiskKeepsOldFile();
    void concurrentSavesKeepBoth();
    void filesThatAreNoSettings_data();
    void filesThatAreNoSettings();
    void lockFilesLeftBehind_data();
    void lockFilesLeftBehind();
    void replacedFileKeepsModeLinksAndForeignLines_data();
    void replacedFileKeepsModeLinksAndForeignLines();
    void abandonedTemporariesGo();
};

// Each field at its byte, little-endian, the indent before the offset, reserved bytes zero;
// and back.
void tst_SettingsStore::recordLayouts()
{
    const JpegFileOptions jpeg{77, 1, 1, 1, 0, 1, 0, 1};
    const QByteArray jpegRecord = QByteArray::fromHex("4d01010100010001") + QByteArray(50, '\0');
    QCOMPARE(OptionRecords::encode(jpeg), jpegRecord);
    const TextOffsetOptions text{0x01020304, -2, 1};
    const QByteArray textRecord = QByteArray::fromHex("04030201feffffff01000000");
    QCOMPARE(OptionRecords::encode(text), textRecord);

    JpegFileOptions jpegBack;
    QVERIFY(OptionRecords::loadInto(jpegBack, jpegRecord));
    QCOMPARE(jpegBack, jpeg);
    TextOffsetOptions textBack;
    QVERIFY(OptionRecords::loadInto(textBack, textRecord));
    QCOMPARE(textBack, text);
}

void tst_SettingsStore::userFileFollowsXdgConfigHome()
{
    QTemporaryDir dir;
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    const QString path = SettingsStore::userFilePath();
    qputenv("XDG_CONFIG_HOME", old);
    QCOMPARE(path, dir.filePath(QStringLiteral("brindlewick/brindlewick.ini")));
}

void tst_SettingsStore::startupLoading_data()
{
    // An invalid QVariant stores nothing.
    QTest::addColumn<QVariant>("jpegValue");
    QTest::addColumn<QVariant>("textValue");
    QTest::addColumn<QByteArray>("jpegRecord"); // first 8 bytes after loading
    QTest::addColumn<QByteArray>("textRecord");
    QTest::addColumn<int>("warnings");

    const QByteArray jpegDefault = QByteArray::fromHex("5a00000000000100");
    const QByteArray textDefault = QByteArray::fromHex("280000000200000000000000");
    const auto bytes = [](const char* hex) { return QVariant(QByteArray::fromHex(hex)); };
    QTest::newRow("nothing stored") << QVariant() << QVariant() << jpegDefault << textDefault << 0;
    QTest::newRow("4-byte JPEG record")
        << bytes("32010107") << QVariant() << QByteArray::fromHex("3201010700000100") << textDefault
        << 0;
    QTest::newRow("whole records")
        << QVariant(OptionRecords::encode(JpegFileOptions{64, 1, 1, 1, 1, 1, 0, 1}))
        << bytes("c80000001800000001000000") << QByteArray::fromHex("4001010101010001")
        << QByteArray::fromHex("c80000001800000001000000") << 0;
    QTest::newRow("quality 0, pixel format 2, boolean 7, offset 25, indent -1")
        << bytes("0002010700000007") << bytes("ffffffff1900000001")
        << QByteArray::fromHex("5a00010700000007")
        << textDefault.left(8) + QByteArray::fromHex("01000000") << 0;
    QTest::newRow("quality 101, performance 2, offset 24, indent 200")
        << bytes("650002") << bytes("c800000018000000") << QByteArray::fromHex("5a00000000000100")
        << QByteArray::fromHex("c80000001800000000000000") << 0;
    QTest::newRow("string and number") << QVariant(QStringLiteral("quality=50")) << QVariant(12)
                                       << jpegDefault << textDefault << 2;
    QTest::newRow("other stored type")
        << QVariant(QPoint(1, 2)) << QVariant() << jpegDefault << textDefault << 1;
    QTest::newRow("records too long")
        << QVariant(QByteArray(59, '\x05')) << QVariant(QByteArray(13, '\x05')) << jpegDefault
        << textDefault << 2;
}

void tst_SettingsStore::startupLoading()
{
    QFETCH(QVariant, jpegValue);
    QFETCH(QVariant, textValue);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("brindlewick.ini"));
    {
        QSettings settings(path, QSettings::IniFormat);
        if (jpegValue.isValid())
            settings.setValue(jpegKey, jpegValue);
        if (textValue.isValid())
            settings.setValue(textKey, textValue);
    }
    OptionSets sets;
    sets.jpeg.quality = 12; // start-up begins from the defaults, not from what was there
    sets.text.textOffset = 9;
    SettingsStore store(path);
    const QList<Failure> failures = store.loadOptionSets(sets);
    QTEST(OptionRecords::encode(sets.jpeg).left(8), "jpegRecord");
    QTEST(OptionRecords::encode(sets.text), "textRecord");
    QTEST(int(failures.size()), "warnings");
    for (const Failure& failure : failures) {
        const QString line = ErrorText::settingsLine(failure);
        QVERIFY2(line.contains(QStringLiteral("Invalid data type for 'fOverrideOptions")),
                 qPrintable(line));
        QVERIFY(!line.contains(QLatin1Char('\n')));
    }
}

void tst_SettingsStore::saveAndForget()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config/brindlewick/brindlewick.ini"));
    SettingsStore store(path);

    // Forgetting what was never stored neither fails nor creates the file or its folder, even
    // where the folder could not be made.
    QVERIFY_DONE(store.forgetJpegOptions());
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("config"))));
    QFile blocker(dir.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    QVERIFY_DONE(SettingsStore(blocker.fileName() + "/brindlewick/brindlewick.ini")
                     .forgetTextOffsetOptions());

    JpegFileOptions jpeg;
    jpeg.quality = 33;
    jpeg.retainSettings = 1;
    TextOffsetOptions text;
    text.textOffset = 7;
    text.retainSettings = 1;
    QVERIFY_DONE(store.saveJpegOptions(jpeg));
    QVERIFY_DONE(store.saveTextOffsetOptions(text));
    {
        const QSettings settings(path, QSettings::IniFormat);
        QCOMPARE(settings.value(jpegKey).toByteArray(), OptionRecords::encode(jpeg));
        QCOMPARE(settings.value(textKey).toByteArray(), OptionRecords::encode(text));
    }
    // The same settings again give the same file.
    const QByteArray saved = readFile(path);
    QVERIFY_DONE(store.saveJpegOptions(jpeg));
    QCOMPARE(readFile(path), saved);

    // Forgetting one value keeps the other and whatever else the file holds.
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Other/kept"), QStringLiteral("yes"));
    }
    QVERIFY_DONE(store.forgetJpegOptions());
    OptionSets loaded;
    QVERIFY(store.loadOptionSets(loaded).isEmpty());
    QCOMPARE(loaded.jpeg, JpegFileOptions::defaults());
    QCOMPARE(loaded.text, text);
    QCOMPARE(QSettings(path, QSettings::IniFormat).value(QStringLiteral("Other/kept")).toString(),
             QStringLiteral("yes"));
    // No temporaries or lock files stay behind.
    QCOMPARE(QDir(QFileInfo(path).path())
                 .entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("brindlewick.ini")});
}

void tst_SettingsStore::saveFailures_data()
{
    // Inside a temporary folder that holds a file "file", a folder "folder" and a link "loop"
    // to itself.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cause"); // the file's failure on stderr; %1 for the folder
    QTest::newRow("no store") << QString() << QString();
    QTest::newRow("folder cannot be made") << "file/brindlewick.ini"
                                           << "Cannot create file \"%1/file\". File exists";
    QTest::newRow("file is a folder") << "folder"
                                      << "%1/folder is not a regular file";
    QTest::newRow("link to itself")
        << "loop"
        << "Cannot open file \"%1/loop\". Too many levels of symbolic links";
}

void tst_SettingsStore::saveFailures()
{
    QFETCH(QString, name);
    QFETCH(QString, cause);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QVERIFY(
        QFile::link(dir.filePath(QStringLiteral("loop")), dir.filePath(QStringLiteral("loop"))));
    SettingsStore store(name.isEmpty() ? QString() : dir.filePath(name));
    const Failure jpeg = store.saveJpegOptions(JpegFileOptions());
    QCOMPARE(ErrorText::message(jpeg),
             QStringLiteral("Failed to set data for 'fOverrideOptionsJPEG'"));
    QCOMPARE(ErrorText::settingsLine(jpeg),
             cause.isEmpty() ? cause
                             : "brindlewick: Failed to set data for 'fOverrideOptionsJPEG': " +
                                   cause.arg(dir.path()));
    QCOMPARE(ErrorText::message(store.saveTextOffsetOptions(TextOffsetOptions())),
             QStringLiteral("Failed to set data for 'fOverrideOptionsText'"));
    // Loading such a store keeps the defaults.
    OptionSets sets;
    store.loadOptionSets(sets);
    QCOMPARE(sets.jpeg, JpegFileOptions::defaults());
    QCOMPARE(readFile(dir.filePath(QStringLiteral("file"))), QByteArray());
}

void tst_SettingsStore::fullDiskKeepsOldFile()
{
    QTemporaryDir dir;
    const QString disk = dir.filePath(QStringLiteral("disk"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("disk")));
    if (geteuid() != 0 ||
        QProcess::execute(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=64k"), QStringLiteral("tmpfs"), disk}) != 0)
        QSKIP("cannot mount a small tmpfs here");
    struct Unmount
    {
        QString path;
        ~Unmount() { QProcess::execute(QStringLiteral("umount"), {path}); }
    } unmount{disk};

    const QString path = disk + QStringLiteral("/brindlewick.ini");
    SettingsStore store(path);
    JpegFileOptions jpeg;
    jpeg.quality = 20;
    jpeg.retainSettings = 1;
    TextOffsetOptions text;
    text.retainSettings = 1;
    QVERIFY_DONE(store.saveJpegOptions(jpeg));
    QVERIFY_DONE(store.saveTextOffsetOptions(text));
    const QByteArray before = readFile(path);

    // Fill what is left.
    QFile filler(disk + QStringLiteral("/filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    filler.close();

    text.textOffset = 5;
    const Failure failure = store.saveTextOffsetOptions(text);
    QCOMPARE(ErrorText::message(failure),
             QStringLiteral("Failed to set data for 'fOverrideOptionsText'"));
    QVERIFY(ErrorText::settingsLine(failure).endsWith(QStringLiteral(". Disk full")));
    // Forgetting one value means writing the other.
    QVERIFY(store.forgetJpegOptions().isError());
    QCOMPARE(readFile(path), before);
    QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("brindlewick.ini"), QStringLiteral("filler")}));

    QVERIFY(QFile::remove(filler.fileName()));
    QVERIFY_DONE(store.forgetJpegOptions());
}

void tst_SettingsStore::concurrentSavesKeepBoth()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("brindlewick.ini");
    for (int round = 0; round < 20; ++round) {
        JpegFileOptions jpeg;
        jpeg.quality = 10 + round;
        jpeg.retainSettings = 1;
        TextOffsetOptions text;
        text.textOffset = round;
        text.retainSettings = 1;
        bool jpegSaved = false;
        std::thread other(
            [&] { jpegSaved = !SettingsStore(path).saveJpegOptions(jpeg).isError(); });
        const bool textSaved = !SettingsStore(path).saveTextOffsetOptions(text).isError();
        other.join();
        // On a loaded machine one save may give up waiting for the lock, and says so; a save
        // that reports success must never be lost.
        QVERIFY(jpegSaved || textSaved);
        OptionSets loaded;
        SettingsStore(path).loadOptionSets(loaded);
        QVERIFY(!jpegSaved || loaded.jpeg == jpeg);
        QVERIFY(!textSaved || loaded.text == text);
    }
}

void tst_SettingsStore::filesThatAreNoSettings_data()
{
    QTest::addColumn<QByteArray>("contents"); // empty for a FIFO
    QTest::addColumn<QString>("said");        // %1 for the path
    QTest::newRow("FIFO") << QByteArray() << "%1 is not a regular file";
    QTest::newRow("unparsable") << QByteArray("[Software\nBRWK400\\fOverrideOptionsJPEG=1\n")
                                << "Cannot read file \"%1\". Its contents cannot be parsed";
    QTest::newRow("just past 1 MB") << "[Other]\nkept=" + QByteArray(1 << 20, 'x') + "\n"
                                    << "%1 is larger than 1 MB; it is not a settings file";
}

// None is read, and none is replaced: whatever it holds stays.
void tst_SettingsStore::filesThatAreNoSettings()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QString path = dir.filePath("brindlewick.ini");
    said.replace("%1", path);
    if (contents.isEmpty()) {
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    OptionSets sets;
    const QList<Failure> failures = SettingsStore(path).loadOptionSets(sets);
    QCOMPARE(failures.size(), 1);
    QCOMPARE(ErrorText::settingsLine(failures.first()),
             "brindlewick: warning: " + said + "; the default options are used");
    QCOMPARE(sets.jpeg, JpegFileOptions::defaults());

    for (const Failure& failure : {SettingsStore(path).saveJpegOptions(JpegFileOptions()),
                                   SettingsStore(path).forgetTextOffsetOptions()}) {
        QVERIFY(ErrorText::message(failure).startsWith("Failed to set data for 'fOverride"));
        QVERIFY2(ErrorText::settingsLine(failure).endsWith("': " + said),
                 qPrintable(ErrorText::settingsLine(failure)));
    }
    if (contents.isEmpty())
        QVERIFY(QFileInfo::exists(path) && !QFileInfo(path).isFile());
    else
        QCOMPARE(readFile(path), contents);
}

void tst_SettingsStore::lockFilesLeftBehind_data()
{
    QTest::addColumn<QByteArray>("contents"); // of the lock file; "fifo" for a FIFO
    QTest::addColumn<QString>("said");        // empty: the save succeeds; %1 for the lock
    QTest::newRow("FIFO") << QByteArray("fifo") << "%1 is not a regular file";
    QTest::newRow("empty, as a killed save leaves it") << QByteArray() << "";
    QTest::newRow("no lock at all") << QByteArray("notes\n") << "";
    QTest::newRow("of a process that has ended")
        << "2147483647\nbrindlewick\n" + QSysInfo::machineHostName().toUtf8() + "\n"
        << "";
    QTest::newRow("held") << QByteArray("held")
                          << "Cannot lock file \"%1\". Resource temporarily unavailable";
}

// A lock that holds nobody is taken at once; one that is no file is named.
void tst_SettingsStore::lockFilesLeftBehind()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QString path = dir.filePath("brindlewick.ini");
    const QString lockPath = path + ".lock";
    said.replace("%1", lockPath);
    LockFile holder(lockPath);
    if (contents == "fifo") {
        QVERIFY(::mkfifo(QFile::encodeName(lockPath).constData(), 0644) == 0);
    } else if (contents == "held") {
        QVERIFY_DONE(holder.lock(std::chrono::milliseconds(0)));
    } else {
        QFile lock(lockPath);
        QVERIFY(lock.open(QIODevice::WriteOnly) && lock.write(contents) == contents.size());
    }
    JpegFileOptions jpeg;
    jpeg.retainSettings = 1;
    const Failure failure = SettingsStore(path).saveJpegOptions(jpeg);
    if (said.isEmpty()) {
        QVERIFY_DONE(failure);
        QVERIFY(!QFileInfo::exists(lockPath));
    } else {
        QCOMPARE(ErrorText::settingsLine(failure),
                 "brindlewick: Failed to set data for 'fOverrideOptionsJPEG': " + said);
        QVERIFY(QFileInfo::exists(lockPath) && !QFileInfo::exists(path));
    }
}

void tst_SettingsStore::replacedFileKeepsModeLinksAndForeignLines_data()
{
    QTest::addColumn<int>("mode"); // of the file at the end; -1: there is none yet
    QTest::addColumn<int>("links");
    QTest::newRow("0644") << 0644 << 0;
    QTest::newRow("read-only") << 0444 << 0;
    QTest::newRow("chain of links") << 0640 << 2;
    QTest::newRow("chain to a missing file") << -1 << 2;
}

void tst_SettingsStore::replacedFileKeepsModeLinksAndForeignLines()
{
    QFETCH(int, mode);
    QFETCH(int, links);
    QTemporaryDir dir;
    const QString real = dir.filePath("real.ini");
    // A value this program cannot read, and a comment.
    const QByteArray foreign = "; kept\n[Other]\ncolor=@Variant(\\0\\0\\0\\x43\\x1)\n";
    if (mode >= 0) {
        QFile file(real);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(foreign);
        file.close();
        QVERIFY(::chmod(QFile::encodeName(real).constData(), mode_t(mode)) == 0);
    }
    // The first link is relative, the next ones absolute.
    QString path = "real.ini";
    for (int i = 0; i < links; ++i) {
        const QString link = dir.filePath(QString("link%1").arg(i));
        QVERIFY(QFile::link(path, link));
        path = link;
    }
    if (links == 0)
        path = real;

    JpegFileOptions jpeg;
    jpeg.quality = 42;
    jpeg.retainSettings = 1;
    SettingsStore store(path);
    QVERIFY_DONE(store.saveJpegOptions(jpeg));
    for (int i = 0; i < links; ++i)
        QVERIFY(QFileInfo(dir.filePath(QString("link%1").arg(i))).isSymLink());
    QVERIFY(!QFileInfo(real).isSymLink());
    if (mode >= 0) {
        QVERIFY(readFile(real).startsWith(foreign));
        struct stat st = {};
        QVERIFY(::stat(QFile::encodeName(real).constData(), &st) == 0);
        QCOMPARE(int(st.st_mode & 0777), mode);
    }
    OptionSets loaded;
    QVERIFY(SettingsStore(path).loadOptionSets(loaded).isEmpty());
    QCOMPARE(loaded.jpeg, jpeg);
}

void tst_SettingsStore::abandonedTemporariesGo()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("brindlewick.ini");
    AtomicOutputFile live(dir.filePath("other.ini"));
    QVERIFY(live.open());
    const QStringList killed = {".brindlewick-4d2f.tmp", ".brindlewick.ini.Ab12Cd"};
    for (const QString& name : killed)
        QVERIFY(!AtomicOutputFile::writeFile(dir.filePath(name), "half").isError());
    QVERIFY_DONE(SettingsStore(path).saveJpegOptions(JpegFileOptions()));
    for (const QString& name : killed)
        QVERIFY2(!QFile::exists(dir.filePath(name)), qPrintable(name));
    QVERIFY(QFile::exists(live.temporaryPath()));
}

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_SettingsStore.moc"
