#include "app/keyboards/mod_view_controller.h"

#include <cmath>

#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/keys/static_table_codes.h"
#include "app/screens/screen_host.h"
#include "app/settings/settings_globals.h"

using nlohmann::json;

namespace {

// The categories that own keyboard pages 0, 1 and 2, the pages with an RPN layout.
constexpr int kRPNPageCategories[] = {kCatArithmetic, kCatTrigonom, kCatBaseConversion};

bool IsRepeatingKey(int code) {
    return code == kKeyDelete || code == kKeyCaretLeft || code == kKeyCaretRight;
}

}  // namespace

ModViewController::ModViewController(Platform& platform, ScreenHost* screens)
    : CodeKeyboard(platform, kSlots), m_screens(screens) {
    Observe("ReleaseSHIFTButon", [this] { releaseShiftButton(); });
    Observe("UpdateView", [this] { updateOderView(); });
    Observe("BackFromStatisticsDataView", [this] { backFromStatisticsDataView(); });
    CreatePage(panelAtPosition(m_nIndexCurMod));
}

ModViewController::~ModViewController() = default;

// ---- keys ----------------------------------------------------------------------------------------------

int ModViewController::currentPage() const {
    const int category = getModeViewIndex();
    return category < 0 ? -1 : checkIndex(category);
}

bool ModViewController::currentPageIsRPN() const {
    const int page = currentPage();
    return page >= 0 && page < kRPNPageCount && IsRPNCategory(kRPNPageCategories[page]);
}

int ModViewController::keyCode(int slot, bool shift) const {
    const int page = currentPage();
    if (page < 0) return -1;
    const bool rpn = currentPageIsRPN();
    if (IsPortraitSlotCovered(page, slot, rpn)) return -1;
    return PortraitKeyCode(page, slot, shift, rpn);
}

bool ModViewController::HasKey(int slot) const {
    return keyCode(slot, false) >= 0;
}

bool ModViewController::StartsHold(int slot) const {
    const int code = keyCode(slot, g_bShiftMode);
    return code != kKeyMenu && code != kKeyShift;
}

int ModViewController::CodeOfTouch(int slot) const {
    return keyCode(slot, g_bShiftMode || m_nTouchStatus == 1);
}

void ModViewController::OnRelease(int slot) {
    const int code = keyCode(slot, g_bShiftMode);
    if (code < 0) {
        RestoreFace(slot);
        return;
    }
    ReleaseModeKey(slot, code);
}

void ModViewController::OnHold(int slot) {
    // Holding a key gives its shifted function, whatever the latch says.
    const int code = keyCode(slot, true);
    if (code < 0) return;
    if (g_bShiftMode) releaseShiftButton();
    if (IsRepeatingKey(code)) StartRepeat(code);
    Send(code);
}

// ---- strip ---------------------------------------------------------------------------------------------

int ModViewController::panelAtPosition(int position) const {
    if (position < 0 || position >= kPositions) return -1;
    const int panel = g_arrOrderView[position];
    return panel >= 0 && panel < kPositions ? panel : -1;
}

int ModViewController::positionOfPanel(int panelIndex) const {
    if (panelIndex < 0 || panelIndex >= kPositions) return -1;
    for (int j = 0; j < kPositions; ++j) {
        if (g_arrOrderView[j] == panelIndex) return j;
    }
    return -1;
}

std::string ModViewController::pageCaption(int position) const {
    return PanelLabel(panelAtPosition(position));
}

double ModViewController::pageX(int panelIndex) const {
    const int j = positionOfPanel(panelIndex);
    return j < 0 ? -1 : j * m_dPageWidth;
}

bool ModViewController::isPageCreated(int panelIndex) const {
    return panelIndex >= 0 && panelIndex < kPositions && m_arrModViews[panelIndex];
}

int ModViewController::getModeViewIndex() const {
    return PanelCategory(panelAtPosition(m_nIndexCurMod));
}

int ModViewController::positionOfOffset(double offset) const {
    if (!std::isfinite(offset)) return m_nIndexCurMod;
    const double w = m_dPageWidth;
    const double p = std::floor((offset - w / 2) / w) + 1;
    // A bouncing strip reports offsets before the first and past the last page.
    if (p < 0) return 0;
    if (p > kPositions - 1) return kPositions - 1;
    return static_cast<int>(p);
}

void ModViewController::setPageWidth(double width) {
    if (!(width > 0) || !std::isfinite(width)) return;
    m_dPageWidth = width;
    m_dOffset = m_nIndexCurMod * width;
    Changed();
}

void ModViewController::MoveTo(int position) {
    if (position == m_nIndexCurMod) return;
    // The key under the finger scrolls away with its page: it must not act on the next page's table.
    if (touchedSlot() >= 0) touchCancel(touchedSlot());
    m_nIndexCurMod = position;
    CreatePage(panelAtPosition(position));
    Changed();
}

void ModViewController::scrollViewDidScroll(double offset) {
    if (!std::isfinite(offset)) return;
    m_dOffset = offset;
    MoveTo(positionOfOffset(offset));
}

void ModViewController::scrollViewDidEndDecelerating() {
    const int category = getModeViewIndex();
    if (category >= 0 && m_delegate != nullptr) m_delegate->setCurrentMode(category);
    ShowScreenOfPosition();
    Changed();
}

void ModViewController::scrollToPosition(int position) {
    if (position < 0 || position >= kPositions) return;
    scrollViewDidScroll(position * m_dPageWidth);
    scrollViewDidEndDecelerating();
}

void ModViewController::loadModViewWithIndex(int panelIndex, bool showView) {
    if (panelIndex < 0 || panelIndex >= kPositions) return;
    CreatePage(panelIndex);
    if (!showView) return;
    const int position = positionOfPanel(panelIndex);
    if (position < 0) return;
    MoveTo(position);
    m_dOffset = position * m_dPageWidth;
    ShowScreenOfPosition();
    Changed();
}

void ModViewController::CreatePage(int panelIndex) {
    if (panelIndex < 0 || panelIndex >= kPositions || m_arrModViews[panelIndex]) return;
    m_arrModViews[panelIndex] = true;
    const char* screen = ScreenOfCategory(PanelCategory(panelIndex));
    if (*screen != '\0' && m_screens != nullptr) m_screens->open(screen);
}

void ModViewController::ShowScreenOfPosition() {
    const std::string screen = ScreenOfCategory(getModeViewIndex());
    if (screen == m_sVisibleScreen) return;
    if (m_screens != nullptr) {
        if (ScreenModel* old = m_screens->find(m_sVisibleScreen)) old->didHide();
    }
    m_sVisibleScreen = screen;
    if (m_screens != nullptr && !screen.empty()) {
        if (ScreenModel* s = m_screens->open(screen)) s->didShow();
    }
}

void ModViewController::updateOderView() {
    for (int panel = 0; panel < kPositions; ++panel) {
        if (positionOfPanel(panel) == m_nIndexCurMod) CreatePage(panel);
    }
    m_dOffset = m_nIndexCurMod * m_dPageWidth;
    scrollViewDidEndDecelerating();
}

void ModViewController::updateRPNMode() {
    Changed();
}

void ModViewController::openStatisticDataView() {
    m_bStatisticDataView = true;
    Changed();
}

void ModViewController::backFromStatisticsDataView() {
    m_bStatisticDataView = false;
    Changed();
}

// ---- description ---------------------------------------------------------------------------------------

json ModViewController::describe() const {
    json j = DescribeTouch("mode");
    const int page = currentPage();
    const bool rpn = currentPageIsRPN();
    j["position"] = m_nIndexCurMod;
    j["panel"] = panelAtPosition(m_nIndexCurMod);
    j["category"] = getModeViewIndex();
    j["caption"] = pageCaption(m_nIndexCurMod);
    j["page"] = page;
    j["rpn"] = rpn;
    j["offset"] = m_dOffset;
    j["pageWidth"] = m_dPageWidth;
    j["screen"] = m_sVisibleScreen;
    j["statisticDataView"] = m_bStatisticDataView;
    json strip = json::array();
    for (int position = 0; position < kPositions; ++position) {
        const int panel = panelAtPosition(position);
        const int category = PanelCategory(panel);
        strip.push_back({{"panel", panel},
                         {"category", category},
                         {"caption", pageCaption(position)},
                         {"page", category < 0 ? -1 : checkIndex(category)},
                         {"created", isPageCreated(panel)}});
    }
    j["strip"] = strip;
    if (page < 0) return j;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (IsPortraitSlotCovered(page, slot, rpn)) {
            j["keys"].push_back({{"slot", slot}, {"code", -1}, {"covered", true}});
            continue;
        }
        json face = KeyFaceJson(slot, keyCode(slot, false), keyCode(slot, true),
                                PortraitKeyType(page, slot, rpn), isFacePressed(slot), rpn);
        face["covered"] = false;
        j["keys"].push_back(face);
    }
    return j;
}
