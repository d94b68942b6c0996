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

    // Edits in place, as a list that is typed into makes them. An empty text beeps and
    // changes nothing; a long one is cut to the caption limit.
    int insertText(int row, const QString& text);
    bool setText(int row, const QString& text);
    // Moves a caption to another place in the list; returns the row it is at afterwards.
    int moveCaption(int row, int to);

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
