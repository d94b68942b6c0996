#include "DesignGallery.h"
#include "ProjectKeys.h"

#include <QtTest>

class tst_DesignGallery : public QObject
{
    Q_OBJECT

private slots:
    void everyDesign_data();
    void everyDesign();
    void coversEveryLook();
    void newProject_data();
    void newProject();
};

void tst_DesignGallery::everyDesign_data()
{
    QTest::addColumn<QString>("name");
    QVERIFY(DesignGallery::designs().size() >= 12);
    for (const DesignGallery::Design& design : DesignGallery::designs())
        QTest::newRow(qPrintable(design.name)) << design.name;
}

// Each design reads without error, shows a few captions, and names only keys the reader knows:
// a mistyped key would be dropped without a word.
void tst_DesignGallery::everyDesign()
{
    QFETCH(QString, name);
    const DesignGallery::Design* design = DesignGallery::find(name.toUpper());
    QVERIFY(design);
    QCOMPARE(design->name, name);
    QVERIFY(!design->description.isEmpty());
    const std::optional<ButtonProject> project = DesignGallery::load(name);
    QVERIFY(project);
    QVERIFY2(project->captions.size() >= 3 && project->captions.size() <= 5, qPrintable(name));
    QFile file(design->resourcePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString key = QString::fromUtf8(line.left(line.indexOf('=')));
        if (!line.trimmed().isEmpty() && key != "ButtonLayoutFileVersion")
            QVERIFY2(ProjectKeys::find(key) || ProjectKeys::isCaptionKey(key), qPrintable(key));
    }
}

void tst_DesignGallery::coversEveryLook()
{
    QSet<QString> looks;
    for (const DesignGallery::Design& design : DesignGallery::designs()) {
        const ButtonProject p = *DesignGallery::load(design.name);
        const ButtonStateStyle& n = p.normal;
        const bool solid = n.backgroundKind == BackgroundKind::Regular;
        if (solid && !n.gradientColor && p.cornerRadius == 0 &&
            n.borderEffect == BorderEffect::None)
            looks << "flat";
        if (p.cornerRadius > 0)
            looks << "rounded";
        if (solid && n.gradientColor)
            looks << "gradient";
        if (n.borderEffect == BorderEffect::Bevel3D ||
            n.borderEffect == BorderEffect::Bevel3DBlackEdge)
            looks << "bevel";
        if (n.backgroundKind == BackgroundKind::Predefined && n.hasPredefinedImage())
            looks << "picture";
        const quint32 page = Colors::toRgb(p.pageColor);
        if ((page >> 16 & 0xFF) + (page >> 8 & 0xFF) + (page & 0xFF) < 3 * 64)
            looks << "dark";
    }
    QCOMPARE(looks.size(), 6);
}

void tst_DesignGallery::newProject_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<bool>("known");
    QTest::newRow("captions kept") << "flat blue" << QStringList{"One", "Two|lines"} << true;
    QTest::newRow("none: the design's own") << "MIDNIGHT" << QStringList{} << true;
    QTest::newRow("unknown design") << "Flat Bleu" << QStringList{"One"} << false;
}

void tst_DesignGallery::newProject()
{
    QFETCH(QString, name);
    QFETCH(QStringList, captions);
    QFETCH(bool, known);
    const std::optional<ButtonProject> project =
        DesignGallery::newProject(name, captions, QStringLiteral("out"));
    QCOMPARE(project.has_value(), known);
    if (!known)
        return;
    const ButtonProject design = *DesignGallery::load(name);
    QCOMPARE(project->captions, captions.isEmpty() ? design.captions : captions);
    QCOMPARE(project->outputDirectory, QStringLiteral("out"));
    QVERIFY(project->projectFileName.isEmpty());
    QCOMPARE(project->normal, design.normal);
    QCOMPARE(project->cornerRadius, design.cornerRadius);
}

QTEST_GUILESS_MAIN(tst_DesignGallery)
#include "tst_DesignGallery.moc"
