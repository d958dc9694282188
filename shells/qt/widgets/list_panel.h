// A pop-up list over the window (the function, stack-command, RPN-function and distribution lists, and
// the category menu): a title, one row per entry and a close button; it slides in within 0.1 s. A row
// click reports its index; the controller closes the list.
#pragma once

#include <QFrame>
#include <functional>
#include <string>
#include <vector>

#include "qt/widgets/skin.h"

class QListWidget;
class QLabel;
class QPushButton;
class QHBoxLayout;

class ListPanel : public QFrame {
    Q_OBJECT
  public:
    explicit ListPanel(QWidget* parent);

    // Shows the rows (animated when it was hidden); the same rows again change nothing.
    void showRows(const std::string& listName, const QString& title, const std::vector<std::string>& rows);
    // Extra buttons under the rows (the menu's Settings, Introduction, Help, About); empty for none.
    void setOptions(const std::vector<QString>& options);
    void hidePanel();
    // Centres the panel again in its host (after the host's size changed).
    void relayout() { place(false); }
    void setSkin(const Skin& skin);
    const std::string& listName() const { return m_listName; }
    QListWidget* rows() const { return m_rows; }
    QPushButton* optionButton(int index) const;

    std::function<void(int index)> onPick;
    std::function<void(int option)> onOption;
    std::function<void()> onClose;

  private:
    void place(bool animate);

    QLabel* m_title;
    QListWidget* m_rows;
    QPushButton* m_close;
    QHBoxLayout* m_optionRow;
    std::vector<QPushButton*> m_options;
    std::string m_listName;
    std::vector<std::string> m_shownRows;
};
