#pragma once

#include "ButtonProject.h"

#include <QObject>

#include <optional>

class PlatformServices;

// The caption list of page 2 and its selection. A row of -1 means no selection; each command
// returns the row to select.
class CaptionEditor : public QObject
{
    Q_OBJECT
public:
    CaptionEditor(CaptionList& captions, PlatformServices& platform, QObject* parent = nullptr);

    int selectedRow() const { return m_selectedRow; }
    void setSelectedRow(int row);
    int addCaption();
    int insertCaption(int selectedRow);
    int modifyCaption(int selectedRow);
    int deleteCaption(int selectedRow);

signals:
    void changed();
    // The captions changed; the selection to show goes with it.
    void captionsChanged(int selectedRow);
    void selectedRowChanged(int row);

private:
    std::optional<QString> askCaption(const QString& initialText);
    void emitCaptions(int selectedRow);

    CaptionList& m_captions;
    PlatformServices& m_platform;
    int m_selectedRow = -1;
};
