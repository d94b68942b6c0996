#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;

// The borderless picture with the program's name: shown for a moment at start-up, and as the
// About box, where it has "X" and a link to the program's web page.
class SplashForm : public QDialog
{
    Q_OBJECT
public:
    enum Mode
    {
        StartUp,
        About
    };

    static constexpr QSize clientSize{280, 140};
    static inline const QString titleText = QStringLiteral("Brindlewick Version 4.00");
    static inline const QString linkText = QStringLiteral("Visit the Brindlewick web page");

    explicit SplashForm(Mode mode, QWidget* parent = nullptr);

    Mode mode() const { return m_mode; }
    QLabel* titleLabel() const { return m_title; }
    QLabel* linkLabel() const { return m_link; }
    QPushButton* closeButton() const { return m_close; }

signals:
    // The link was followed (About mode only).
    void webPageRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Mode m_mode;
    QPixmap m_picture;
    QLabel* m_title;
    QLabel* m_link;
    QPushButton* m_close;
};
