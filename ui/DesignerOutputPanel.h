#pragma once

#include <QWidget>

class DesignerController;
class QCheckBox;
class QComboBox;
class QLineEdit;
class TypedLengthValidator;

// Where and how the run writes: the folder, the prefix, captions as names, the image format,
// the JavaScript option, and the page's direction and table.
class DesignerOutputPanel : public QWidget
{
    Q_OBJECT
public:
    explicit DesignerOutputPanel(DesignerController& designer, QWidget* parent = nullptr);

    void refresh();
    QComboBox* javaScriptOption() const { return m_javaScript; }
    QLineEdit* folder() const { return m_folder; }
    QLineEdit* prefix() const { return m_prefix; }

private:
    DesignerController& m_designer;
    QLineEdit* m_folder;
    QLineEdit* m_prefix;
    TypedLengthValidator* m_prefixLimit;
    QCheckBox* m_captionNames;
    QComboBox* m_format;
    QComboBox* m_javaScript;
    QComboBox* m_direction;
    QComboBox* m_table;
};
