// A list shown over a screen widget: a title, a close button and one row per entry, covering the screen
// that owns it (the converters' group and unit lists, the clothing charts' cell and chart lists). A tap
// beside the rows is not possible (the list covers the screen); the close button and Escape close it.
//
// Rows may carry a favourite action, drawn at the row's right end: "☆" adds the row to the favourites,
// "✕" removes a favourite row (favourite rows are marked "★" and tinted). A click on the action reports
// it; a click anywhere else on the row picks it. Keys: Return picks the current row, Delete removes a
// favourite row, Insert adds the current row.
#pragma once

#include <QFrame>
#include <functional>
#include <vector>

#include "qt/widgets/skin.h"

class QLabel;
class QListWidget;
class QPushButton;
class QStyledItemDelegate;

struct OverlayRow {
    QString text;
    bool favourite = false;  // a favourite row (marked, and its action removes it)
    bool operator==(const OverlayRow&) const = default;
};

class OverlayList : public QFrame {
    Q_OBJECT
  public:
    explicit OverlayList(QWidget* parent);

    // Shows the rows over the parent (the same rows again change nothing but the title). withActions:
    // the rows carry the favourite action.
    void showRows(const QString& title, const std::vector<OverlayRow>& rows, bool withActions);
    void hideList();
    // Scrolls so that a row is visible and makes it the current row.
    void showRow(int row);
    void setSkin(const Skin& skin);

    QListWidget* rows() const { return m_rows; }
    QPushButton* closeButton() const { return m_close; }
    // The favourite action of a row in the list's viewport coordinates (empty without actions).
    QRect actionRect(int row) const;
    // The centre of a row's text (for a pick) in viewport coordinates.
    QPoint rowCentre(int row) const;

    std::function<void(int row)> onPick;
    std::function<void(int row)> onAddFavourite;
    std::function<void(int row)> onDeleteFavourite;
    std::function<void()> onClose;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void clicked(const QPoint& viewportPoint);

    QLabel* m_title;
    QListWidget* m_rows;
    QPushButton* m_close;
    QStyledItemDelegate* m_delegate;
    std::vector<OverlayRow> m_shown;
    bool m_actions = false;
};
