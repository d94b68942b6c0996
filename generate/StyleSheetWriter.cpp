#include "StyleSheetWriter.h"

#include "BufferedLineFile.h"
#include "OutputNaming.h"
#include "PageReferences.h"

StyleSheetWriter::StyleSheetWriter(const ButtonProject& project, const ButtonSizeTables& sizes)
    : m_project(project), m_sizes(sizes)
{
}

QString StyleSheetWriter::spriteUrl(int n, int scale) const
{
    // Percent-encoded, the name holds no quote or backslash that could end the string.
    return QStringLiteral("url(\"") +
           PageReferences::urlFromFileName(OutputNaming::pageSpriteFileName(m_project, n, scale)) +
           QStringLiteral("\")");
}

void StyleSheetWriter::addButtonRules(const LineSink& line, int n) const
{
    const QString selector = QLatin1Char('.') + PageReferences::buttonClass(n);
    const qint32 width = m_sizes.width(n);
    const qint32 height = m_sizes.height(n);
    const QList<ButtonState> states = m_project.extraStates();
    line(selector +
         QStringLiteral(" { width: %1px; height: %2px; background-image: ").arg(width).arg(height) +
         spriteUrl(n, 1) + QStringLiteral("; }"));
    if (m_project.hiDpiImages && (!m_twinWritten || m_twinWritten(n))) {
        line(selector + QStringLiteral(" { background-image: image-set(") + spriteUrl(n, 1) +
             QStringLiteral(" 1x, ") + spriteUrl(n, 2) +
             QStringLiteral(" 2x); background-size: %1px %2px; }")
                 .arg(width)
                 .arg(qint64(height) * (1 + states.size())));
    }
    const auto slice = [&](ButtonState state) {
        return QStringLiteral(" { background-position: 0 -%1px; }")
            .arg(qint64(height) * (1 + states.indexOf(state)));
    };
    // Later rules win: a press shows while the mouse is still over the button.
    if (states.contains(ButtonState::Selected))
        line(selector + QStringLiteral(":hover, ") + selector + QStringLiteral(":focus-visible") +
             slice(ButtonState::Selected));
    if (states.contains(ButtonState::Pressed))
        line(selector + QStringLiteral(":active") + slice(ButtonState::Pressed));
}

void StyleSheetWriter::produceLines(const LineSink& line) const
{
    line(QStringLiteral("/* Each button's sprite holds its states top to bottom: Normal, then "
                        "Selected, then Pressed. */"));
    const PageReferences::PageColors colors = PageReferences::pageColors(m_project);
    if (!colors.background.isEmpty())
        line(QStringLiteral("body { background-color: %1; color: %2; }")
                 .arg(colors.background, colors.text));
    const bool table = m_project.htmlTable == HtmlTable::MakeTable;
    if (table) {
        line(QStringLiteral("nav table { border-collapse: collapse; }"));
        line(QStringLiteral("nav td { padding: 0; }"));
    } else {
        line(QStringLiteral("nav ul { list-style: none; margin: 0; padding: 0; }"));
        if (m_project.htmlDirection == HtmlDirection::Across)
            line(QStringLiteral("nav ul { display: flex; }"));
    }
    line(QStringLiteral("nav a { display: block; position: relative; "
                        "background-repeat: no-repeat; }"));
    line(QStringLiteral("nav img { display: block; border: 0; }"));
    // Read by screen readers, not shown.
    line(QStringLiteral("nav a span { position: absolute; width: 1px; height: 1px; "
                        "overflow: hidden; clip-path: inset(50%); white-space: nowrap; }"));
    if (!OutputNaming::hasSprites(m_project))
        return;
    for (int n = 1; n <= m_project.captions.size(); ++n)
        addButtonRules(line, n);
}

Failure StyleSheetWriter::write()
{
    return write(OutputNaming::styleSheetPath(m_project));
}

Failure StyleSheetWriter::write(const QString& path)
{
    return BufferedLineFile::writeFile(path, [this](const LineSink& line) { produceLines(line); });
}
