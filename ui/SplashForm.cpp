#include "SplashForm.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

SplashForm::SplashForm(Mode mode, QWidget* parent)
    : QDialog(parent, (mode == StartUp ? Qt::SplashScreen : Qt::Dialog) | Qt::FramelessWindowHint |
                          Qt::WindowStaysOnTopHint),
      m_mode(mode), m_picture(QStringLiteral(":/wizard/splash.png")), m_title(new QLabel(this)),
      m_link(new QLabel(this)), m_close(new QPushButton(QStringLiteral("X"), this))
{
    setObjectName(QStringLiteral("TsplashForm"));
    // The start-up splash leaves the keyboard to the wizard's first page.
    if (mode == StartUp)
        setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(mode == About ? QStringLiteral("About") : QStringLiteral("Starting"));
    setAccessibleName(titleText);
    setFixedSize(clientSize);

    // The labels have no background of their own; a click on the title is a click on the
    // picture.
    m_title->setText(titleText);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont bold = font();
    bold.setPixelSize(13);
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setGeometry(0, 34, clientSize.width(), 22);

    QFont linkFont = font();
    linkFont.setPixelSize(12);
    m_link->setFont(linkFont);
    m_link->setAlignment(Qt::AlignCenter);
    m_link->setTextFormat(Qt::RichText);
    m_link->setAccessibleName(linkText);
    const QString styled =
        QStringLiteral("<span style=\"color:#0000FF; text-decoration:underline\">%1</span>")
            .arg(linkText.toHtmlEscaped());
    // A click on the link is no click on the picture, also while the link is inert.
    m_link->setAttribute(Qt::WA_NoMousePropagation);
    if (mode == About) {
        m_link->setText(QStringLiteral("<a href=\"web\" style=\"color:#0000FF\">%1</a>")
                            .arg(linkText.toHtmlEscaped()));
        m_link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        m_link->setFocusPolicy(Qt::StrongFocus);
        connect(m_link, &QLabel::linkActivated, this, &SplashForm::webPageRequested);
    } else {
        m_link->setText(styled);
    }
    const int linkWidth = m_link->sizeHint().width() + 8;
    m_link->setGeometry((clientSize.width() - linkWidth) / 2, clientSize.height() - 30, linkWidth,
                        20);

    m_close->setAccessibleName(QStringLiteral("Close"));
    m_close->setToolTip(QStringLiteral("Close"));
    m_close->setFlat(true);
    m_close->setAutoDefault(false);
    QFont closeFont = font();
    closeFont.setPixelSize(11);
    closeFont.setBold(true);
    m_close->setFont(closeFont);
    m_close->setGeometry(clientSize.width() - 6 - 16, 6, 16, 16);
    m_close->setVisible(mode == About);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void SplashForm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(rect(), m_picture);
}

void SplashForm::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        reject();
}
