#pragma once

#include <QDialog>

class QCheckBox;
class QVBoxLayout;
struct ButtonProject;

// The options beyond the classic output: check boxes, each with one line saying what
// it does. The caller hands the choices to the wizard once the dialog is accepted.
class MoreOptionsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit MoreOptionsDialog(const ButtonProject& project, QWidget* parent = nullptr);

    bool smoothCaptions() const;
    bool hiDpiImages() const;
    bool keyboardRollovers() const;
    bool cssRollovers() const;
    bool webPImages() const;

private:
    QCheckBox* addOption(QVBoxLayout* layout, const QString& key, const QString& label,
                         const QString& note, bool checked);

    QCheckBox* m_smooth;
    QCheckBox* m_hiDpi;
    QCheckBox* m_keyboard;
    QCheckBox* m_css;
    QCheckBox* m_webP;
};
