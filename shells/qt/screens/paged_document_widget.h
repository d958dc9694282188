// The help, about and introduction screens: one page of their document at a time, with Previous / Next
// buttons, the page number and an index of every page's title to jump to.
//
// A page's blocks are shown in order: paragraphs wrapped to the width, verbatim lines in a monospaced
// font on a grey ground, each explained key as the key's face (drawn as on the keyboard) beside its text,
// and the third-party components with their licence and use. The about screen adds the product's name
// and version above the pages.
#pragma once

#include <QStringList>
#include <QWidget>
#include <nlohmann/json.hpp>

class GuiContext;
class PagedDocumentView;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

class PagedDocumentWidget : public QWidget {
    Q_OBJECT
  public:
    PagedDocumentWidget(PagedDocumentView& model, GuiContext& context, QWidget* parent = nullptr);
    ~PagedDocumentWidget() override;
    void refresh();

    QPushButton* previousButton() const { return m_previous; }
    QPushButton* nextButton() const { return m_next; }
    QComboBox* index() const { return m_index; }
    QWidget* page() const { return m_page; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void buildPage(const nlohmann::json& blocks);
    QWidget* blockWidget(const nlohmann::json& block);

    PagedDocumentView& m_model;
    QLabel* m_product;
    QComboBox* m_index;
    QScrollArea* m_scroll;
    QWidget* m_page = nullptr;
    QLabel* m_pageNumber;
    QPushButton* m_previous;
    QPushButton* m_next;
    bool m_updating = false;
    nlohmann::json m_shown;
};

// Verbatim lines wrapped to a number of columns (at least 12): a longer line breaks at blanks (a word
// longer than the line is cut), and its continuation lines start under the line's second column, the text
// after its first run of two or more blanks when that starts in the first two thirds, else two blanks further
// in than the line itself.
QStringList WrapCodeLines(const QStringList& lines, int columns);
