#pragma once

#include "ButtonProject.h"

#include <QList>
#include <QString>

#include <optional>

// The ready-made designs a project can start from, shipped as project files among the
// program's resources, each with a name and a one-line description.
class DesignGallery
{
public:
    struct Design
    {
        QString name;
        QString description;
        QString resourcePath;
    };

    // In the order the gallery shows them.
    static const QList<Design>& designs();
    // The design of that name, whatever its case; null when there is none.
    static const Design* find(const QString& name);
    // The design as stored, sample captions included; none for an unknown name.
    static std::optional<ButtonProject> load(const QString& name);
    // A new, unnamed project with the design's looks: the given captions, or the design's
    // own when there are none, written into outputDirectory.
    static std::optional<ButtonProject> newProject(const QString& name, const CaptionList& captions,
                                                   const QString& outputDirectory);
};
