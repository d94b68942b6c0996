#pragma once

#include "ButtonProject.h"
#include "ProjectKeys.h"

#include <QHash>
#include <QList>
#include <QWidget>

#include <functional>

class PlatformServices;
class QLabel;
class QVBoxLayout;

// The options beyond the classic output, one control for each row of the option table, each
// with one line saying what it does: the first part, then each further part in a box of its
// own. The controls edit a copy of the project, which the owner takes on changed().
class OptionTableForm : public QWidget
{
    Q_OBJECT
public:
    // With platform services, each colour gets a button that opens the platform's colour
    // dialog; an optional colour has one that turns it off either way. The parts stand side by
    // side, or one under the other for a narrow place.
    OptionTableForm(const ButtonProject& project, const QList<ProjectKeys::Option>& options,
                    PlatformServices* platform, QWidget* parent = nullptr,
                    Qt::Orientation parts = Qt::Horizontal);

    // The project as the controls left it.
    const ButtonProject& chosen() const { return m_chosen; }
    // Shows another project's values, without reporting them as changes.
    void showProject(const ButtonProject& project);
    QWidget* firstControl() const { return m_first; }

signals:
    void changed();

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
    QWidget* m_first = nullptr;
    QHash<QVBoxLayout*, QList<QLabel*>> m_labels; // each part's field labels
    // Each control shown from m_chosen again.
    QList<std::function<void()>> m_showers;
};
