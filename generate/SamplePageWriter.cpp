#include "SamplePageWriter.h"

#include "BufferedLineFile.h"
#include "OutputNaming.h"
#include "PageReferences.h"

#include <QStringList>

namespace {

bool hasScript(JavaScriptOption option)
{
    return option == JavaScriptOption::MouseOver || option == JavaScriptOption::Pressed ||
           option == JavaScriptOption::Both;
}

bool showsSelected(JavaScriptOption option)
{
    return option == JavaScriptOption::MouseOver || option == JavaScriptOption::Both;
}

bool showsPressed(JavaScriptOption option)
{
    return option == JavaScriptOption::Pressed || option == JavaScriptOption::Both;
}

QString sizeAttributes(qint32 width, qint32 height)
{
    return QStringLiteral(" width=") + QString::number(width) + QStringLiteral(" height=") +
           QString::number(height) + QStringLiteral(" border=0");
}

const QString commentRule = QStringLiteral("<!-- ********************************* -->");

} // namespace

SamplePageWriter::SamplePageWriter(const ButtonProject& project, const ButtonSizeTables& sizes)
    : m_project(project), m_sizes(sizes)
{
}

QString SamplePageWriter::attributeText(const QString& text)
{
    return text.toHtmlEscaped();
}

QString SamplePageWriter::asciiAttributeText(const QString& text)
{
    const QString escaped = attributeText(text);
    QString out;
    out.reserve(escaped.size());
    for (const uint codePoint : escaped.toUcs4()) {
        if (codePoint < 0x80)
            out += QChar(char16_t(codePoint));
        else
            out += QStringLiteral("&#%1;").arg(codePoint);
    }
    return out;
}

QString SamplePageWriter::shownFileName(int n, ButtonState state, int scale) const
{
    if (m_written) {
        const QString written = m_written->fileName(n, state, scale);
        if (!written.isEmpty() || scale == 2)
            return written;
    }
    return OutputNaming::pageImageFileName(m_project, n, state, scale);
}

QString SamplePageWriter::imageUrl(int n, ButtonState state) const
{
    return PageReferences::urlFromFileName(shownFileName(n, state, 1));
}

QString SamplePageWriter::linkAttribute(int n) const
{
    return attributeText(PageReferences::urlFromFileName(OutputNaming::linkFileName(m_project, n)));
}

QString SamplePageWriter::srcsetText(int n, ButtonState state) const
{
    QString text =
        PageReferences::srcsetUrlFromFileName(shownFileName(n, state, 1)) + QStringLiteral(" 1x");
    const QString twin = shownFileName(n, state, 2);
    if (!twin.isEmpty())
        text += QStringLiteral(", ") + PageReferences::srcsetUrlFromFileName(twin) +
                QStringLiteral(" 2x");
    return text;
}

QString SamplePageWriter::imageSourceAttributes(int n, ButtonState state) const
{
    QString out = QStringLiteral("src=\"") + attributeText(imageUrl(n, state)) + QLatin1Char('"');
    if (m_project.hiDpiImages)
        out +=
            QStringLiteral(" srcset=\"") + attributeText(srcsetText(n, state)) + QLatin1Char('"');
    return out;
}

QString SamplePageWriter::anchorLine(int n) const
{
    const QString num = QString::number(n);
    const QString image = QStringLiteral("image") + num;
    QStringList handlers;
    const auto add = [&](const char* event, const char* target) {
        handlers << QLatin1String(event) + QStringLiteral("=\"changeImages('") + image +
                        QStringLiteral("', '") + image + QLatin1String(target) +
                        QStringLiteral("')\"");
    };
    // Enter activates a link as a click does, so it shows the pressed state too.
    const auto addEnter = [&](const char* event, const char* target) {
        handlers << QStringLiteral("%1=\"if (event.keyCode == 13) changeImages('%2', '%2%3')\"")
                        .arg(QLatin1String(event), image, QLatin1String(target));
    };
    const bool keyboard = m_project.keyboardRollovers;
    switch (m_project.javaScriptOption) {
    case JavaScriptOption::MouseOver:
        add("onMouseOver", "on");
        add("onMouseOut", "off");
        if (keyboard) {
            add("onFocus", "on");
            add("onBlur", "off");
        }
        break;
    case JavaScriptOption::Pressed:
        add("onMouseDown", "press");
        add("onMouseUp", "off");
        add("onMouseOut", "off");
        if (keyboard) {
            addEnter("onKeyDown", "press");
            addEnter("onKeyUp", "off");
            add("onBlur", "off");
        }
        break;
    case JavaScriptOption::Both:
        add("onMouseOver", "on");
        add("onMouseDown", "press");
        add("onMouseUp", "on");
        add("onMouseOut", "off");
        if (keyboard) {
            // A mouse press focuses the link too, after onMouseDown: only keyboard focus may
            // show the selected image, or the pressed one would never be seen.
            handlers << QStringLiteral("onFocus=\"if (this.matches(':focus-visible')) "
                                       "changeImages('%1', '%1on')\"")
                            .arg(image);
            addEnter("onKeyDown", "press");
            addEnter("onKeyUp", "on");
            add("onBlur", "off");
        }
        break;
    case JavaScriptOption::Static:
    case JavaScriptOption::NoChoice:
        break;
    }

    QString line = QStringLiteral("<a href=\"") + linkAttribute(n) + QLatin1Char('"');
    line += handlers.isEmpty()
                ? QStringLiteral(" >")
                : QLatin1Char(' ') + handlers.join(QLatin1Char(' ')) + QLatin1Char('>');
    line += QStringLiteral("<img ");
    // Only the static buttons laid out across the page go without a name.
    if (!handlers.isEmpty() || m_project.htmlDirection == HtmlDirection::Down)
        line += QStringLiteral("name=\"%1\" ").arg(image);
    // Concatenated, not arg()-chained: a caption may hold "%1".
    line += imageSourceAttributes(n, ButtonState::Normal) + QStringLiteral(" alt=\"") +
            asciiAttributeText(m_project.captions.value(n - 1)) + QStringLiteral("\"") +
            sizeAttributes(m_sizes.width(n), m_sizes.height(1)) + QStringLiteral("></a>");
    return line;
}

void SamplePageWriter::addButtonLines(const LineSink& line) const
{
    const int count = int(m_project.captions.size());
    const bool down = m_project.htmlDirection == HtmlDirection::Down;
    const bool table = m_project.htmlTable == HtmlTable::MakeTable;
    if (table) {
        qint64 tableWidth = m_sizes.width(1);
        if (!down) {
            tableWidth = 0;
            for (int n = 1; n <= count; ++n)
                tableWidth += m_sizes.width(n);
        }
        line(QStringLiteral("<table width=%1 border=0 cellpadding=0 cellspacing=0>")
                 .arg(tableWidth));
        if (!down)
            line(QStringLiteral("<tr>"));
    }
    for (int n = 1; n <= count; ++n) {
        const QString cellStart = QStringLiteral("<td width=%1>").arg(m_sizes.width(n));
        if (down && table)
            line(QStringLiteral("<tr>") + cellStart + anchorLine(n) + QStringLiteral("</td></tr>"));
        else if (down)
            line(QStringLiteral("<br>") + anchorLine(n));
        else if (table)
            line(cellStart + anchorLine(n) + QStringLiteral("</td>"));
        else
            line(anchorLine(n));
    }
    if (table) {
        if (!down)
            line(QStringLiteral("</tr>"));
        line(QStringLiteral("</table>"));
    }
}

void SamplePageWriter::addImageList(const LineSink& line, const QString& title,
                                    ButtonState state) const
{
    line(QStringLiteral("<B>Images generated for %1 Buttons</B>").arg(title));
    line(QStringLiteral("<P>"));
    // The page with CSS rollovers names every button already; these repeat them.
    const QString alt = m_project.cssRollovers ? QStringLiteral(" alt=\"\"") : QString();
    for (int n = 1; n <= m_project.captions.size(); ++n) {
        line(QStringLiteral("<img ") + imageSourceAttributes(n, state) + alt +
             sizeAttributes(m_sizes.width(n), m_sizes.height(1)) + QLatin1Char('>'));
    }
    line(QStringLiteral("<P>"));
}

void SamplePageWriter::addImageLists(const LineSink& line) const
{
    const JavaScriptOption option = m_project.javaScriptOption;
    addImageList(line, QStringLiteral("Regular"), ButtonState::Normal);
    if (showsSelected(option))
        addImageList(line, QStringLiteral("Selected"), ButtonState::Selected);
    if (showsPressed(option))
        addImageList(line, QStringLiteral("Pressed"), ButtonState::Pressed);
}

QString SamplePageWriter::cssButton(int n) const
{
    const QString caption = m_project.captions.value(n - 1);
    const bool sprites = OutputNaming::hasSprites(m_project);
    QString out = QStringLiteral("<a");
    if (sprites)
        out += QStringLiteral(" class=\"") + PageReferences::buttonClass(n) + QLatin1Char('"');
    out += QStringLiteral(" href=\"") + linkAttribute(n) + QStringLiteral("\">");
    // Without sprites the image itself is the button, named by its alt text.
    if (sprites)
        out += QStringLiteral("<span>") + asciiAttributeText(caption) + QStringLiteral("</span>");
    else
        out +=
            QStringLiteral("<img ") + imageSourceAttributes(n, ButtonState::Normal) +
            QStringLiteral(" alt=\"") + asciiAttributeText(caption) +
            QStringLiteral("\" width=%1 height=%2>").arg(m_sizes.width(n)).arg(m_sizes.height(n));
    return out + QStringLiteral("</a>");
}

void SamplePageWriter::addCssButtonLines(const LineSink& line) const
{
    const int count = int(m_project.captions.size());
    const bool down = m_project.htmlDirection == HtmlDirection::Down;
    line(QStringLiteral("<nav aria-label=\"Buttons\">"));
    if (m_project.htmlTable != HtmlTable::MakeTable) {
        line(QStringLiteral("<ul>"));
        for (int n = 1; n <= count; ++n)
            line(QStringLiteral("<li>") + cssButton(n) + QStringLiteral("</li>"));
        line(QStringLiteral("</ul>"));
    } else if (down) {
        line(QStringLiteral("<table role=\"presentation\">"));
        for (int n = 1; n <= count; ++n)
            line(QStringLiteral("<tr><td>") + cssButton(n) + QStringLiteral("</td></tr>"));
        line(QStringLiteral("</table>"));
    } else {
        line(QStringLiteral("<table role=\"presentation\">"));
        line(QStringLiteral("<tr>"));
        for (int n = 1; n <= count; ++n)
            line(QStringLiteral("<td>") + cssButton(n) + QStringLiteral("</td>"));
        line(QStringLiteral("</tr>"));
        line(QStringLiteral("</table>"));
    }
    line(QStringLiteral("</nav>"));
}

void SamplePageWriter::produceCssLines(const LineSink& line) const
{
    const QString title = QStringLiteral("Generated by the Brindlewick");
    const QString sheet =
        attributeText(PageReferences::urlFromFileName(OutputNaming::styleSheetFileName(m_project)));
    for (const QString& text : std::initializer_list<QString>{
             QStringLiteral("<!DOCTYPE html>"), QStringLiteral("<html lang=\"en\">"),
             QStringLiteral("<head>"), QStringLiteral("<meta charset=\"utf-8\">"),
             QStringLiteral("<title>") + title + QStringLiteral("</title>"),
             QStringLiteral("<link rel=\"stylesheet\" href=\"") + sheet + QStringLiteral("\">"),
             QStringLiteral("</head>"), QStringLiteral("<body>"), QStringLiteral("<main>"),
             QStringLiteral("<h1>") + title + QStringLiteral("</h1>"),
             OutputNaming::hasSprites(m_project)
                 ? QStringLiteral("<p><B>Buttons with CSS rollovers</B></p>")
                 : QStringLiteral("<p><B>Buttons</B></p>")})
        line(text);
    addCssButtonLines(line);
    line(QStringLiteral("<P>"));
    addImageLists(line);
    line(QStringLiteral("</main>"));
    line(QStringLiteral("</body></html>"));
}

void SamplePageWriter::produceLines(const LineSink& line) const
{
    if (m_project.cssRollovers) {
        produceCssLines(line);
        return;
    }
    const JavaScriptOption option = m_project.javaScriptOption;
    const int count = int(m_project.captions.size());
    const auto lines = [&line](std::initializer_list<QString> texts) {
        for (const QString& text : texts)
            line(text);
    };
    lines({QStringLiteral("<html><head><title>Generated by the Brindlewick.</title>"), commentRule,
           QStringLiteral("<!-- Start of JavaScript code for head -->"), commentRule});

    if (hasScript(option)) {
        lines({QStringLiteral("<script language=\"JavaScript\">"), QStringLiteral("<!--"),
               QStringLiteral("if (document.images) {")});
        const auto preload = [&](const char* kind, ButtonState state) {
            for (int n = 1; n <= count; ++n) {
                const QString object =
                    QStringLiteral("image") + QString::number(n) + QLatin1String(kind);
                line(QStringLiteral("  ") + object + QStringLiteral(" = new Image();"));
                line(QStringLiteral("  ") + object + QStringLiteral(".src = \"") +
                     imageUrl(n, state) + QStringLiteral("\";"));
                if (m_project.hiDpiImages)
                    line(QStringLiteral("  ") + object + QStringLiteral(".srcset = \"") +
                         srcsetText(n, state) + QStringLiteral("\";"));
            }
        };
        preload("off", ButtonState::Normal);
        if (showsSelected(option))
            preload("on", ButtonState::Selected);
        if (showsPressed(option))
            preload("press", ButtonState::Pressed);
        lines({QStringLiteral("}"), QString(), QStringLiteral("function changeImages() {"),
               QStringLiteral("  if (document.images) {"),
               QStringLiteral("    for (var i=0; i<changeImages.arguments.length; i+=2) {")});
        // The srcset goes first: with it set, the browser picks from it and not from src.
        if (m_project.hiDpiImages)
            line(QStringLiteral("      document[changeImages.arguments[i]].srcset = "
                                "eval(changeImages.arguments[i+1] + \".srcset\");"));
        lines({QStringLiteral("      document[changeImages.arguments[i]].src = "
                              "eval(changeImages.arguments[i+1] + \".src\");"),
               QStringLiteral("    }"), QStringLiteral("  }"), QStringLiteral("}"), QString(),
               QStringLiteral("// -->"), QStringLiteral("</script>")});
    }

    const PageReferences::PageColors colors = PageReferences::pageColors(m_project);
    const QString body = colors.background.isEmpty()
                             ? QStringLiteral("<body>")
                             : QStringLiteral("<body bgcolor=\"%1\" text=\"%2\">")
                                   .arg(colors.background, colors.text);
    lines({commentRule, QStringLiteral("<!-- End of JavaScript code for head -->"), commentRule,
           QStringLiteral("</head>"), QString(), body,
           QStringLiteral("<B>Generated by the Brindlewick</B>."), QStringLiteral("<P>"),
           QStringLiteral("<B>Buttons with JavaScript Mouse-over scripting</B>"),
           QStringLiteral("<P>"), commentRule,
           QStringLiteral("<!-- Start of JavaScript code for body -->"), commentRule});

    addButtonLines(line);

    lines({commentRule, QStringLiteral("<!-- End of JavaScript code for body -->"), commentRule,
           QStringLiteral("<P>")});
    addImageLists(line);
    line(QStringLiteral("</body></html>"));
}

Failure SamplePageWriter::write()
{
    return write(OutputNaming::samplePagePath(m_project));
}

Failure SamplePageWriter::write(const QString& path)
{
    // The page grows with the captions; only one chunk of it is ever held.
    return BufferedLineFile::writeFile(path, [this](const LineSink& line) { produceLines(line); });
}
