// The strip of mode-keyboard pages in portrait: twelve pages side by side, one screen width each, scrolled
// one page at a time by a swipe that starts on a key, by the mouse wheel, or by the page dots. Pages of
// keyboard categories show their 18 keys (the current page's faces from the mode keyboard model, the
// others from the key tables); the other pages show their category's screen widget, and the Graph page
// both: its screen above its keys. The model keeps the position and applies the stopped-scroll rules; the
// widget only animates the offset it reports.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "qt/widgets/skin.h"

class ModViewController;
class KeyPad;
class KeyboardWidget;
class QVariantAnimation;

class StripWidget : public QWidget {
    Q_OBJECT
  public:
    // screenPage creates the widget of a category page without keys (its screen, or a placeholder).
    StripWidget(ModViewController& model, std::function<QWidget*(int categoryId, QWidget* parent)> screenPage,
                QWidget* parent = nullptr);
    ~StripWidget() override;

    // Re-reads the model: the current position (scrolls there without animation when it moved), pages,
    // faces.
    void refresh();
    void setSkin(const Skin& skin);
    // Animated scroll to a position (0..11), as a swipe that ends there.
    void scrollToPosition(int position);
    // The key pad of the page at the current position (null on a page without keys).
    KeyPad* currentKeys() const;
    bool animating() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void buildPages();
    void layoutPages();
    void setOffset(double offset, bool stopped);
    void swipe(QPoint delta, bool released);
    void fillStaticFaces(int position);
    // The key pad of a position's page (null for a page without keys) and its replacement.
    KeyPad* keysAt(int position) const;
    void setKeysAt(int position, KeyPad* pad);

    ModViewController& m_model;
    std::function<QWidget*(int, QWidget*)> m_screenPage;
    QWidget* m_container;
    std::vector<QWidget*> m_pages;  // by position: a container holding the screen and/or the keys
    std::vector<KeyPad*> m_keys;    // by position: the keys of the page, null for a page without keys
    KeyboardWidget* m_current = nullptr;
    int m_currentPosition = -1;
    double m_offset = 0;
    double m_swipeStart = 0;
    bool m_swiping = false;
    QElapsedTimer m_swipeClock;  // since the swipe began: a quick flick turns the page too
    QVariantAnimation* m_animation = nullptr;
    const Skin* m_skin;
    double m_wheelAccumulator = 0;
};
