// The loan and mortgage screens (FinanceFormScreen): the form page (the title, a caption and a box per
// field, the finance keypad) and the result page (the title, the summary lines, the table), one sliding
// over the other the way the model says the page came in. The form's boxes beside the keypad when the
// screen is wider than tall, above it otherwise.
//
// Desktop keys on the form page press the keypad's keys (digits, ".", "-", Enter calculates, Backspace,
// Delete clears, Tab and the arrows move the focus). On the result page the table can be copied as
// tab-separated text (Ctrl+C, or "Copy table" in its context menu) and saved as CSV ("Save as CSV…").
// The "Input Error" alert is the platform's alert box, opened by the model.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

class FinanceBox;
class FinanceFormScreen;
class FinancePad;
class GuiContext;
class KeyboardWidget;
class QBoxLayout;
class QGridLayout;
class QLabel;
class QMenu;
class QTableWidget;
class QVariantAnimation;

class FinanceFormWidget : public QWidget {
    Q_OBJECT
  public:
    FinanceFormWidget(FinanceFormScreen& model, GuiContext& context, QWidget* parent = nullptr);
    ~FinanceFormWidget() override;

    // Reads the model again: box texts and focus, the page that shows (sliding to it when it changed).
    void refresh();

    // The table as tab-separated text to the clipboard (nothing without a result).
    void copyTable();
    // Writes the table as CSV to path (atomically). False, with an alert, when it could not be written.
    bool saveCsv(const QString& path);
    // Asks where "Save as CSV…" writes; an empty answer cancels. The default asks with a file dialog;
    // tests replace it.
    std::function<QString()> chooseCsvPath;

    // Parts the tests drive and read.
    FinanceBox* box(const std::string& field) const;
    KeyboardWidget* keypad() const;
    QTableWidget* table() const { return m_table; }
    QWidget* formPage() const { return m_formPage; }
    QWidget* resultPage() const { return m_resultPage; }
    // The table's context menu while it shows, else null.
    QMenu* tableMenu() const;
    bool sliding() const;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* buildForm();
    QWidget* buildResult();
    void fillResult();
    void arrange();
    void placePages(double progress);
    void slideTo(bool result, bool fromRight);
    bool pressKey(const QKeyEvent& event);
    void showTableMenu(const QPoint& pos);

    FinanceFormScreen& m_model;
    GuiContext& m_context;
    std::unique_ptr<FinancePad> m_keypad;
    QWidget* m_formPage;
    QWidget* m_resultPage;
    QBoxLayout* m_formLayout = nullptr;
    std::map<std::string, FinanceBox*> m_boxes;
    QGridLayout* m_summaryGrid = nullptr;
    std::vector<QLabel*> m_summary;
    QTableWidget* m_table = nullptr;
    QPointer<QMenu> m_menu;
    QVariantAnimation* m_slide;
    bool m_showsResult = false;  // the page shown (or being slid in)
    bool m_slideFromRight = true;
    bool m_wide = false;
};
