// The history of the current category: one row per evaluated line (newest first) with its result under
// it, and the buttons Clear, Mail and Close. A click on a row loads that line into the calculator (tap
// "row:N"); Clear asks first (the controller's alert); Mail hands the history to the mail program.
#pragma once

#include <QWidget>
#include <nlohmann/json.hpp>

class GuiContext;
class HistoryView;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

class HistoryViewWidget : public QWidget {
    Q_OBJECT
  public:
    HistoryViewWidget(HistoryView& model, GuiContext& context, QWidget* parent = nullptr);
    ~HistoryViewWidget() override;
    void refresh();

    QListWidget* rows() const { return m_rows; }
    QPushButton* button(const QString& name) const;

  private:
    void act(const std::string& element);

    HistoryView& m_model;
    QStackedWidget* m_stack;
    QListWidget* m_rows;
    QLabel* m_empty;
    QPushButton* m_clear;
    QPushButton* m_mail;
    QPushButton* m_close;
    nlohmann::json m_shown;
};
