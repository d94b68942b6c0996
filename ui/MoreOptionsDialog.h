#pragma once

#include "ButtonProject.h"
#include "ProjectKeys.h"

#include <QDialog>

class QVBoxLayout;

// The options beyond the classic output, one control for each row of the option table, each
// with one line saying what it does. The caller hands the choices to the wizard once the
// dialog is accepted.
class MoreOptionsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit MoreOptionsDialog(const ButtonProject& project, QWidget* parent = nullptr,
                               const QList<ProjectKeys::Option>& options = ProjectKeys::optional());

    // The project as the controls left it.
    const ButtonProject& chosen() const { return m_chosen; }

private:
    QWidget* addControl(QVBoxLayout* layout, const ProjectKeys::Option& option);
    QWidget* addNumber(QVBoxLayout* layout, const ProjectKeys::Option& option);
    QWidget* addColour(QVBoxLayout* layout, const ProjectKeys::Option& option);
    QWidget* addChoice(QVBoxLayout* layout, const ProjectKeys::Option& option);
    QWidget* addLabelled(QVBoxLayout* layout, const ProjectKeys::Option& option, QWidget* field);
    void addNote(QVBoxLayout* layout, QWidget* control, const ProjectKeys::Option& option);

    ButtonProject m_chosen;
};
