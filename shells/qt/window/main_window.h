// The calculator's window: the display, the keyboards of the orientation (portrait when the window is
// taller than wide, landscape otherwise), the pop-up lists and menu, and the side screens over them.
//
// The window only draws the models and forwards events to them; refresh() re-reads every model after each
// event and each run-loop callback. A resize across the square rotates the application (the controller
// rebuilds its keyboards, the window its widgets). Closing the window, Ctrl+Q and the end of the event loop
// save everything the application keeps, and the window's size and orientation.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

class GuiContext;
class DisplayWidget;
class StripWidget;
class KeyboardWidget;
class KeyPad;
class ListPanel;
class QLabel;
class QStackedWidget;
class QPushButton;
class QVBoxLayout;
struct Skin;

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MainWindow(GuiContext& context);
    ~MainWindow() override;

    // Reads every model again (display, keyboards, lists, screens, skin).
    void refresh();
    bool landscape() const { return m_landscape; }

    // Parts the tests drive.
    DisplayWidget* display() const { return m_display; }
    StripWidget* strip() const { return m_strip; }
    KeyboardWidget* numberPad() const { return m_numberPad; }
    KeyboardWidget* landModeKeys() const { return m_landKeys; }
    KeyboardWidget* landNumberPad() const { return m_landPad; }
    ListPanel* listPanel() const { return m_list; }
    // The widget of the screen over the calculator (null when none is open).
    QWidget* screenWidget() const;
    QPushButton* categoryButton(int index) const;

    // Saves and stops the application (once); the window can only be closed afterwards.
    void shutdown();
    // A refresh soon, once, whatever asks for it in the meantime.
    void requestRefresh();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Every click, key and wheel turn anywhere in the window may change a model: refresh after it.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildContent();
    void buildPortrait(QVBoxLayout* layout);
    void buildLandscape(QWidget* host);
    void teardownContent();
    void rotateIfNeeded();
    void applySkin();
    void syncList();
    void syncScreen();
    void pressKey(int code);

    GuiContext& m_context;
    bool m_landscape = false;
    bool m_shutDown = false;
    std::string m_skinName;
    QWidget* m_content = nullptr;
    DisplayWidget* m_display = nullptr;
    StripWidget* m_strip = nullptr;
    QLabel* m_caption = nullptr;
    QLabel* m_dots = nullptr;
    KeyboardWidget* m_numberPad = nullptr;
    KeyboardWidget* m_landKeys = nullptr;
    KeyboardWidget* m_landPad = nullptr;
    QPushButton* m_landCategories[3] = {nullptr, nullptr, nullptr};
    ListPanel* m_list = nullptr;
    QWidget* m_screenPane = nullptr;
    QLabel* m_screenTitle = nullptr;
    QStackedWidget* m_screenStack = nullptr;
    std::string m_shownScreen;
    bool m_refreshPending = false;
};
