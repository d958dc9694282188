// The portrait mode keyboard: a horizontal strip of twelve pages, one per entry of the category panel.
//
// Position j of the strip (0..11) shows the page of panel index g_arrOrderView[j]. A page whose category
// has a keyboard page (ids 0, 1, 3, 4, 8, 13) carries 18 mode keys (slots 0..17, three rows of six in
// reading order); the other pages show their category's screen (screens/screen_host.h, ScreenOfCategory),
// and the graph page shows its screen and keys. Pages are created when they first come into view and kept.
//
// Keys: the code of a slot is looked up at press time on the page at the current position, in the RPN
// table when that page belongs to a category in RPN mode (pages 0..2: ids 0, 1, 3), and in the shifted
// block while g_bShiftMode is set. Touches follow KeyboardModel:
//   - touch-down starts the 0.4 s hold timer, except on the menu (169) and shift (23) keys;
//   - release sends the code: 23 toggles g_bShiftMode and its face stays pressed while latched; any other
//     code releases the latch first; the face returns 0.1 s later;
//   - a hold sends the shifted code whatever the latch says (and releases the latch); backspace (47) and
//     the caret keys (48, 49) then repeat every 0.1 s until release; the release after a hold sends
//     nothing more.
//
// Strip: the widget reports the scroll offset (points, 0 at the first page) and the page width; the
// position is the page nearest the offset, floor((offset - width/2) / width) + 1, kept within 0..11. A
// move to another position ends the touch on a key (the key's page left the screen). When the scroll
// comes to rest the delegate's setCurrentMode() gets the category at the position, and only that page's
// category screen shows its controls (visibleScreen()).
//
// Observes "ReleaseSHIFTButon" (releaseShiftButton), "UpdateView" (updateOderView) and
// "BackFromStatisticsDataView" (backFromStatisticsDataView). Created by the main controller in portrait,
// which is its delegate. Engine thread only.
#pragma once

#include <array>
#include <string>

#include "app/keyboards/keyboard_model.h"

class ScreenHost;

class ModViewController : public CodeKeyboard {
  public:
    static constexpr int kPositions = 12;
    static constexpr int kSlots = 18;
    static constexpr double kDefaultPageWidth = 320;  // points, until the widget says otherwise

    // screens (not owned, may be null) creates and shows the category screens of the pages.
    ModViewController(Platform& platform, ScreenHost* screens);
    ~ModViewController() override;

    // ---- keys ----
    // The code of slot on the current page, from the shifted block when shift is set; -1 when the page
    // has no keys or the slot is out of range or covered by a double-width key.
    int keyCode(int slot, bool shift) const;
    // The keyboard page at the current position (0..5), -1 when it shows a screen without keys.
    int currentPage() const;
    // True when the current page takes its codes from the RPN table.
    bool currentPageIsRPN() const;

    // ---- strip ----
    // The widget's page width in points; ignored unless > 0. The strip stays on its position.
    void setPageWidth(double width);
    double pageWidth() const { return m_dPageWidth; }
    // The strip was dragged or is decelerating to offset (points). Updates m_nIndexCurMod and creates
    // the page coming into view.
    void scrollViewDidScroll(double offset);
    // The strip came to rest: the stopped-scroll rules (the file comment).
    void scrollViewDidEndDecelerating();
    // A swipe to position, as the headless runs and the keyboard shortcuts do it: scroll there and stop.
    // Positions outside 0..11 are ignored.
    void scrollToPosition(int position);
    double contentOffset() const { return m_dOffset; }
    // The position of an offset at the current page width (the formula of the file comment, clamped).
    int positionOfOffset(double offset) const;

    // Creates the page of panelIndex (0..11) when needed and, with showView, scrolls the strip to it
    // without moving the current category (the caller has set it). Out-of-range indices are ignored.
    void loadModViewWithIndex(int panelIndex, bool showView);
    // The category id at the current position (-1 if the order list is damaged there).
    int getModeViewIndex() const;
    int currentPosition() const { return m_nIndexCurMod; }
    // Panel index shown at a position / position showing a panel index; -1 when out of range or absent.
    int panelAtPosition(int position) const;
    int positionOfPanel(int panelIndex) const;
    // The page caption at a position: the panel label, spaces included (" Base Conversion").
    std::string pageCaption(int position) const;
    // x of a panel's page in the strip (its position times the page width); -1 when it has none.
    double pageX(int panelIndex) const;
    bool isPageCreated(int panelIndex) const;
    // The category screen that shows its controls ("tip", "graph" ...), "" on a page of keys only.
    const std::string& visibleScreen() const { return m_sVisibleScreen; }

    // The order list g_arrOrderView changed: pages are placed at their new positions, the page at the
    // current position is created, and the stopped-scroll rules apply.
    void updateOderView();
    // The input mode changed: the keys of pages 0..2 read the other table from now on; repaints.
    void updateRPNMode();
    // The skin changed: every key face is drawn again.
    void updateSkin() { Changed(); }

    // The statistics data screen opened over the keyboard (key 163) / closed.
    void openStatisticDataView();
    void backFromStatisticsDataView();
    bool statisticDataViewOpen() const { return m_bStatisticDataView; }

    // "keyboard": "mode", the shared touch fields, "position", "panel", "category", "caption", "page",
    // "rpn", "offset", "pageWidth", "screen" (visibleScreen), "statisticDataView", "strip" (per position:
    // "panel", "category", "caption", "page", "created") and "keys" (per slot of the current page, empty
    // on a page without keys; a covered slot has "covered": true and code -1).
    nlohmann::json describe() const override;

  protected:
    bool HasKey(int slot) const override;
    bool StartsHold(int slot) const override;
    void OnRelease(int slot) override;
    void OnHold(int slot) override;
    int CodeOfTouch(int slot) const override;

  private:
    void CreatePage(int panelIndex);
    void MoveTo(int position);
    void ShowScreenOfPosition();

    ScreenHost* m_screens;
    int m_nIndexCurMod = 0;
    double m_dPageWidth = kDefaultPageWidth;
    double m_dOffset = 0;
    std::array<bool, kPositions> m_arrModViews{};  // created pages, by panel index
    std::string m_sVisibleScreen;
    bool m_bStatisticDataView = false;
};
