#include "AtomicOutputFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Where set, flock() fails as on NFS without its lock daemon.
bool locksUnsupported = false;

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList everything(const QString& directory)
{
    return QDir(directory).entryList(
        QDir::Files | QDir::Hidden | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

struct stat statOf(const QString& path)
{
    struct stat st = {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Dated back a long way, so that a rewrite shows in the time whatever the clock's grain.
bool dateBack(const QString& path)
{
    const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), old, 0) == 0;
}

} // namespace

// Linked in before the C library's, so the code under test calls this one.
extern "C" int flock(int fd, int operation) noexcept
{
    if (!locksUnsupported)
        return int(::syscall(SYS_flock, fd, operation));
    errno = ENOLCK;
    return -1;
}

class tst_AtomicOutputFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }
    void replacesTheTargetAndKeepsItsRights();
    void newFileInOneCallIsLikeAnyOther();
    void linkAtTheName_data();
    void linkAtTheName();
    void fifoAtTheNameIsReplaced();
    void unchangedBytesLeaveTheFile_data();
    void unchangedBytesLeaveTheFile();
    void readOnlyTargetStays();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void targetsThatCannotBeCreated_data();
    void targetsThatCannotBeCreated();
    void overlappingWritersNeverMix();
    void onlyTemporariesNobodyHoldsAreStale();
    void withoutLocksTemporariesGoUnlocked();
};

void tst_AtomicOutputFile::replacesTheTargetAndKeepsItsRights()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    QVERIFY(!AtomicOutputFile::writeFile(path, "old").isError());
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0604) == 0);
    QVERIFY(!AtomicOutputFile::writeFile(path, "new content").isError());
    QCOMPARE(fileBytes(path), QByteArray("new content"));
    struct stat st = {};
    QVERIFY(::stat(QFile::encodeName(path).constData(), &st) == 0);
    QCOMPARE(int(st.st_mode & 0777), 0604);
    QCOMPARE(everything(dir.path()), QStringList{"page.html"});
}

void tst_AtomicOutputFile::newFileInOneCallIsLikeAnyOther()
{
    QTemporaryDir dir;
    const QString oneCall = dir.filePath("btn1.png");
    const QString steps = dir.filePath("btn2.png");
    QVERIFY(!AtomicOutputFile::writeFile(oneCall, "content").isError());
    AtomicOutputFile file(steps);
    QVERIFY(file.open() && file.write("content", 7) && file.commit());
    QCOMPARE(fileBytes(oneCall), QByteArray("content"));
    struct stat a = {}, b = {};
    QVERIFY(::stat(QFile::encodeName(oneCall).constData(), &a) == 0);
    QVERIFY(::stat(QFile::encodeName(steps).constData(), &b) == 0);
    QCOMPARE(a.st_mode, b.st_mode);
    QCOMPARE(everything(dir.path()), QStringList({"btn1.png", "btn2.png"}));
}

void tst_AtomicOutputFile::linkAtTheName_data()
{
    QTest::addColumn<bool>("follow");
    QTest::addColumn<bool>("oneCall");
    QTest::addColumn<QByteArray>("theirs");
    QTest::newRow("output replaces the link") << false << false << QByteArray("theirs");
    QTest::newRow("the user's own file is written through")
        << true << false << QByteArray("theirs");
    QTest::newRow("one call replaces the link") << false << true << QByteArray("theirs");
    QTest::newRow("one call writes through") << true << true << QByteArray("theirs");
    // Unchanged bytes at the link's end still do not keep the link.
    QTest::newRow("link to the same bytes") << false << false << QByteArray("new");
    QTest::newRow("one call, link to the same bytes") << false << true << QByteArray("new");
}

void tst_AtomicOutputFile::linkAtTheName()
{
    QFETCH(bool, follow);
    QFETCH(bool, oneCall);
    QFETCH(QByteArray, theirs);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("elsewhere"));
    const QString victim = dir.filePath("elsewhere/owned.txt");
    QVERIFY(!AtomicOutputFile::writeFile(victim, theirs).isError());
    const QString link = dir.filePath("btn1.jpg");
    QVERIFY(QFile::link("elsewhere/owned.txt", link));
    AtomicOutputFile file(link);
    file.setFollowLinks(follow);
    QVERIFY(oneCall ? file.writeAll("new", 3)
                    : file.open() && file.write("new", 3) && file.commit());
    QCOMPARE(fileBytes(victim), follow ? QByteArray("new") : theirs);
    QCOMPARE(QFileInfo(link).isSymLink(), follow);
    QCOMPARE(fileBytes(link), QByteArray("new"));
    QCOMPARE(everything(dir.filePath("elsewhere")), QStringList{"owned.txt"});
}

void tst_AtomicOutputFile::fifoAtTheNameIsReplaced()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("btn1.gif");
    for (const bool oneCall : {true, false}) {
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
        AtomicOutputFile file(path);
        ::alarm(2); // ends the test should an open wait for a writer
        QVERIFY(oneCall ? file.writeAll("gif", 3)
                        : file.open() && file.write("gif", 3) && file.commit());
        ::alarm(0);
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(fileBytes(path), QByteArray("gif"));
        QVERIFY(QFile::remove(path));
    }
}

void tst_AtomicOutputFile::unchangedBytesLeaveTheFile_data()
{
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<QByteArray>("now");
    QTest::addColumn<int>("step"); // bytes a write(); 0 for writeAll()
    QByteArray bytes;              // longer than a read of the old file
    for (int i = 0; i < 40000; ++i)
        bytes += char(i * 7 % 251);
    QByteArray lastDiffers = bytes;
    lastDiffers.back() = '!';
    QTest::newRow("same, one call") << bytes << bytes << 0;
    QTest::newRow("same, in steps") << bytes << bytes << 1000;
    QTest::newRow("empty, one call") << QByteArray() << QByteArray() << 0;
    QTest::newRow("last byte differs, one call") << bytes << lastDiffers << 0;
    QTest::newRow("last byte differs, in steps") << bytes << lastDiffers << 3000;
    QTest::newRow("longer, in steps") << bytes << bytes + "more" << 5000;
    QTest::newRow("shorter, in steps") << bytes << bytes.left(30000) << 7000;
}

void tst_AtomicOutputFile::unchangedBytesLeaveTheFile()
{
    QFETCH(QByteArray, old);
    QFETCH(QByteArray, now);
    QFETCH(int, step);
    QTemporaryDir dir;
    const QString path = dir.filePath("btn1.png");
    QVERIFY(!AtomicOutputFile::writeFile(path, old).isError());
    QVERIFY(dateBack(path) && dateBack(dir.path()));
    const struct stat before = statOf(path);
    const struct stat folderBefore = statOf(dir.path());
    AtomicOutputFile file(path);
    if (step == 0) {
        QVERIFY(file.writeAll(now.constData(), std::size_t(now.size())));
    } else {
        QVERIFY(file.open());
        for (qsizetype at = 0; at < now.size(); at += step)
            QVERIFY(file.write(now.constData() + at,
                               std::size_t(qMin<qsizetype>(step, now.size() - at))));
        QVERIFY(file.commit());
    }
    QCOMPARE(fileBytes(path), now);
    const struct stat after = statOf(path);
    const bool kept = now == old;
    QCOMPARE(after.st_ino == before.st_ino, kept);
    QCOMPARE(after.st_mtim.tv_sec == before.st_mtim.tv_sec, kept);
    // The folder's time tells whether any temporary came and went.
    QCOMPARE(statOf(dir.path()).st_mtim.tv_sec == folderBefore.st_mtim.tv_sec, kept);
    QCOMPARE(everything(dir.path()), QStringList{"btn1.png"});
}

void tst_AtomicOutputFile::readOnlyTargetStays()
{
    if (::geteuid() == 0)
        QSKIP("file permissions do not bind the superuser");
    QTemporaryDir dir;
    const QString path = dir.filePath("btn1.jpg");
    QVERIFY(!AtomicOutputFile::writeFile(path, "old").isError());
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    QCOMPARE(AtomicOutputFile::writeFile(path, "new").systemError(), EACCES);
    QCOMPARE(fileBytes(path), QByteArray("old"));
}

void tst_AtomicOutputFile::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<bool>("commit");
    QTest::addColumn<int>("limit");
    QTest::newRow("write past a file size limit") << true << 100;
    QTest::newRow("abandoned before commit") << false << 0;
}

void tst_AtomicOutputFile::failedWriteKeepsOldFile()
{
    QFETCH(bool, commit);
    QFETCH(int, limit);
    QTemporaryDir dir;
    const QString path = dir.filePath("btn1.png");
    QVERIFY(!AtomicOutputFile::writeFile(path, "old").isError());
    const QByteArray big(1000, 'x');
    rlimit saved = {};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    bool ok = false;
    int error = 0;
    {
        AtomicOutputFile file(path);
        QVERIFY(file.open());
        if (limit > 0) {
            rlimit limited = saved;
            limited.rlim_cur = rlim_t(limit);
            QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
        }
        ok = file.write(big.constData(), std::size_t(big.size())) && (!commit || file.commit());
        setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(QFileInfo::exists(file.temporaryPath()), ok);
        error = file.error().systemError();
        QCOMPARE(fileBytes(path), QByteArray("old"));
    }
    if (limit > 0) {
        QVERIFY(!ok);
        QCOMPARE(error, EFBIG);
    }
    QCOMPARE(fileBytes(path), QByteArray("old"));
    QCOMPARE(everything(dir.path()), QStringList{"btn1.png"});
}

void tst_AtomicOutputFile::targetsThatCannotBeCreated_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::newRow("folder") << "sub" << EISDIR;
    QTest::newRow("name too long") << QString(256, 'x') << ENAMETOOLONG;
    QTest::newRow("missing folder") << "nowhere/btn1.png" << ENOENT;
    QTest::newRow("folder path") << "sub/" << EISDIR;
}

void tst_AtomicOutputFile::targetsThatCannotBeCreated()
{
    QFETCH(QString, name);
    QFETCH(int, error);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    AtomicOutputFile file(dir.filePath(name));
    QVERIFY(!file.open());
    QCOMPARE(file.error().systemError(), error);
    QVERIFY(!file.commit());
    QCOMPARE(everything(dir.path()), QStringList{"sub"});
    QVERIFY(everything(dir.filePath("sub")).isEmpty());
}

void tst_AtomicOutputFile::overlappingWritersNeverMix()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("btn1.gif");
    AtomicOutputFile first(path);
    AtomicOutputFile second(path);
    QVERIFY(first.open());
    QVERIFY(second.open());
    QVERIFY(first.temporaryPath() != second.temporaryPath());
    QVERIFY(first.write("first, longer", 13));
    QVERIFY(second.write("second", 6));
    QVERIFY(second.commit());
    QCOMPARE(fileBytes(path), QByteArray("second"));
    QVERIFY(first.commit());
    QCOMPARE(fileBytes(path), QByteArray("first, longer"));
    QCOMPARE(everything(dir.path()), QStringList{"btn1.gif"});
}

void tst_AtomicOutputFile::onlyTemporariesNobodyHoldsAreStale()
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    // A live writer: its lock holds even against another descriptor of this same process.
    AtomicOutputFile live(folder + "/btn1.png");
    QVERIFY(live.open());
    const QString killed = ".brindlewick-1234-5-otherhost.tmp";
    for (const QString& name : {killed, QString(".brindlewick-notes.txt")})
        QVERIFY(!AtomicOutputFile::writeFile(folder + '/' + name, "x").isError());

    QCOMPARE(AtomicOutputFile::removeStaleTemporaries(folder), 1);
    QVERIFY(!QFile::exists(folder + '/' + killed));
    QVERIFY(QFile::exists(live.temporaryPath()));
    QVERIFY(live.write("y", 1) && live.commit());
    QCOMPARE(everything(folder), QStringList({".brindlewick-notes.txt", "btn1.png"}));
}

void tst_AtomicOutputFile::withoutLocksTemporariesGoUnlocked()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("btn1.png");
    QVERIFY(!AtomicOutputFile::writeFile(path, "old").isError());
    locksUnsupported = true;
    const auto restore = qScopeGuard([] { locksUnsupported = false; });
    AtomicOutputFile live(dir.filePath("btn2.png"));
    QVERIFY(live.open());
    // A temporary that cannot be locked cannot be told from a live one: none is taken.
    QCOMPARE(AtomicOutputFile::removeStaleTemporaries(dir.path()), 0);
    QVERIFY(live.write("y", 1) && live.commit());
    const Failure failure = AtomicOutputFile::writeFile(path, "new");
    QVERIFY2(!failure, qPrintable(QString::number(failure.systemError())));
    QCOMPARE(fileBytes(path), QByteArray("new"));
    QCOMPARE(everything(dir.path()), QStringList({"btn1.png", "btn2.png"}));
}

QTEST_GUILESS_MAIN(tst_AtomicOutputFile)
#include "tst_AtomicOutputFile.moc"
