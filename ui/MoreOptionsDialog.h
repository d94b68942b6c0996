#pragma once

#include "ButtonProject.h"
#include "ProjectKeys.h"

#include <QDialog>
#include <QList>

class OptionTableForm;
class PlatformServices;

// The options beyond the classic output in a dialog of their own, as the option table's form
// with OK and Cancel. The caller hands the choices to the wizard once the dialog is accepted.
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
    const ButtonProject& chosen() const;

private:
    OptionTableForm* m_form;
};
