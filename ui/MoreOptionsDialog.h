#pragma once

#include "ButtonProject.h"
#include "ProjectKeys.h"

#include <QDialog>
#include <QHash>
#include <QList>

class PlatformServices;
class QLabel;
class QVBoxLayout;

// The options beyond the classic output, one control for each row of the option table, each
// with one line saying what it does. The caller hands the choices to the wizard once the
// dialog is accepted.
class MoreOptionsDialog : public QDialog
{
    Q_OBJECT
public:
    // With platform services, each colour gets a button that opens the platform's colour
    // dialog; an optional colour has one that turns it off either way.
    explicit MoreOptionsDialog(const ButtonProject& project, QWidget* parent = nullptr,
                               const QList<ProjectKeys::Option>& options = ProjectKeys::optional(),
                               PlatformServices* platform = nullptr);

    // The project as the controls left it.
    const ButtonProject& chosen() const { return m_chosen; }

private:
    QWidget* addControl(QVBoxLayout* layout, const ProjectKeys::Option& option);
    QWidget* addNumber(QVBoxLayout* layout, const ProjectKeys::Option& option);
    QWidget* addColour(QVBoxLayout* layout, const ProjectKeys::Option& option);
    QWidget* addChoice(QVBoxLayout* layout, const ProjectKeys::Option& option);
    QWidget* addLabelled(QVBoxLayout* layout, const ProjectKeys::Option& option, QWidget* field,
                         const QList<QWidget*>& after = {});
    void addNote(QVBoxLayout* layout, QWidget* control, const ProjectKeys::Option& option);

    ButtonProject m_chosen;
    PlatformServices* m_platform;
    QHash<QVBoxLayout*, QList<QLabel*>> m_labels; // each part's field labels
};
