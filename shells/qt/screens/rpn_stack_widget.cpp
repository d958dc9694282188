#include "qt/screens/rpn_stack_widget.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/screens/rpn_stack/rpn_calc_view.h"
#include "app/settings/settings_globals.h"
#include "qt/widgets/key_pad.h"
#include "qt/window/gui_context.h"

namespace {

// Where each keypad index sits: 4 columns, commands on top, digits below, ENTER across the last two
// columns of the bottom row.
struct KeyPlace {
    int row, column, span;
    PadKey::Kind kind;
};

constexpr KeyPlace kPlaces[RPNCalcView::kKeypadKeys] = {
    {5, 2, 2, PadKey::Equals},     // 0 ENTER
    {2, 3, 1, PadKey::Operation},  // 1 DEL
    {4, 0, 1, PadKey::Digit},      // 2 "1"
    {4, 1, 1, PadKey::Digit},     {4, 2, 1, PadKey::Digit},    {3, 0, 1, PadKey::Digit},
    {3, 1, 1, PadKey::Digit},     {3, 2, 1, PadKey::Digit},    {2, 0, 1, PadKey::Digit},
    {2, 1, 1, PadKey::Digit},     {2, 2, 1, PadKey::Digit},  // 10 "9"
    {5, 0, 1, PadKey::Digit},                                // 11 "0"
    {5, 1, 1, PadKey::Digit},                                // 12 "."
    {4, 3, 1, PadKey::Operation},                            // 13 sign
    {0, 0, 1, PadKey::Function},                             // 14 Drop
    {0, 1, 1, PadKey::Function},  {0, 2, 1, PadKey::Function}, {0, 3, 1, PadKey::Function},
    {1, 0, 1, PadKey::Function},  {1, 1, 1, PadKey::Function}, {1, 2, 1, PadKey::Function},
    {1, 3, 1, PadKey::Function},   // 21 Last
    {3, 3, 1, PadKey::Operation},  // 22 Clear
};
constexpr int kKeypadRows = 6;
constexpr int kKeypadColumns = 4;

// Keypad indexes of typed characters.
constexpr int kIndexEnter = 0, kIndexDelete = 1, kIndexDigit1 = 2, kIndexDigit0 = 11, kIndexPoint = 12,
              kIndexSign = 13;

}  // namespace

RPNStackWidget::RPNStackWidget(RPNCalcView& model, GuiContext& context, QWidget* parent)
    : QWidget(parent), m_model(model), m_context(context) {
    setObjectName("rpnStack");
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 8);
    layout->setSpacing(6);
    m_header = new QLabel(this);
    m_header->setObjectName("rpnHeader");
    layout->addWidget(m_header);

    // Portrait: the table over the keypad; landscape: side by side.
    m_body = new QBoxLayout(QBoxLayout::TopToBottom);
    m_body->setSpacing(8);
    layout->addLayout(m_body, 1);
    m_table = new QTableWidget(this);
    m_table->setObjectName("rows");
    m_table->setColumnCount(2);
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->setShowGrid(false);
    m_table->setAlternatingRowColors(true);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QFont valueFont = m_table->font();
    valueFont.setPointSizeF(valueFont.pointSizeF() * 1.25);
    m_table->setFont(valueFont);
    m_table->viewport()->installEventFilter(this);
    m_body->addWidget(m_table, 4);
    connect(m_table, &QTableWidget::cellClicked, this, [this](int row, int) { clickRow(row); });

    buildKeypad();
    m_body->addWidget(m_keypad, 5);
    m_model.setChangeListener([this] { refresh(); });
    refresh();
}

RPNStackWidget::~RPNStackWidget() {
    m_model.setChangeListener(nullptr);
}

void RPNStackWidget::buildKeypad() {
    m_keypad = new KeyPad(kKeypadRows, kKeypadColumns, this);
    m_keypad->setObjectName("rpnKeypad");
    m_keypad->setSkin(Skin::named(g_nstrSkinModel));
    std::vector<PadKey> keys;
    for (int i = 0; i < RPNCalcView::kKeypadKeys; ++i) {
        PadKey k;
        k.slot = i;
        k.row = kPlaces[i].row;
        k.column = kPlaces[i].column;
        k.columnSpan = kPlaces[i].span;
        k.kind = kPlaces[i].kind;
        k.caption = i == kIndexSign ? QString::fromUtf8("\u00b1") : QString(RPNCalcView::KeypadCaption(i));
        keys.push_back(k);
    }
    m_keypad->setKeys(keys);
    // The face shows pressed while the mouse is down; the key acts on release inside it.
    auto pressed = [this](int slot) {
        std::vector<PadKey> faces = m_keypad->keys();
        for (PadKey& k : faces) k.pressed = k.slot == slot;
        m_keypad->setKeys(std::move(faces));
    };
    m_keypad->onPress = [pressed](int slot) { pressed(slot); };
    m_keypad->onCancel = [pressed](int) { pressed(-1); };
    m_keypad->onRelease = [this, pressed](int slot) {
        pressed(-1);
        press(slot);
    };
}

QPoint RPNStackWidget::keyCentre(int index) const {
    return m_keypad->slotCentre(index);
}

void RPNStackWidget::press(int index) {
    m_model.pressKeypad(index);
}

void RPNStackWidget::clickRow(int row) {
    if (row == m_model.tableRowCount()) {
        m_model.tap("entry");
    } else {
        m_model.tap("row:" + std::to_string(row));
    }
}

void RPNStackWidget::fillRow(int row, const QString& order, const QString& value, bool focus, bool entry,
                             bool message) {
    auto cell = [&](int column, const QString& text) {
        QTableWidgetItem* item = m_table->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            m_table->setItem(row, column, item);
        }
        item->setText(text);
        item->setTextAlignment((column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        QFont f = m_table->font();
        f.setBold(entry && column == 0);
        f.setItalic(message && column == 1);
        item->setFont(f);
        // The focused row is the one the digit keys edit.
        item->setBackground(focus ? QColor(255, 226, 150) : QBrush());
        item->setForeground(message && column == 1 ? QColor(190, 30, 30)
                            : column == 0          ? QColor(90, 90, 110)
                                                   : QColor(10, 10, 20));
    };
    cell(0, order);
    cell(1, value);
}

void RPNStackWidget::refresh() {
    const nlohmann::json d = m_model.describe();
    if (d == m_shown) return;
    m_shown = d;
    const nlohmann::json& rows = d["rows"];
    const nlohmann::json& entry = d["entry"];
    m_header->setText(QString("%1   \u00b7   depth %2")
                          .arg(QString::fromStdString(d.value("base", std::string())))
                          .arg(d.value("depth", 0)));
    const int count = static_cast<int>(rows.size());
    m_table->setRowCount(count + 1);
    for (int r = 0; r < count; ++r) {
        const nlohmann::json& row = rows[static_cast<size_t>(r)];
        fillRow(r, QString::fromStdString(row.value("order", std::string())) + ":",
                QString::fromStdString(row.value("value", std::string())), row.value("focus", false), false,
                false);
    }
    fillRow(count, QString::fromStdString(entry.value("caption", std::string("Entry"))) + ":",
            QString::fromStdString(entry.value("text", std::string())), entry.value("focus", false), true,
            entry.value("message", false));
    fitRows();
}

void RPNStackWidget::fitRows() {
    const int rows = m_table->rowCount();
    if (rows == 0) return;
    const int line = QFontMetrics(m_table->font()).height() + 6;
    const int height = std::max(line, m_table->viewport()->height() / rows);
    for (int r = 0; r < rows; ++r) m_table->setRowHeight(r, height);
    m_table->scrollToBottom();
}

bool RPNStackWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_table->viewport() && event->type() == QEvent::Resize) fitRows();
    return QWidget::eventFilter(watched, event);
}

void RPNStackWidget::resizeEvent(QResizeEvent*) {
    m_body->setDirection(width() > height() ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
}

void RPNStackWidget::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    int index = -1;
    if (key >= Qt::Key_1 && key <= Qt::Key_9) index = kIndexDigit1 + (key - Qt::Key_1);
    if (key == Qt::Key_0) index = kIndexDigit0;
    if (key == Qt::Key_Period || key == Qt::Key_Comma) index = kIndexPoint;
    if (key == Qt::Key_Minus) index = kIndexSign;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) index = kIndexEnter;
    if (key == Qt::Key_Backspace) index = kIndexDelete;
    if (index >= 0) {
        press(index);
        return;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        // The row above or below the focused one (the entry row is the last).
        const int rows = m_model.tableRowCount();
        const int current = m_model.stackId() < 0 ? rows : rows - 1 - m_model.stackId();
        const int target = current + (key == Qt::Key_Up ? -1 : 1);
        if (target >= 0 && target <= rows) clickRow(target);
        return;
    }
    e->ignore();  // Escape and the rest go to the window
}

void RPNStackWidget::showEvent(QShowEvent*) {
    m_keypad->setSkin(Skin::named(g_nstrSkinModel));
    setFocus(Qt::OtherFocusReason);
}

void RPNStackWidget::hideEvent(QHideEvent*) {
    // The calculator's window takes the keys again.
    if (hasFocus() && window()) window()->setFocus(Qt::OtherFocusReason);
}
