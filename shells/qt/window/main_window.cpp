#include "qt/window/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <map>

#include "app/controller/desktop_input.h"
#include "app/controller/orvane_view_controller.h"
#include "app/display/line_text.h"
#include "app/keyboards/large_keyboard_view.h"
#include "app/keyboards/mod_view_controller.h"
#include "app/keyboards/mode_land_view.h"
#include "app/keyboards/number_keyboard_land.h"
#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/settings/settings_globals.h"
#include "qt/screens/screen_widgets.h"
#include "qt/widgets/display_widget.h"
#include "qt/widgets/keyboard_widget.h"
#include "qt/widgets/list_panel.h"
#include "qt/widgets/strip_widget.h"
#include "qt/window/gui_context.h"

namespace {

constexpr const char* kSizeDefault = "guiWindowSize";
constexpr int kLandCategories[3] = {kCatArithmetic, kCatTrigonom, kCatBaseConversion};

QString ListTitle(const std::string& list) {
    static const std::map<std::string, QString> titles = {{kFunctionList, "Functions"},
                                                          {kRPNStackList, "Stack commands"},
                                                          {kRPNFunctionList, "Functions"},
                                                          {kDistributionList, "Distributions"},
                                                          {kCategoryMenu, "Categories"}};
    const auto it = titles.find(list);
    return it == titles.end() ? QString::fromStdString(list) : it->second;
}

QString ScreenTitle(const std::string& screen) {
    static const std::map<std::string, QString> titles = {{"settings", "Settings"},
                                                          {"help", "Help"},
                                                          {"about", "About"},
                                                          {"introduction", "orvcalc"},
                                                          {"history_view", "History"},
                                                          {"history", "History"},
                                                          {"rpn_stack", "RPN Stack"},
                                                          {"formula_view", "Formula"},
                                                          {"graph_plot", "Graph"},
                                                          {"statistics", "Statistics Data"},
                                                          {"clothing", "Clothing Sizes"},
                                                          {"loan", "Loan"},
                                                          {"mortgage", "Mortgage"},
                                                          {"tvm", "Time Value of Money"}};
    const auto it = titles.find(screen);
    return it == titles.end() ? QString::fromStdString(screen) : it->second;
}

void PlaceNumberPadKey(const nlohmann::json& face, PadKey& key) {
    const int slot = face.value("slot", 0);
    key.row = slot / 5;
    key.column = slot % 5;
    key.kind = NumberPadKind(face.value("code", -1));
}

void PlaceLandModeKey(const nlohmann::json& face, PadKey& key) {
    const int slot = face.value("slot", 0);
    key.row = slot / 4;
    key.column = slot % 4;
    key.kind = ModeKeyKind(face.value("type", 0));
    if (face.value("code", -1) == kKeyShift) key.kind = PadKey::Shift;
}

void PlaceLandPadKey(const nlohmann::json& face, PadKey& key) {
    const int slot = face.value("slot", 0);
    key.row = slot / 4;
    key.column = slot % 4;
    key.kind = NumberPadKind(face.value("code", -1));
}

}  // namespace

MainWindow::MainWindow(GuiContext& context) : m_context(context) {
    setObjectName("mainWindow");
    setWindowTitle("Orvane Calculator");
    m_landscape = g_nCurScreenMode == 2;
    int w = m_landscape ? 900 : 420, h = m_landscape ? 520 : 760;
    if (auto size = m_context.storage().userDefault(kSizeDefault)) {
        int sw = 0, sh = 0;
        if (std::sscanf(size->c_str(), "%dx%d", &sw, &sh) == 2 && sw >= 200 && sh >= 200 && sw <= 8000 &&
            sh <= 8000 && (sw > sh) == m_landscape) {
            w = sw;
            h = sh;
        }
    }
    resize(w, h);
    setMinimumSize(240, 240);
    setFocusPolicy(Qt::StrongFocus);

    OrvaneViewController& c = m_context.controller();
    c.display().onNeedsDisplay = [this] {
        if (m_display) m_display->update();
    };
    m_context.runLoop().setIdleHook([this] { refresh(); });
    m_context.feedback().onVibrate = [this] {
        if (m_display) m_display->flash();
    };
    m_context.alerts().setParentWidget(this);

    m_list = new ListPanel(this);
    m_list->onPick = [this](int index) {
        OrvaneViewController& ctl = m_context.controller();
        ctl.selectItemAtIndex(index, ctl.openList());
        refresh();
    };
    m_list->onOption = [this](int option) {
        m_context.controller().closeList();
        m_context.controller().selectOptionItem(option);
        refresh();
    };
    m_list->onClose = [this] {
        m_context.controller().closeList();
        refresh();
    };

    m_screenPane = new QWidget(this);
    m_screenPane->setObjectName("screenPane");
    m_screenPane->setAutoFillBackground(true);
    auto* paneLayout = new QVBoxLayout(m_screenPane);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 6, 6, 0);
    auto* back = new QPushButton(QString::fromUtf8("\u25c0 Back"), m_screenPane);
    back->setObjectName("screenBack");
    m_screenTitle = new QLabel(m_screenPane);
    QFont tf = m_screenTitle->font();
    tf.setBold(true);
    tf.setPointSizeF(tf.pointSizeF() * 1.2);
    m_screenTitle->setFont(tf);
    bar->addWidget(back);
    bar->addWidget(m_screenTitle, 1, Qt::AlignCenter);
    bar->addSpacing(back->sizeHint().width());
    paneLayout->addLayout(bar);
    m_screenStack = new QStackedWidget(m_screenPane);
    paneLayout->addWidget(m_screenStack, 1);
    m_screenPane->hide();
    connect(back, &QPushButton::clicked, this, [this] {
        OrvaneViewController& ctl = m_context.controller();
        const std::string screen = ctl.currentScreen();
        // A screen with a close action of its own (saving, notifying) takes it; the others just go.
        ScreenModel* model = ctl.screens().find(screen);
        if (!model || !model->tap("close")) ctl.HideScreen(screen);
        refresh();
    });

    c.onKeyboardsRebuilt = [this] { buildContent(); };
    buildContent();
    refresh();
    qApp->installEventFilter(this);
}

void MainWindow::requestRefresh() {
    if (m_refreshPending) return;
    m_refreshPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refreshPending = false;
            refresh();
        },
        Qt::QueuedConnection);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonRelease:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::TouchEnd:
            if (auto* w = qobject_cast<QWidget*>(watched); w && w->window() == this) requestRefresh();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

MainWindow::~MainWindow() {
    shutdown();
}

void MainWindow::shutdown() {
    if (m_shutDown) return;
    m_shutDown = true;
    qApp->removeEventFilter(this);
    m_context.storage().setUserDefault(kSizeDefault,
                                       std::to_string(width()) + "x" + std::to_string(height()));
    m_context.runLoop().setIdleHook(nullptr);
    m_context.feedback().onVibrate = nullptr;
    // Widgets listen to their models: they go before the application ends and takes the models with it.
    teardownContent();
    while (QWidget* w = m_screenStack->widget(0)) {
        m_screenStack->removeWidget(w);
        delete w;
    }
    m_shownScreen.clear();
    m_context.terminate();
}

void MainWindow::teardownContent() {
    // Keyboard widgets listen to the controller's keyboards: they go before the keyboards do.
    if (m_content) {
        m_content->hide();
        delete m_content;
    }
    m_content = nullptr;
    m_display = nullptr;
    m_strip = nullptr;
    m_caption = nullptr;
    m_dots = nullptr;
    m_numberPad = m_landKeys = m_landPad = nullptr;
    for (auto& b : m_landCategories) b = nullptr;
}

void MainWindow::buildContent() {
    teardownContent();
    if (!m_context.running()) return;
    m_content = new QWidget(this);
    m_content->setObjectName("content");
    m_content->setGeometry(rect());
    if (m_landscape) {
        buildLandscape(m_content);
    } else {
        auto* layout = new QVBoxLayout(m_content);
        buildPortrait(layout);
    }
    m_content->show();
    m_list->raise();
    m_screenPane->raise();
    m_skinName.clear();  // the new widgets take the skin at the next refresh
}

void MainWindow::buildPortrait(QVBoxLayout* layout) {
    OrvaneViewController& c = m_context.controller();
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    m_display = new DisplayWidget(c.display(), m_context.resourceFolder(), m_content);
    m_display->setFunctionTooltip(&c.functionTooltip());
    m_display->onTouched = [this] { refresh(); };
    layout->addWidget(m_display);

    auto* header = new QHBoxLayout;
    m_caption = new QLabel(m_content);
    m_caption->setObjectName("pageCaption");
    QFont cf = m_caption->font();
    cf.setBold(true);
    m_caption->setFont(cf);
    m_dots = new QLabel(m_content);
    m_dots->setObjectName("pageDots");
    header->addWidget(m_caption, 1);
    header->addWidget(m_dots);
    layout->addLayout(header);

    if (ModViewController* mod = c.modViewController()) {
        m_strip = new StripWidget(
            *mod,
            [this](int category, QWidget* parent) { return CreateCategoryPage(category, m_context, parent); },
            m_content);
        layout->addWidget(m_strip, 5);
    }
    if (LargeKeyboardView* pad = c.largeKeyboard()) {
        m_numberPad = new KeyboardWidget(*pad, 4, 5, PlaceNumberPadKey, m_content);
        m_numberPad->setObjectName("numberPad");
        m_numberPad->extraKeys = [this](const nlohmann::json& d, std::vector<PadKey>& keys) {
            const nlohmann::json enter = d.value("enterButton", nlohmann::json::object());
            const bool shown = enter.value("shown", false);
            m_numberPad->setGrid(shown ? 5 : 4, 5);
            if (!shown) return;
            PadKey k;
            k.slot = LargeKeyboardView::kEnterSlot;
            k.row = 4;
            k.column = 0;
            k.columnSpan = 5;
            k.caption = QString::fromStdString(enter.value("caption", std::string("ENTER")));
            k.pressed = enter.value("pressed", false);
            k.kind = PadKey::Equals;
            keys.push_back(k);
        };
        m_numberPad->refresh();
        layout->addWidget(m_numberPad, 6);
    }
}

void MainWindow::buildLandscape(QWidget* host) {
    OrvaneViewController& c = m_context.controller();
    auto* row = new QHBoxLayout(host);
    row->setContentsMargins(6, 6, 6, 6);
    row->setSpacing(8);
    auto* left = new QVBoxLayout;
    m_display = new DisplayWidget(c.display(), m_context.resourceFolder(), host);
    m_display->setFunctionTooltip(&c.functionTooltip());
    m_display->onTouched = [this] { refresh(); };
    left->addWidget(m_display);
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        const int category = kLandCategories[i];
        auto* b = new QPushButton(
            QString::fromStdString(PanelLabel(PanelIndexOfCategory(category))).trimmed(), host);
        b->setCheckable(true);
        b->setObjectName(QString("landCategory%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, category] {
            m_context.controller().pressCategoryLandButton(category);
            refresh();
        });
        buttons->addWidget(b);
        m_landCategories[i] = b;
    }
    auto* settings = new QPushButton(QString::fromUtf8("\u2699"), host);
    settings->setObjectName("landSettings");
    settings->setToolTip("Settings");
    connect(settings, &QPushButton::clicked, this, [this] {
        m_context.controller().selectOptionItem(0);
        refresh();
    });
    buttons->addWidget(settings);
    left->addLayout(buttons);
    if (ModeLandView* keys = c.modeLandView()) {
        m_landKeys = new KeyboardWidget(*keys, 4, 4, PlaceLandModeKey, host);
        m_landKeys->setObjectName("landModeKeys");
        left->addWidget(m_landKeys, 1);
    }
    row->addLayout(left, 5);
    if (NumberKeyboardLand* pad = c.numberKeyboardLand()) {
        m_landPad = new KeyboardWidget(*pad, 5, 4, PlaceLandPadKey, host);
        m_landPad->setObjectName("landNumberPad");
        row->addWidget(m_landPad, 4);
    }
}

QWidget* MainWindow::screenWidget() const {
    return m_screenPane->isVisible() ? m_screenStack->currentWidget() : nullptr;
}

QPushButton* MainWindow::categoryButton(int index) const {
    return index >= 0 && index < 3 ? m_landCategories[index] : nullptr;
}

void MainWindow::applySkin() {
    if (m_skinName == g_nstrSkinModel) return;
    m_skinName = g_nstrSkinModel;
    const Skin& skin = Skin::named(m_skinName);
    QPalette p = palette();
    p.setColor(QPalette::Window, skin.background);
    setPalette(p);
    setAutoFillBackground(true);
    if (m_content) {
        QPalette cp = m_content->palette();
        cp.setColor(QPalette::Window, skin.background);
        cp.setColor(QPalette::WindowText, skin.name == "Black" ? QColor(20, 20, 20) : QColor(16, 20, 48));
        m_content->setPalette(cp);
        m_content->setAutoFillBackground(true);
    }
    for (KeyPad* pad : {static_cast<KeyPad*>(m_numberPad), static_cast<KeyPad*>(m_landKeys),
                        static_cast<KeyPad*>(m_landPad)})
        if (pad) pad->setSkin(skin);
    if (m_strip) m_strip->setSkin(skin);
    m_list->setSkin(skin);
}

void MainWindow::refresh() {
    if (m_shutDown || !m_context.running()) return;
    OrvaneViewController& c = m_context.controller();
    applySkin();
    if (m_display) {
        m_display->updateGeometry();
        m_display->update();
    }
    if (m_strip) m_strip->refresh();
    if (ModViewController* mod = c.modViewController(); mod && m_caption) {
        const int pos = mod->currentPosition();
        m_caption->setText(QString::fromStdString(mod->pageCaption(pos)).trimmed());
        QString dots;
        for (int i = 0; i < ModViewController::kPositions; ++i)
            dots += i == pos ? QChar(0x25CF) : QChar(0x25CB);
        m_dots->setText(dots);
    }
    for (int i = 0; i < 3; ++i)
        if (m_landCategories[i]) m_landCategories[i]->setChecked(c.currentFunction() == kLandCategories[i]);
    syncList();
    syncScreen();
}

void MainWindow::syncList() {
    OrvaneViewController& c = m_context.controller();
    const std::string& list = c.openList();
    if (list.empty()) {
        m_list->hidePanel();
        return;
    }
    // The option buttons are made when another list opens, not at every refresh: a click in progress on
    // one of them must not lose its button.
    if (m_list->listName() != list)
        m_list->setOptions(list == kCategoryMenu ? std::vector<QString>{"Settings", "Introduction", "Help", "About"}
                                                 : std::vector<QString>{});
    m_list->showRows(list, ListTitle(list), c.openListItems().captions);
}

void MainWindow::syncScreen() {
    OrvaneViewController& c = m_context.controller();
    const std::string& screen = c.currentScreen();
    if (screen.empty()) {
        // Typing goes back to the calculator, not to whatever Qt finds next in the focus chain.
        const bool focusInPane = m_screenPane->isAncestorOf(QApplication::focusWidget());
        m_screenPane->hide();
        m_shownScreen.clear();
        if (focusInPane || !QApplication::focusWidget()) setFocus(Qt::OtherFocusReason);
        return;
    }
    if (screen != m_shownScreen) {
        m_shownScreen = screen;
        QWidget* page = m_screenStack->findChild<QWidget*>(QString::fromStdString("screen:" + screen),
                                                           Qt::FindDirectChildrenOnly);
        if (!page) {
            ScreenModel* model = c.screens().find(screen);
            page = model ? CreateScreenWidget(*model, m_context, m_screenStack)
                         : CreatePlaceholderPage(ScreenTitle(screen), "This screen has no desktop view yet.",
                                                 m_screenStack);
            page->setObjectName(QString::fromStdString("screen:" + screen));
            m_screenStack->addWidget(page);
        }
        m_screenStack->setCurrentWidget(page);
        m_screenTitle->setText(ScreenTitle(screen));
    }
    m_screenPane->setGeometry(rect());
    m_screenPane->show();
    m_screenPane->raise();
}

void MainWindow::rotateIfNeeded() {
    const bool landscape = width() > height();
    if (landscape == m_landscape || !m_context.running()) return;
    m_landscape = landscape;
    teardownContent();
    m_context.controller().willRotateToInterfaceOrientation(landscape);
    if (!m_content) buildContent();  // the controller did not rebuild (no keyboards changed)
    refresh();
}

void MainWindow::resizeEvent(QResizeEvent*) {
    rotateIfNeeded();
    if (m_content) m_content->setGeometry(rect());
    if (m_screenPane->isVisible()) m_screenPane->setGeometry(rect());
    if (m_list->isVisible()) m_list->relayout();
}

void MainWindow::pressKey(int code) {
    if (code == kKeyNone || !m_context.running()) return;
    m_context.controller().pressButtonHasKeycode(code);
    refresh();
}

void MainWindow::keyPressEvent(QKeyEvent* e) {
    OrvaneViewController& c = m_context.controller();
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    if (ctrl && e->key() == Qt::Key_Q) {
        close();
        return;
    }
    if (e->key() == Qt::Key_F1) {
        c.closeList();
        c.selectOptionItem(2);
        refresh();
        return;
    }
    if (!c.openList().empty()) {
        if (e->key() == Qt::Key_Escape) {
            c.closeList();
            refresh();
        }
        return;
    }
    if (!c.currentScreen().empty()) {
        if (e->key() == Qt::Key_Escape) {
            const std::string screen = c.currentScreen();
            ScreenModel* model = c.screens().find(screen);
            if (!model || !model->tap("close")) c.HideScreen(screen);
            refresh();
        }
        return;
    }
    if (ctrl) {
        switch (e->key()) {
            case Qt::Key_C: {
                const std::u16string text = CopyText(c);
                QApplication::clipboard()->setText(
                    QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
                return;
            }
            case Qt::Key_V: {
                const QString text = QApplication::clipboard()->text();
                PasteText(c, text.toStdU16String());
                refresh();
                return;
            }
            case Qt::Key_Z:
                pressKey(UndoKeyCode(false, c));
                return;
            case Qt::Key_Y:
                pressKey(UndoKeyCode(true, c));
                return;
            case Qt::Key_Left:
                if (m_strip && c.modViewController())
                    m_strip->scrollToPosition(c.modViewController()->currentPosition() - 1);
                return;
            case Qt::Key_Right:
                if (m_strip && c.modViewController())
                    m_strip->scrollToPosition(c.modViewController()->currentPosition() + 1);
                return;
            default:
                return;
        }
    }
    static const std::map<int, DesktopKey> named = {
        {Qt::Key_Return, DesktopKey::Enter},        {Qt::Key_Enter, DesktopKey::Enter},
        {Qt::Key_Backspace, DesktopKey::Backspace}, {Qt::Key_Delete, DesktopKey::Delete},
        {Qt::Key_Left, DesktopKey::Left},           {Qt::Key_Right, DesktopKey::Right},
        {Qt::Key_Home, DesktopKey::Home},           {Qt::Key_End, DesktopKey::End},
        {Qt::Key_Escape, DesktopKey::Escape}};
    if (const auto it = named.find(e->key()); it != named.end()) {
        pressKey(KeyCodeOfNamedKey(it->second, c));
        return;
    }
    const QString text = e->text();
    if (text.size() == 1) pressKey(KeyCodeOfCharacter(text.at(0).unicode(), c));
}

void MainWindow::closeEvent(QCloseEvent* e) {
    shutdown();
    e->accept();
}
