#pragma once

#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QRadioButton;
struct RadioGroupTexts;

// A captioned group of radio buttons whose value is the index of the checked item, -1 for none.
class RadioGroupBox : public QGroupBox
{
    Q_OBJECT
public:
    RadioGroupBox(const RadioGroupTexts& texts, QWidget* parent = nullptr);

    int selectedIndex() const;
    // Shows index without emitting picked; -1 clears every item.
    void setSelectedIndex(int index);
    QRadioButton* item(int index) const { return m_items.value(index); }

signals:
    // For every item checked other than by setSelectedIndex.
    void picked(int index);

private:
    QButtonGroup* m_group;
    QList<QRadioButton*> m_items;
};
