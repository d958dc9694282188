#include "qt/screens/equation_solver_widget.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

#include "app/screens/equation_solver/equation_solver_view.h"
#include "qt/platform/qt_canvas.h"
#include "qt/widgets/lite_line_widget.h"
#include "qt/window/gui_context.h"

// Paints one formula view of the solver at its own size. The view is looked up at each paint: the model's
// lists of views change as equations come and go.
class MimeCanvas : public QWidget {
  public:
    MimeCanvas(std::function<const MIMEView*()> view, std::string resources, QWidget* parent)
        : QWidget(parent), m_view(std::move(view)), m_resources(std::move(resources)) {
        setObjectName("formula");
        setAttribute(Qt::WA_TransparentForMouseEvents);
        fitToView();
    }
    // Takes the size the view has after rendering (at least one line's height).
    void fitToView() {
        const MIMEView* v = m_view();
        const int w = v ? static_cast<int>(v->width() + 0.5) : 0;
        const int h = v ? static_cast<int>(v->height() + 0.5) : 0;
        setFixedSize(std::max(w, 40), std::max(h + 8, 28));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        const MIMEView* v = m_view();
        if (!v) return;
        QPainter painter(this);
        QtCanvas canvas(&painter, m_resources);
        v->Draw(canvas, CanvasRect{0, 0, static_cast<double>(width()), static_cast<double>(height())});
    }

  private:
    std::function<const MIMEView*()> m_view;
    std::string m_resources;
};

namespace {

// A row of the equation table: the whole row takes the click.
class ClickableRow : public QFrame {
  public:
    ClickableRow(std::function<void()> onClick, bool selected, QWidget* parent)
        : QFrame(parent), m_onClick(std::move(onClick)) {
        setObjectName("row");
        setFrameShape(QFrame::StyledPanel);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, selected ? QColor(255, 232, 170) : QColor(252, 252, 255));
        setPalette(p);
        setCursor(Qt::PointingHandCursor);
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && m_onClick)
            m_onClick();
    }

  private:
    std::function<void()> m_onClick;
};

}  // namespace

EquationSolverWidget::EquationSolverWidget(EquationSolverView& model, GuiContext& context, QWidget* parent)
    : QWidget(parent), m_model(model), m_context(context) {
    setObjectName("equationSolver");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(244, 245, 250));
    setPalette(pal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(5);

    m_modes = new QComboBox(this);
    m_modes->setObjectName("modes");
    m_modes->setFocusPolicy(Qt::NoFocus);
    for (const std::string& t : EquationSolverView::modeTitles()) m_modes->addItem(QString::fromStdString(t));
    layout->addWidget(m_modes);
    connect(m_modes, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_updating && i >= 0) m_model.pick("modes", i);
    });

    m_line = new LiteLineWidget(m_model.inputLine(), context.resourceFolder(), this);
    m_line->setObjectName("input");
    m_line->setFixedHeight(34);
    layout->addWidget(m_line);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    auto button = [&](const QString& text, const char* name, const char* element, const QString& tip) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip(tip);
        connect(b, &QPushButton::clicked, this, [this, element] { m_model.tap(element); });
        buttons->addWidget(b);
        return b;
    };
    m_blank = button("Space", "blank", "blank", "Separates the coefficients");
    m_enter = button("Add", "enter", "enter", "Adds the typed equation to the table");
    m_equals = button("Solve =", "equals", "equals", "Solves");
    layout->addLayout(buttons);

    m_pages = new QStackedWidget(this);
    m_formulaScroll = new QScrollArea(m_pages);
    m_formulaScroll->setObjectName("formulaScroll");
    m_formulaScroll->setBackgroundRole(QPalette::Base);
    m_formula = new MimeCanvas([this] { return &m_model.formulaView(); }, context.resourceFolder(), nullptr);
    m_formulaScroll->setWidget(m_formula);
    m_formulaScroll->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_tableScroll = new QScrollArea(m_pages);
    m_tableScroll->setObjectName("tableScroll");
    m_tableScroll->setWidgetResizable(true);
    m_tableScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pages->addWidget(m_formulaScroll);
    m_pages->addWidget(m_tableScroll);
    layout->addWidget(m_pages, 1);

    m_model.setChangeListener([this] { refresh(); });
    refresh();
}

EquationSolverWidget::~EquationSolverWidget() {
    m_model.setChangeListener(nullptr);
}

QPushButton* EquationSolverWidget::button(const QString& name) const {
    return findChild<QPushButton*>(name);
}

QWidget* EquationSolverWidget::formula() const {
    return m_formula;
}

QWidget* EquationSolverWidget::equationRow(int index, const nlohmann::json& row) {
    auto* w = new ClickableRow([this, index] { m_model.tap("row:" + std::to_string(index)); },
                               row.value("selected", false), m_table);
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(6, 2, 2, 2);
    if (row.value("add", false)) {
        w->setObjectName("addRow");
        auto* text = new QLabel(QString::fromStdString(row.value("text", std::string())), w);
        text->setAttribute(Qt::WA_TransparentForMouseEvents);
        QPalette p = text->palette();
        p.setColor(QPalette::WindowText, QColor(90, 96, 120));
        text->setPalette(p);
        l->addWidget(text, 1);
        text->setMinimumHeight(30);
        return w;
    }
    auto* number = new QLabel(QString::fromStdString(row.value("number", std::string())), w);
    number->setAttribute(Qt::WA_TransparentForMouseEvents);
    number->setMinimumWidth(24);
    l->addWidget(number);
    l->addWidget(new MimeCanvas(
        [this, index]() -> const MIMEView* {
            return index < m_model.equationCount() ? &m_model.equationView(index) : nullptr;
        },
        m_context.resourceFolder(), w));
    l->addStretch(1);
    auto* del = new QToolButton(w);
    del->setObjectName(QString("delete%1").arg(index));
    del->setText(QString::fromUtf8("\u2715"));
    del->setToolTip("Delete this equation");
    del->setFocusPolicy(Qt::NoFocus);
    connect(del, &QToolButton::clicked, this,
            [this, index] { m_model.tap("delete:" + std::to_string(index)); });
    l->addWidget(del, 0, Qt::AlignVCenter);
    return w;
}

QWidget* EquationSolverWidget::resultRow(int index) {
    auto* w = new QFrame(m_table);
    w->setObjectName("resultRow");
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(6, 2, 2, 2);
    l->addWidget(new MimeCanvas(
        [this, index]() -> const MIMEView* {
            return index < static_cast<int>(m_model.resultLines().size()) && m_model.resultsShown()
                       ? &m_model.resultView(index)
                       : nullptr;
        },
        m_context.resourceFolder(), w));
    l->addStretch(1);
    return w;
}

void EquationSolverWidget::rebuildTable(const nlohmann::json& rows) {
    m_rows.clear();
    m_table = new QWidget;
    m_table->setObjectName("table");
    auto* l = new QVBoxLayout(m_table);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(3);
    const bool results = m_model.resultsShown();
    for (size_t i = 0; i < rows.size(); ++i) {
        QWidget* row = results ? resultRow(static_cast<int>(i)) : equationRow(static_cast<int>(i), rows[i]);
        l->addWidget(row);
        m_rows.push_back(row);
    }
    l->addStretch(1);
    // The click that changed the rows may come from a row of the old table: it goes once the click is done.
    if (QWidget* old = m_tableScroll->takeWidget()) old->deleteLater();
    m_tableScroll->setWidget(m_table);
}

void EquationSolverWidget::refresh() {
    const nlohmann::json d = m_model.describe();
    m_updating = true;
    const int mode = d.value("mode", 0);
    m_modes->setCurrentIndex(mode);
    m_updating = false;
    const bool system = mode == EquationSolverView::kModeSystem;
    const bool results = d.value("results_shown", false);
    m_enter->setVisible(system);
    m_enter->setEnabled(d.value("enter_enabled", false));
    m_blank->setEnabled(!results);
    m_equals->setEnabled(!results);
    m_line->setHighlighted(d.value("input_selected", false));
    m_line->update();
    m_pages->setCurrentWidget(system ? static_cast<QWidget*>(m_tableScroll) : m_formulaScroll);
    if (system) {
        nlohmann::json rows = d.value("rows", nlohmann::json::array());
        rows.push_back(results);  // the same rows as results and as equations are different tables
        if (rows != m_shownRows || !m_table) {
            m_shownRows = rows;
            rows.erase(rows.end() - 1);
            rebuildTable(rows);
        }
    } else {
        m_shownRows = nullptr;
        m_formula->fitToView();
        m_formula->update();
    }
}
