#include "qt/screens/statistics_widget.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <map>

#include "app/screens/statistics/statistic_data_view.h"
#include "app/settings/settings_globals.h"
#include "qt/screens/screen_widget_util.h"
#include "qt/widgets/key_pad.h"
#include "qt/window/gui_context.h"

namespace {

using V = StatisticDataView;

// Where each keypad key sits (4 x 4): the digits as on a calculator, the editing keys at the right.
struct KeySpot {
    int index, row, column;
};
constexpr KeySpot kSpots[] = {
    {V::kDigit1 + 6, 0, 0}, {V::kDigit1 + 7, 0, 1}, {V::kDigit1 + 8, 0, 2}, {V::kBackspace, 0, 3},
    {V::kDigit1 + 3, 1, 0}, {V::kDigit1 + 4, 1, 1}, {V::kDigit1 + 5, 1, 2}, {V::kDeleteRow, 1, 3},
    {V::kDigit1 + 0, 2, 0}, {V::kDigit1 + 1, 2, 1}, {V::kDigit1 + 2, 2, 2}, {V::kDeleteAll, 2, 3},
    {V::kDigit0, 3, 0},     {V::kPoint, 3, 1},      {V::kSign, 3, 2},       {V::kEnter, 3, 3},
};

// The face of a key by its role in the model's description.
QString Caption(const std::string& role) {
    static const std::map<std::string, QString> captions = {{"enter", "Enter"},
                                                            {"backspace", QString::fromUtf8("\u232b")},
                                                            {"sign", QString::fromUtf8("\u00b1")},
                                                            {"delete_row", "Del row"},
                                                            {"delete_all", "Del all"}};
    const auto it = captions.find(role);
    return it != captions.end() ? it->second : QString::fromStdString(role);
}

PadKey::Kind KindOf(const std::string& role) {
    if (role == "enter") return PadKey::Equals;
    if (role == "delete_row" || role == "delete_all") return PadKey::Function;
    if (role == "backspace" || role == "sign") return PadKey::Operation;
    return PadKey::Digit;
}

}  // namespace

StatisticsWidget::StatisticsWidget(StatisticDataView& model, GuiContext& context, QWidget* parent)
    : QWidget(parent), m_model(model) {
    (void)context;
    setObjectName("statistics");
    setFocusPolicy(Qt::StrongFocus);
    // The data above the keypad; side by side when the screen is wide.
    m_layout = new QBoxLayout(QBoxLayout::TopToBottom, this);
    m_layout->setContentsMargins(8, 6, 8, 8);
    m_layout->setSpacing(8);
    auto* layout = new QVBoxLayout;
    layout->setSpacing(6);
    m_layout->addLayout(layout, 3);

    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName("rows");
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(28);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    connect(m_table, &QTableWidget::cellClicked, this, [this](int row, int column) {
        m_model.tap("row:" + std::to_string(row) + (column == 2 ? ":count" : ":value"));
    });
    layout->addWidget(m_table, 3);

    auto* entry = new QHBoxLayout;
    m_entryCaption = new QLabel(this);
    QFont ef = m_entryCaption->font();
    ef.setBold(true);
    m_entryCaption->setFont(ef);
    m_entryValue = new QPushButton(this);
    m_entryValue->setObjectName("entryValue");
    m_entryCount = new QPushButton(this);
    m_entryCount->setObjectName("entryCount");
    for (QPushButton* b : {m_entryValue, m_entryCount}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumHeight(34);
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        QFont bf = b->font();
        bf.setPointSizeF(bf.pointSizeF() * 1.2);
        b->setFont(bf);
    }
    connect(m_entryValue, &QPushButton::clicked, this, [this] { m_model.tap("entry:value"); });
    connect(m_entryCount, &QPushButton::clicked, this, [this] { m_model.tap("entry:count"); });
    entry->addWidget(m_entryCaption);
    entry->addWidget(m_entryValue, 3);
    entry->addWidget(m_entryCount, 2);
    layout->addLayout(entry);

    m_n = new QLabel(this);
    m_n->setObjectName("n");
    m_n->setFont(ef);
    layout->addWidget(m_n);

    buildKeypad();
    m_layout->addWidget(m_keypad, 2);
    m_model.setChangeListener([this] { refresh(); });
    refresh();
    m_built = true;
}

StatisticsWidget::~StatisticsWidget() {
    m_model.setChangeListener(nullptr);
}

void StatisticsWidget::buildKeypad() {
    m_keypad = new KeyPad(4, 4, this);
    m_keypad->setObjectName("keypad");
    m_keypad->setMinimumHeight(4 * 40);
    const nlohmann::json roles = m_model.describe()["keypad"];
    std::vector<PadKey> keys;
    for (const KeySpot& spot : kSpots) {
        PadKey k;
        k.slot = spot.index;
        k.row = spot.row;
        k.column = spot.column;
        const std::string role = roles[static_cast<size_t>(spot.index)].get<std::string>();
        k.caption = Caption(role);
        k.kind = KindOf(role);
        keys.push_back(k);
    }
    m_keypad->setKeys(std::move(keys));
    m_keypad->onPress = [this](int slot) { setPressed(slot, true); };
    m_keypad->onCancel = [this](int slot) { setPressed(slot, false); };
    m_keypad->onRelease = [this](int slot) {
        setPressed(slot, false);
        m_model.pressKeypad(slot);
    };
}

void StatisticsWidget::setPressed(int slot, bool pressed) {
    std::vector<PadKey> keys = m_keypad->keys();
    for (PadKey& k : keys) k.pressed = pressed && k.slot == slot;
    m_keypad->setKeys(std::move(keys));
}

void StatisticsWidget::refresh() {
    if (m_skinName != g_nstrSkinModel) {
        m_skinName = g_nstrSkinModel;
        m_keypad->setSkin(Skin::named(m_skinName));
    }
    const nlohmann::json d = m_model.describe();
    const nlohmann::json rows = d.value("rows", nlohmann::json::array());
    if (rows.dump() != m_shownRows) {
        m_shownRows = rows.dump();
        QStringList headers;
        for (const auto& c : d.value("columns", nlohmann::json::array()))
            headers << QString::fromStdString(c.get<std::string>());
        m_table->setHorizontalHeaderLabels(headers);
        m_table->setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            const nlohmann::json& row = rows[static_cast<size_t>(r)];
            const QString texts[] = {QString::number(row.value("no", r + 1)), JsonText(row, "itemString"),
                                     JsonText(row, "countString")};
            for (int c = 0; c < 3; ++c) {
                auto* item = new QTableWidgetItem(texts[c]);
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_table->setItem(r, c, item);
            }
        }
    }
    const int selected = d.value("selected", -1);
    const bool count = d.value("component", "value") == "count";
    if (selected >= 0 && selected < m_table->rowCount()) {
        m_table->setCurrentCell(selected, count ? 2 : 1);
    } else {
        m_table->clearSelection();
        m_table->setCurrentItem(nullptr);
    }
    if (const int scrollTo = d.value("scroll_to_row", -1); scrollTo >= 0 && scrollTo < m_table->rowCount())
        m_table->scrollToItem(m_table->item(scrollTo, 0));
    const nlohmann::json& e = d["entry"];
    m_entryCaption->setText(JsonText(d, "entry_caption"));
    m_entryValue->setText(JsonText(e, "itemString"));
    m_entryCount->setText(QString::fromUtf8("\u00d7 ") + JsonText(e, "countString"));
    // The component that takes the keypad's digits is framed in the colour of the Enter key.
    const Skin& skin = Skin::named(m_skinName);
    const QString framed =
        QString("QPushButton { border: 3px solid %1; border-radius: 5px; background: %2; color: %3; }")
            .arg(skin.equals.bottom.name(), skin.panel.name(), skin.panelText.name());
    m_entryValue->setStyleSheet(selected < 0 && !count ? framed : QString());
    m_entryCount->setStyleSheet(selected < 0 && count ? framed : QString());
    m_n->setText(JsonText(d, "n_label"));
}

void StatisticsWidget::resizeEvent(QResizeEvent*) {
    m_layout->setDirection(width() > height() * 6 / 5 ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
}

void StatisticsWidget::keyPressEvent(QKeyEvent* event) {
    char32_t c = 0;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            c = U'\r';
            break;
        case Qt::Key_Backspace:
            c = U'\b';
            break;
        case Qt::Key_Delete:
            c = U'\x7F';
            break;
        default:
            if (event->text().size() == 1) c = event->text().at(0).unicode();
            break;
    }
    const int key = V::KeypadKeyOfCharacter(c);
    if (key < 0 || (event->modifiers() & Qt::ControlModifier)) {
        QWidget::keyPressEvent(event);  // Escape and the rest go to the window
        return;
    }
    m_model.pressKeypad(key);
}

void StatisticsWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setFocus();  // the desktop keyboard types into the screen while it is open
}

void StatisticsWidget::hideEvent(QHideEvent* event) {
    const bool hadFocus = hasFocus();
    QWidget::hideEvent(event);
    if (hadFocus && window()) window()->setFocus();
}

void StatisticsWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_built) refresh();
}
