#include "qt/screens/finance_form_widget.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <cmath>

#include "app/screens/finance_form/finance_form_screen.h"
#include "platform/alerts.h"
#include "qt/screens/finance_parts.h"
#include "qt/widgets/keyboard_widget.h"
#include "qt/window/gui_context.h"

namespace {

constexpr int kSlideMs = 260;
const QColor kRowColour(255, 255, 255);
const QColor kAlternateRowColour(226, 236, 252);  // rows alternate white and light blue
const QColor kTotalRowColour(255, 222, 150);      // a year's total row

// Fills the table with the model's cells. The cells' leading blanks only aligned the phone's columns:
// here numbers are right-aligned and words (month names, "Total") centred.
void FillTable(QTableWidget* t, const FinanceTable& table) {
    t->clear();
    t->setColumnCount(static_cast<int>(table.columns.size()));
    t->setRowCount(static_cast<int>(table.rows.size()));
    QStringList headers;
    for (const std::string& c : table.columns) headers << QString::fromStdString(c);
    t->setHorizontalHeaderLabels(headers);
    std::vector<bool> highlighted(table.rows.size(), false);
    for (int r : table.highlighted)
        if (r >= 0 && r < static_cast<int>(highlighted.size())) highlighted[static_cast<size_t>(r)] = true;
    QFont bold = t->font();
    bold.setBold(true);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const auto& row = table.rows[r];
        for (size_t c = 0; c < row.size() && c < table.columns.size(); ++c) {
            const QString text = QString::fromStdString(row[c]).trimmed();
            auto* item = new QTableWidgetItem(text);
            bool number = false;
            text.toDouble(&number);
            item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (highlighted[r]) {
                item->setBackground(kTotalRowColour);
                item->setFont(bold);
            }
            t->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    t->setCurrentCell(-1, -1);
}

}  // namespace

FinanceFormWidget::FinanceFormWidget(FinanceFormScreen& model, GuiContext& context, QWidget* parent)
    : QWidget(parent), m_model(model), m_context(context) {
    setObjectName(QString("finance:%1").arg(model.name()));
    setFocusPolicy(Qt::StrongFocus);
    m_formPage = buildForm();
    m_resultPage = buildResult();
    m_slide = new QVariantAnimation(this);
    m_slide->setDuration(kSlideMs);
    m_slide->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_slide, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& v) { placePages(v.toDouble()); });
    connect(m_slide, &QVariantAnimation::finished, this, [this] { placePages(1.0); });
    chooseCsvPath = [this] {
        const QString suggested = QDir::home().filePath(QString("%1.csv").arg(m_model.name()));
        return QFileDialog::getSaveFileName(this, "Save as CSV", suggested, "CSV files (*.csv)");
    };
    m_model.setChangeListener([this] { refresh(); });
    m_showsResult = m_model.page() == FinanceFormScreen::Page::kResult;
    if (m_showsResult) fillResult();
    placePages(1.0);
    refresh();
}

FinanceFormWidget::~FinanceFormWidget() {
    m_model.setChangeListener(nullptr);
    m_keypad.reset();
}

QWidget* FinanceFormWidget::buildForm() {
    auto* page = new QWidget(this);
    page->setObjectName("formPage");
    page->setAutoFillBackground(true);
    const nlohmann::json d = m_model.describe();
    m_formLayout = new QBoxLayout(QBoxLayout::TopToBottom, page);
    m_formLayout->setContentsMargins(10, 6, 10, 10);
    m_formLayout->setSpacing(10);

    auto* fields = new QVBoxLayout;
    fields->setSpacing(8);
    fields->addWidget(FormHeading(QString::fromStdString(d.value("title", std::string())), page));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    const FinanceForm& form = m_model.form();
    for (int i = 0; i < form.count(); ++i) {
        const FinanceForm::Box& b = form.box(i);
        // The captions keep their line breaks; the blanks around the lines only padded the phone's labels.
        QStringList lines = QString::fromUtf8(b.label).split('\n');
        for (QString& line : lines) line = line.trimmed();
        auto* caption = new QLabel(lines.join('\n'), page);
        caption->setObjectName(QString("caption:%1").arg(b.name));
        caption->setWordWrap(true);
        auto* box = new FinanceBox(page);
        box->setObjectName(QString("box:%1").arg(b.name));
        const std::string name = b.name;
        box->onTap = [this, name] {
            setFocus();
            m_model.tap(name);
        };
        m_boxes[name] = box;
        grid->addWidget(caption, i, 0);
        grid->addWidget(box, i, 1);
    }
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 4);
    fields->addLayout(grid);
    fields->addStretch(1);
    m_formLayout->addLayout(fields, 5);

    m_keypad = std::make_unique<FinancePad>(m_model, m_context, page);
    m_keypad->widget()->setMinimumHeight(200);
    m_formLayout->addWidget(m_keypad->widget(), 5);
    return page;
}

QWidget* FinanceFormWidget::buildResult() {
    auto* page = new QWidget(this);
    page->setObjectName("resultPage");
    page->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(10, 6, 10, 10);
    layout->setSpacing(8);
    layout->addWidget(FormHeading(FinanceResultView::kTitle, page));
    m_summaryGrid = new QGridLayout;
    m_summaryGrid->setHorizontalSpacing(24);
    m_summaryGrid->setVerticalSpacing(2);
    layout->addLayout(m_summaryGrid);

    m_table = new QTableWidget(page);
    m_table->setObjectName("resultTable");
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setAlternatingRowColors(true);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette p = m_table->palette();
    p.setColor(QPalette::Base, kRowColour);
    p.setColor(QPalette::AlternateBase, kAlternateRowColour);
    p.setColor(QPalette::Text, QColor(16, 20, 40));
    m_table->setPalette(p);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_table->setToolTip("Right-click to copy the table or save it as CSV");
    connect(m_table, &QWidget::customContextMenuRequested, this, &FinanceFormWidget::showTableMenu);
    m_table->installEventFilter(this);
    layout->addWidget(m_table, 1);
    return page;
}

FinanceBox* FinanceFormWidget::box(const std::string& field) const {
    const auto it = m_boxes.find(field);
    return it == m_boxes.end() ? nullptr : it->second;
}

KeyboardWidget* FinanceFormWidget::keypad() const {
    return m_keypad ? m_keypad->widget() : nullptr;
}

QMenu* FinanceFormWidget::tableMenu() const {
    return m_menu.data();
}

bool FinanceFormWidget::sliding() const {
    return m_slide->state() == QAbstractAnimation::Running;
}

void FinanceFormWidget::refresh() {
    const FinanceForm& form = m_model.form();
    for (int i = 0; i < form.count(); ++i) {
        FinanceBox* b = box(form.box(i).name);
        b->setText(QString::fromStdString(form.text(i)));
        b->setFocused(i == form.focus());
    }
    const bool result = m_model.page() == FinanceFormScreen::Page::kResult;
    if (result != m_showsResult) {
        if (result) fillResult();
        slideTo(result, m_model.transition() != FinanceFormScreen::Transition::kPushFromLeft);
    }
}

void FinanceFormWidget::fillResult() {
    const FinanceResultView* view = m_model.result();
    if (!view) return;
    for (QLabel* l : m_summary) delete l;
    m_summary.clear();
    for (const std::string& line : view->summaryLines()) {
        auto* l = new QLabel(QString::fromStdString(line), m_resultPage);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_summary.push_back(l);
    }
    FillTable(m_table, view->table());
    m_table->scrollToTop();
    arrange();
}

void FinanceFormWidget::slideTo(bool result, bool fromRight) {
    m_showsResult = result;
    m_slideFromRight = fromRight;
    m_slide->stop();
    m_formPage->show();
    m_resultPage->show();
    m_slide->setStartValue(0.0);
    m_slide->setEndValue(1.0);
    m_slide->start();
    if (result)
        m_table->setFocus();
    else
        setFocus();
}

void FinanceFormWidget::placePages(double progress) {
    // The page coming in slides from one side while the other leaves to the opposite side; at rest only
    // the page the model shows is there.
    const int w = width(), h = height();
    QWidget* in = m_showsResult ? m_resultPage : m_formPage;
    QWidget* out = m_showsResult ? m_formPage : m_resultPage;
    const int dir = m_slideFromRight ? 1 : -1;
    const int inX = static_cast<int>(std::lround(dir * (1.0 - progress) * w));
    in->setGeometry(inX, 0, w, h);
    out->setGeometry(inX - dir * w, 0, w, h);
    in->setVisible(true);
    out->setVisible(progress < 1.0);
    in->raise();
}

void FinanceFormWidget::arrange() {
    m_formLayout->setDirection(m_wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    // The summary lines in two columns beside each other when the screen is wide.
    const int columns = m_wide ? 2 : 1;
    for (size_t i = 0; i < m_summary.size(); ++i) {
        m_summaryGrid->removeWidget(m_summary[i]);
        m_summaryGrid->addWidget(m_summary[i], static_cast<int>(i) / columns, static_cast<int>(i) % columns);
    }
}

void FinanceFormWidget::resizeEvent(QResizeEvent*) {
    const bool wide = width() > height();
    if (wide != m_wide) {
        m_wide = wide;
        arrange();
    }
    placePages(sliding() ? m_slide->currentValue().toDouble() : 1.0);
}

void FinanceFormWidget::showEvent(QShowEvent*) {
    if (m_showsResult)
        m_table->setFocus();
    else
        setFocus();
}

bool FinanceFormWidget::pressKey(const QKeyEvent& e) {
    return !m_showsResult && m_keypad->press(e);
}

bool FinanceFormWidget::event(QEvent* e) {
    // Tab moves between the boxes rather than between Qt's focusable widgets.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && pressKey(*k)) return true;
    }
    return QWidget::event(e);
}

void FinanceFormWidget::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Copy) && m_showsResult) {
        copyTable();
        return;
    }
    if (!pressKey(*e)) QWidget::keyPressEvent(e);
}

bool FinanceFormWidget::eventFilter(QObject* watched, QEvent* e) {
    // The table would copy its current cell only: Ctrl+C copies the whole table.
    if (watched == m_table && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->matches(QKeySequence::Copy)) {
        copyTable();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

void FinanceFormWidget::copyTable() {
    const std::string text = m_model.resultTabSeparated();
    if (!text.empty()) QApplication::clipboard()->setText(QString::fromStdString(text));
}

bool FinanceFormWidget::saveCsv(const QString& path) {
    const std::string csv = m_model.resultCsv();
    if (csv.empty()) return false;
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    ok = ok && file.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size());
    ok = ok && file.commit();
    if (!ok) {
        if (file.isOpen()) file.cancelWriting();
        m_context.alerts().show(
            AlertRequest{
                "Save as CSV", "The table could not be written to " + path.toStdString() + ".", {"OK"}},
            [](int) {});
    }
    return ok;
}

void FinanceFormWidget::showTableMenu(const QPoint& pos) {
    if (m_menu) m_menu->close();
    auto* menu = new QMenu(this);
    menu->setObjectName("tableMenu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copy = menu->addAction("Copy table", this, &FinanceFormWidget::copyTable);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutVisibleInContextMenu(true);
    menu->addAction(QString::fromUtf8("Save as CSV\u2026"), this, [this] {
        const QString path = chooseCsvPath ? chooseCsvPath() : QString();
        if (!path.isEmpty()) saveCsv(path);
    });
    m_menu = menu;
    menu->popup(m_table->viewport()->mapToGlobal(pos));
}
