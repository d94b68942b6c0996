#include "CodeViewerForm.h"

#include "CodeViewer.h"
#include "LightPalette.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

CodeViewerForm::CodeViewerForm(CodeViewer& viewer, QWidget* parent)
    : QDialog(parent), m_panel(new QWidget(this)),
      m_copy(new QPushButton(QStringLiteral("Copy to Clipboard"), m_panel)),
      m_close(new QPushButton(QStringLiteral("Close"), m_panel)), m_code(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("TCodeViewerForm"));
    setWindowTitle(QStringLiteral("View Source Code for Sample Page"));
    setAccessibleName(windowTitle());
    setPalette(LightPalette::on(QColor(0xFF, 0xFF, 0xD0))); // 0x00D0FFFF as BGR
    setAutoFillBackground(true);
    // A window takes no font from its parent: the wizard's small one, as its buttons are sized
    // for it.
    if (parent)
        setFont(parent->font());

    m_panel->setObjectName(QStringLiteral("topPanel"));
    m_panel->setFixedHeight(panelHeight);
    QPalette amber = m_panel->palette();
    amber.setColor(QPalette::Window, QColor(0xFF, 0xCC, 0x09)); // 0x0009CCFF
    m_panel->setPalette(amber);
    m_panel->setAutoFillBackground(true);
    m_panel->installEventFilter(this);

    m_copy->setObjectName(QStringLiteral("btnCopy"));
    // Never narrower than its text, whatever the desktop's font.
    m_copy->setGeometry(8, 8, qMax(105, m_copy->sizeHint().width()), 25);
    m_copy->setAutoDefault(false);
    m_close->setObjectName(QStringLiteral("btnClose"));
    m_close->resize(qMax(75, m_close->sizeHint().width()), 25);
    m_close->setAutoDefault(false);

    m_code->setObjectName(QStringLiteral("memCode"));
    m_code->setAccessibleName(QStringLiteral("Sample page code"));
    m_code->setReadOnly(true);
    m_code->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_code->setTabChangesFocus(true);
    m_code->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_code->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_code->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    courier.setPixelSize(13);
    m_code->setFont(courier);
    m_code->setPlainText(viewer.lines().join(u'\n'));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_panel);
    layout->addWidget(m_code, 1);
    setTabOrder(m_copy, m_close);
    setTabOrder(m_close, m_code);

    setMinimumSize(smallestSize);
    setMaximumSize(largestSize);
    resize(openingSize);
    if (parent)
        move(parent->geometry().center() - rect().center());

    connect(m_copy, &QPushButton::clicked, &viewer, &CodeViewer::copyToClipboard);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(&viewer, &CodeViewer::selectionChanged, this, &CodeViewerForm::showSelection);
}

bool CodeViewerForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel && event->type() == QEvent::Resize)
        m_close->move(m_panel->width() - closeRightMargin - m_close->width(), 8);
    return QDialog::eventFilter(watched, event);
}

void CodeViewerForm::showSelection(bool wholeText)
{
    if (wholeText) {
        m_code->selectAll();
        return;
    }
    QTextCursor start = m_code->textCursor();
    start.movePosition(QTextCursor::Start);
    m_code->setTextCursor(start);
    m_code->horizontalScrollBar()->setValue(0);
}
