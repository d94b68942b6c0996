#include "DesignGallery.h"
#include "DesignThumbnail.h"
#include "GenerationRun.h"
#include "PredefinedBackground.h"

#include <QtTest>

class tst_DesignThumbnail : public QObject
{
    Q_OBJECT

private slots:
    void everyDesignGenerates_data();
    void everyDesignGenerates();
};

void tst_DesignThumbnail::everyDesignGenerates_data()
{
    QTest::addColumn<QString>("name");
    for (const DesignGallery::Design& design : DesignGallery::designs())
        QTest::newRow(qPrintable(design.name)) << design.name;
}

// Every design writes all its images, page and copy; its thumbnail is the Normal button of
// its first caption exactly as the run writes it.
void tst_DesignThumbnail::everyDesignGenerates()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    std::optional<ButtonProject> project = DesignGallery::newProject(name, {}, dir.path());
    QVERIFY(project);
    BackgroundPictures pictures;
    PredefinedBackground::reloadPictures(*project, pictures);
    OptionSets options;
    ButtonSizeTables sizes;
    const GenerationResult result = GenerationRun(*project, pictures, options, sizes).run();
    QVERIFY(result.everythingWritten());
    QVERIFY(result.pageWritten);
    QCOMPARE(result.imagesWritten, project->captions.size() * project->drawnStates().size());

    const QImage thumbnail = DesignThumbnail::render(*project);
    const QImage written(dir.filePath(QStringLiteral("btn1.png")));
    QVERIFY(!thumbnail.isNull());
    QCOMPARE(thumbnail.convertToFormat(QImage::Format_ARGB32),
             written.convertToFormat(QImage::Format_ARGB32));
}

QTEST_MAIN(tst_DesignThumbnail)
#include "tst_DesignThumbnail.moc"
