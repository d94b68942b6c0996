#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// "designs" lists the gallery's designs; "new DESIGN OUT.blp" starts a project from one.
class DesignCommands
{
public:
    // One line per design: its name as stored, a tab, its description. Always succeeds.
    static int list(QTextStream& out);
    // Writes a new project from the design named (in any case) to path, with the captions given
    // or else the design's own, writing into ./buttons. An existing path, even a link, is only
    // replaced when force is set, and then the link itself, never its target.
    static int newProject(const QString& design, const QString& path, const QStringList& captions,
                          bool force, QTextStream& out, QTextStream& err);

    static inline const QString outputFolder = QStringLiteral("buttons");
};
