#include "WizardPage.h"

#include "TextEncoding.h"
#include "WizardController.h"
#include "WizardTexts.h"

#include <QFile>
#include <QPlainTextEdit>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const QColor headingBlue(0x00, 0x00, 0xC0);

QFont boldFont(const QFont& base, int pointSizeStep = 0)
{
    QFont f = base;
    f.setBold(true);
    if (pointSizeStep)
        f.setPointSize(f.pointSize() + pointSizeStep);
    return f;
}

QLabel* headingLabel(const QString& text, QWidget* parent, int pointSizeStep)
{
    auto* label = new QLabel(text, parent);
    label->setFont(boldFont(parent->font(), pointSizeStep));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, headingBlue);
    label->setPalette(p);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}
} // namespace

WizardPage::WizardPage(int index, WizardController& wizard, QWidget* parent)
    : QWidget(parent), m_wizard(wizard), m_index(index)
{
    setFixedSize(width, height);
    setAccessibleName(WizardTexts::pageNumberText(index));

    auto* title = headingLabel(WizardTexts::pageHeading(index), this, 1);
    const int titleWidth = width - 8 - 104;
    // The longest headings take the body's size rather than being cut.
    if (title->fontMetrics().horizontalAdvance(title->text()) > titleWidth)
        title->setFont(boldFont(font()));
    title->setGeometry(8, 4, titleWidth, 20);
    title->setWordWrap(false);
    auto* number = new QLabel(WizardTexts::pageNumberText(index), this);
    number->setFont(boldFont(font()));
    number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    number->setGeometry(width - 98, 4, 90, 20);

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    scroll->setGeometry(4, 26, width - 8, height - 26 - 36);
    m_body = new QWidget;
    m_body->setAutoFillBackground(false);
    scroll->setWidget(m_body);

    m_cancel = button(index == WizardController::Finished ? QStringLiteral("Close")
                                                          : QStringLiteral("Cancel"),
                      this);
    m_previous = button(QStringLiteral("<< Previous"), this);
    m_next = button(QStringLiteral("Next >>"), this);
    m_next->setDefault(true);
    // Keys rather than "&" in the texts, which would change what a screen reader says.
    m_next->setShortcut(QKeySequence(Qt::ALT | Qt::Key_N));
    m_previous->setShortcut(QKeySequence(Qt::ALT | Qt::Key_P));
    m_cancel->setShortcut(QKeySequence(Qt::Key_Escape));
    const int buttonWidth = 84, buttonHeight = 26, gap = 6, y = height - buttonHeight - 6;
    int x = width - 8 - buttonWidth;
    // Each keeps its place on every page, "Close" on page 16 in Cancel's.
    for (QPushButton* b : {m_next, m_previous, m_cancel}) {
        b->setGeometry(x, y, buttonWidth, buttonHeight);
        x -= buttonWidth + gap;
    }
    m_previous->setVisible(index != WizardController::Start);
    m_next->setVisible(index != WizardController::Finished);

    connect(m_next, &QPushButton::clicked, this, [this] { m_wizard.next(); });
    connect(m_previous, &QPushButton::clicked, this, [this] { m_wizard.previous(); });
    connect(m_cancel, &QPushButton::clicked, this, &WizardPage::cancelRequested);
}

void WizardPage::finishTabOrder()
{
    // A widget given a parent again joins the end of its window's focus chain; the body is
    // complete by now, so the buttons follow it.
    for (QPushButton* b : {m_cancel, m_previous, m_next}) {
        const bool shown = !b->isHidden();
        const QRect where = b->geometry();
        b->setParent(nullptr);
        b->setParent(this);
        b->setGeometry(where);
        b->setVisible(shown);
    }
}

QWidget* WizardPage::stepLine(const QString& number, const QString& text, QWidget* parent)
{
    auto* line = new QWidget(parent);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    auto* big = new QLabel(number, line);
    big->setFont(boldFont(font(), 5));
    big->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    big->setMinimumWidth(30);
    layout->addWidget(big, 0, Qt::AlignTop);
    line->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    if (!text.isEmpty()) {
        QLabel* label = wrappedLabel(text, line);
        // Level with the number's baseline area, whatever height the row is given.
        label->setContentsMargins(0, big->fontMetrics().ascent() - label->fontMetrics().ascent(), 0,
                                  0);
        layout->addWidget(label, 1, Qt::AlignTop);
    } else
        layout->addStretch(1);
    return line;
}

QLabel* WizardPage::wrappedLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* WizardPage::subHeading(const QString& text, QWidget* parent)
{
    return headingLabel(text, parent, 0);
}

QPushButton* WizardPage::button(const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    // Enter is for "Next >>" alone, whichever button was clicked last; Space presses this one.
    b->setAutoDefault(false);
    b->setAccessibleName(text);
    return b;
}

void WizardPage::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_next->isVisible() && m_next->isEnabled()) {
        m_next->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

QPlainTextEdit* WizardPage::instructionMemo(const QString& resourceName,
                                            const QString& accessibleName, QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setAccessibleName(accessibleName);
    // The memo takes the height that is left; its own wish would push the page into scrolling.
    memo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    QFile file(QStringLiteral(":/wizard/") + resourceName.toUpper());
    if (file.open(QIODevice::ReadOnly)) {
        QString text = TextEncoding::fromWindows1252(file.readAll());
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        memo->setPlainText(text);
    }
    return memo;
}

QLineEdit* WizardPage::pathField(const QString& objectName, const QString& accessibleName,
                                 QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setAccessibleName(accessibleName);
    field->setReadOnly(true);
    QPalette white = field->palette();
    white.setColor(QPalette::Base, Qt::white);
    field->setPalette(white);
    return field;
}

QLabel* WizardPage::picture(const QString& resourceName, QWidget* parent)
{
    auto* label = new QLabel(parent);
    const QPixmap pixmap(QStringLiteral(":/wizard/") + resourceName);
    label->setPixmap(pixmap);
    label->setFixedSize(pixmap.size());
    return label;
}

QString WizardPage::stateStep(ButtonState state, char letter)
{
    return QString::number(5 + int(state)) + QLatin1Char(letter) + QLatin1Char('.');
}

QString WizardPage::controlName(const char* type, ButtonState state, const char* role)
{
    static const char* const states[] = {"NormalButton", "SelectedButton", "PressedButton"};
    return QLatin1String(type) + QLatin1String(states[int(state) - 1]) + QLatin1String(role);
}
