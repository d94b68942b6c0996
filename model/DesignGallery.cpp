#include "DesignGallery.h"

#include "ProjectFileReader.h"

#include <QFile>

// Outside any namespace, as the resource initialiser requires.
static void initDesignResources()
{
    Q_INIT_RESOURCE(designs);
}

namespace {
const QString resourceFolder = QStringLiteral(":/designs/");

QByteArray resourceBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One "name<TAB>description<TAB>file" line per design.
QList<DesignGallery::Design> readIndex()
{
    initDesignResources();
    QList<DesignGallery::Design> designs;
    const QString index = QString::fromUtf8(resourceBytes(resourceFolder + "designs.txt"));
    for (const QString& line : index.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() == 3)
            designs.append({fields[0], fields[1], resourceFolder + fields[2]});
    }
    return designs;
}
} // namespace

const QList<DesignGallery::Design>& DesignGallery::designs()
{
    static const QList<Design> designs = readIndex();
    return designs;
}

const DesignGallery::Design* DesignGallery::find(const QString& name)
{
    for (const Design& design : designs()) {
        if (design.name.compare(name, Qt::CaseInsensitive) == 0)
            return &design;
    }
    return nullptr;
}

std::optional<ButtonProject> DesignGallery::load(const QString& name)
{
    const Design* design = find(name);
    if (!design)
        return std::nullopt;
    ButtonProject project;
    // The designs name no own pictures, so nothing is loaded beside them.
    ProjectFileReader reader(project, [](ButtonState, const QString&) { return Failure(); });
    if (reader.loadFromBytes(resourceBytes(design->resourcePath)))
        return std::nullopt;
    return project;
}

std::optional<ButtonProject> DesignGallery::newProject(const QString& name,
                                                       const CaptionList& captions,
                                                       const QString& outputDirectory)
{
    std::optional<ButtonProject> project = load(name);
    if (!project)
        return std::nullopt;
    if (!captions.isEmpty())
        project->captions = captions;
    project->outputDirectory = outputDirectory;
    project->projectFileName.clear();
    return project;
}
