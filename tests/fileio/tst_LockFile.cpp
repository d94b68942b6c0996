#include "LockFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

class tst_LockFile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }
    void writeCutShortLeavesNoLock_data();
    void writeCutShortLeavesNoLock();
};

void tst_LockFile::writeCutShortLeavesNoLock_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("error");
    QTest::newRow("nothing written") << 0 << EFBIG;
    QTest::newRow("part written") << 3 << ENOSPC;
}

// A lock whose holder could not be written down is not left for others to wait on, and the
// reason is the system's where it gave one.
void tst_LockFile::writeCutShortLeavesNoLock()
{
    QFETCH(int, limit);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.lock"));
    LockFile lock(path);
    rlimit saved = {};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    rlimit limited = saved;
    limited.rlim_cur = rlim_t(limit);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
    const Failure failure = lock.lock(std::chrono::milliseconds(0));
    setrlimit(RLIMIT_FSIZE, &saved);
    QCOMPARE(failure.code(), Failure::Code::Lock);
    QTEST(failure.systemError(), "error");
    QVERIFY(!QFile::exists(path));
    QVERIFY(!lock.lock(std::chrono::milliseconds(0)).isError());
    QVERIFY(QFile::exists(path));
}

QTEST_GUILESS_MAIN(tst_LockFile)
#include "tst_LockFile.moc"
