#include "StyleSheetWriter.h"

#include "BufferedLineFile.h"
#include "OutputNaming.h"
#include "PageReferences.h"

StyleSheetWriter::StyleSheetWriter(const ButtonProject& project, const ButtonSizeTables& sizes)
    : m_project(project), m_sizes(sizes)
{
}

namespace {

QString url(const QString& fileName)
{
    // Percent-encoded, the name holds no quote or backslash that could end the string.
    return QStringLiteral("url(\"") + PageReferences::urlFromFileName(fileName) +
           QStringLiteral("\")");
}

QString stateSelector(const QString& selector, ButtonState state)
{
    switch (state) {
    case ButtonState::Selected:
        return selector + QStringLiteral(":hover, ") + selector + QStringLiteral(":focus-visible");
    case ButtonState::Pressed:
        return selector + QStringLiteral(":active");
    case ButtonState::Normal:
        break;
    }
    return selector;
}

} // namespace

QString StyleSheetWriter::shownFileName(int n, std::optional<ButtonState> state, int scale) const
{
    if (m_written)
        return m_written->fileName(n, state, scale);
    return OutputNaming::fileName(m_project, n, state, scale, OutputNaming::pageFormat(m_project));
}

void StyleSheetWriter::addButtonRules(const LineSink& line, int n) const
{
    const QString sprite = shownFileName(n, std::nullopt, 1);
    if (sprite.isEmpty()) {
        addImageRules(line, n);
        return;
    }
    const QString selector = QLatin1Char('.') + PageReferences::buttonClass(n);
    const qint32 width = m_sizes.width(n);
    const qint32 height = m_sizes.height(n);
    const QList<ButtonState> states = m_project.extraStates();
    line(selector +
         QStringLiteral(" { width: %1px; height: %2px; background-image: ").arg(width).arg(height) +
         url(sprite) + QStringLiteral("; }"));
    const QString twin = m_project.hiDpiImages ? shownFileName(n, std::nullopt, 2) : QString();
    if (!twin.isEmpty()) {
        line(selector + QStringLiteral(" { background-image: image-set(") + url(sprite) +
             QStringLiteral(" 1x, ") + url(twin) +
             QStringLiteral(" 2x); background-size: %1px %2px; }")
                 .arg(width)
                 .arg(qint64(height) * (1 + states.size())));
    }
    // Later rules win: a press shows while the mouse is still over the button.
    for (const ButtonState state : states)
        line(stateSelector(selector, state) +
             QStringLiteral(" { background-position: 0 -%1px; }")
                 .arg(qint64(height) * (1 + states.indexOf(state))));
}

void StyleSheetWriter::addImageRules(const LineSink& line, int n) const
{
    // Each state shows its own image, at the button's size whichever of the twins it is.
    const QString selector = QLatin1Char('.') + PageReferences::buttonClass(n);
    line(selector + QStringLiteral(" { width: %1px; height: %2px; background-size: %1px %2px; }")
                        .arg(m_sizes.width(n))
                        .arg(m_sizes.height(n)));
    for (const ButtonState state : m_project.drawnStates()) {
        const QString image = shownFileName(n, state, 1);
        if (image.isEmpty())
            continue;
        const QString twin = m_project.hiDpiImages ? shownFileName(n, state, 2) : QString();
        QString rule = stateSelector(selector, state) + QStringLiteral(" { background-image: ") +
                       url(image) + QStringLiteral("; ");
        if (!twin.isEmpty())
            rule += QStringLiteral("background-image: image-set(") + url(image) +
                    QStringLiteral(" 1x, ") + url(twin) + QStringLiteral(" 2x); ");
        line(rule + QLatin1Char('}'));
    }
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
