#pragma once

#include <QFileDialog>

// A folder picker that also takes the name of a folder that does not exist yet, typed into its
// name field, so that the caller can offer to create it. Qt's own folder mode refuses such a
// name.
class FolderDialog : public QFileDialog
{
    Q_OBJECT
public:
    FolderDialog(QWidget* parent, const QString& title, const QString& initialDirectory);

    QString chosenFolder() const { return m_chosen; }

public slots:
    void accept() override;

private:
    QString m_chosen;
};
