#include "qt/screens/settings_widget.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/screens/screen_model.h"
#include "qt/widgets/skin.h"
#include "qt/window/gui_context.h"

namespace {

// The list shows these names; it is refilled only when they change, so a pick in the list (which refreshes
// the page from inside the list's own signal) keeps its items and scroll position.
void Refill(QListWidget* list, const nlohmann::json& names) {
    QStringList wanted;
    for (const auto& n : names) wanted << QString::fromStdString(n.get<std::string>());
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
    if (shown == wanted) return;
    list->clear();
    list->addItems(wanted);
}

}  // namespace

// A small drawing of the calculator in a skin: display, a row of mode keys and the number pad.
class SkinPreview : public QWidget {
  public:
    explicit SkinPreview(QWidget* parent) : QWidget(parent) { setMinimumSize(150, 200); }
    void setSkin(const std::string& name) {
        m_skin = &Skin::named(name);
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(10, 4, -10, -4);
        const double w = std::min(r.width(), r.height() * 0.6);
        const QRectF phone(r.center().x() - w / 2, r.top(), w, r.height());
        p.setBrush(m_skin->background);
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.drawRoundedRect(phone, 10, 10);
        const QRectF screen = phone.adjusted(8, 8, -8, -phone.height() * 0.72);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawRect(screen);
        p.setPen(Qt::black);
        p.drawText(screen.adjusted(4, 0, -4, 0), Qt::AlignRight | Qt::AlignBottom, "123.45");
        auto keys = [&](double top, int rows, int cols, const KeyStyle& style, double height) {
            const double kw = (phone.width() - 16) / cols, kh = height / rows;
            for (int i = 0; i < rows; ++i)
                for (int j = 0; j < cols; ++j) {
                    const QRectF k(phone.left() + 8 + j * kw + 1, top + i * kh + 1, kw - 2, kh - 2);
                    QLinearGradient g(k.topLeft(), k.bottomLeft());
                    g.setColorAt(0, style.top);
                    g.setColorAt(1, style.bottom);
                    p.setBrush(g);
                    p.setPen(style.border);
                    p.drawRoundedRect(k, 2, 2);
                }
        };
        const double top = screen.bottom() + 6, space = phone.bottom() - 8 - top;
        keys(top, 3, 6, m_skin->ordinary, space * 0.42);
        keys(top + space * 0.46, 4, 5, m_skin->digit, space * 0.54);
    }

  private:
    const Skin* m_skin = &Skin::named("Default");
};

SettingsWidget::SettingsWidget(ScreenModel& model, GuiContext& context, QWidget* parent)
    : QWidget(parent), m_model(model), m_context(context) {
    setObjectName("settings");
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(buildGeneral(), "General");
    m_tabs->addTab(buildSkin(), "Skin");
    m_tabs->addTab(buildSound(), "Sound");
    layout->addWidget(m_tabs);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("settingsClose");
    layout->addWidget(close, 0, Qt::AlignRight);
    static const char* const kTabs[] = {"tab:general", "tab:skin", "tab:sound"};
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int i) {
        if (!m_updating && i >= 0 && i < 3) m_model.tap(kTabs[i]);
    });
    connect(close, &QPushButton::clicked, this, [this] { m_model.tap("close"); });
    m_model.setChangeListener([this] { refresh(); });
    refresh();
}

SettingsWidget::~SettingsWidget() {
    m_model.setChangeListener(nullptr);
}

QButtonGroup* SettingsWidget::segments(QWidget* parent, const char* control, const QStringList& labels,
                                       QLayout* into) {
    auto* group = new QButtonGroup(parent);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    for (int i = 0; i < labels.size(); ++i) {
        auto* b = new QPushButton(labels[i], parent);
        b->setCheckable(true);
        b->setObjectName(QString("%1_%2").arg(control).arg(i));
        group->addButton(b, i);
        row->addWidget(b);
    }
    group->setExclusive(true);
    connect(group, &QButtonGroup::idClicked, this, [this, control](int id) {
        if (!m_updating) m_model.setValue(control, id);
    });
    static_cast<QBoxLayout*>(into)->addLayout(row);
    return group;
}

QWidget* SettingsWidget::buildGeneral() {
    auto* page = new QWidget(this);
    auto* l = new QVBoxLayout(page);
    m_tooltip = new QCheckBox("Enable function's tooltip", page);
    m_tooltip->setObjectName("tooltip");
    connect(m_tooltip, &QCheckBox::clicked, this, [this] {
        if (!m_updating) m_model.tap("tooltip");
    });
    l->addWidget(m_tooltip);
    l->addWidget(new QLabel("Decimal digits in fix mode", page));
    auto* row = new QHBoxLayout;
    m_digits = new QSlider(Qt::Horizontal, page);
    m_digits->setObjectName("fix_digits");
    m_digits->setRange(0, 10);
    m_digitsLabel = new QLabel(page);
    m_digitsLabel->setMinimumWidth(24);
    row->addWidget(m_digits, 1);
    row->addWidget(m_digitsLabel);
    l->addLayout(row);
    connect(m_digits, &QSlider::valueChanged, this, [this](int v) {
        if (!m_updating) m_model.setValue("fix_digits", v);
    });
    l->addWidget(new QLabel("Input Mode", page));
    m_inputMode = segments(page, "input_mode", {"String", "Standard", "RPN"}, l);
    l->addWidget(new QLabel("Output Mode", page));
    m_outputMode = segments(page, "output_mode", {"European", "US"}, l);
    l->addWidget(new QLabel("Fraction denominator", page));
    m_fraction = segments(page, "fraction", {"1/10^3", "1/10^6", "1/10^9"}, l);
    l->addStretch(1);
    return page;
}

QWidget* SettingsWidget::buildSkin() {
    auto* page = new QWidget(this);
    auto* l = new QVBoxLayout(page);
    l->addWidget(new QLabel("Choose one of skins:", page));
    auto* row = new QHBoxLayout;
    m_skins = new QListWidget(page);
    m_skins->setObjectName("skins");
    m_preview = new SkinPreview(page);
    row->addWidget(m_skins, 1);
    row->addWidget(m_preview, 1);
    l->addLayout(row, 1);
    connect(m_skins, &QListWidget::currentRowChanged, this, [this](int r) {
        if (!m_updating && r >= 0) m_model.pick("skins", r);
    });
    return page;
}

QWidget* SettingsWidget::buildSound() {
    auto* page = new QWidget(this);
    auto* l = new QVBoxLayout(page);
    m_sound = new QCheckBox("Enable play sound", page);
    m_sound->setObjectName("sound");
    connect(m_sound, &QCheckBox::clicked, this, [this] {
        if (!m_updating) m_model.tap("sound");
    });
    l->addWidget(m_sound);
    l->addWidget(new QLabel("Choose playing sound:", page));
    m_sounds = new QListWidget(page);
    m_sounds->setObjectName("sounds");
    l->addWidget(m_sounds, 1);
    m_play = new QPushButton("Play", page);
    m_play->setObjectName("play");
    l->addWidget(m_play, 0, Qt::AlignLeft);
    connect(m_sounds, &QListWidget::currentRowChanged, this, [this](int r) {
        if (!m_updating && r >= 0) m_model.pick("sounds", r);
    });
    connect(m_play, &QPushButton::clicked, this, [this] { m_model.tap("play"); });
    return page;
}

void SettingsWidget::refresh() {
    const nlohmann::json d = m_model.describe();
    if (!d.contains("tooltip")) return;
    m_updating = true;
    const std::string tab = d.value("tab", "General");
    m_tabs->setCurrentIndex(tab == "Skin" ? 1 : tab == "Sound" ? 2 : 0);
    m_tooltip->setChecked(d.value("tooltip", true));
    const std::string digits = d.value("fix_digits", "4");
    m_digits->setValue(std::stoi(digits));
    m_digitsLabel->setText(QString::fromStdString(digits));
    auto check = [](QButtonGroup* g, int id) {
        if (QAbstractButton* b = g->button(id)) b->setChecked(true);
    };
    check(m_inputMode, d.value("input_mode", 0));
    check(m_outputMode, d.value("output_mode", 1));
    check(m_fraction, d.value("fraction", 0));
    Refill(m_skins, d.value("skins", nlohmann::json::array()));
    const int skin = d.value("skin", 0);
    m_skins->setCurrentRow(skin);
    m_preview->setSkin(skin == 1 ? "Black" : "Default");
    m_sound->setChecked(d.value("sound", true));
    Refill(m_sounds, d.value("sounds", nlohmann::json::array()));
    m_sounds->setCurrentRow(d.value("selected_sound", -1));
    const bool enabled = d.value("sound_controls_enabled", true);
    m_sounds->setEnabled(enabled);
    m_play->setEnabled(enabled);
    m_updating = false;
}
