#pragma once

#include <QMainWindow>

// The main window of the wizard.
class GeneratorWizard : public QMainWindow
{
    Q_OBJECT
public:
    explicit GeneratorWizard(QWidget* parent = nullptr);

    static QString applicationTitle();
};
