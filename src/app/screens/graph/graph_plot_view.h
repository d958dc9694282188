// The plot screen: up to three functions of x plotted by the plot engine (plot/plot.h) in a view under a
// title bar "Graph", shown over the calculator by the graph screen's open button.
//
// The view is 320 x 435 points unless the shell says otherwise (setViewSize); the plot rectangle is inset
// 5 points on three sides and leaves 60 points below it for the buttons (310 x 370 in the default view).
// Opening builds the plot (CreateGraphic, AddGraph per function text given); hiding the screen removes it
// (RemoveAllGraph). The engine keeps pixels per unit and the pan offsets, so the zoom and the pan of one
// plot carry over to the next.
//
// Gestures, in view coordinates: a one-finger drag pans (or, in crosshair mode, moves the crosshair) by
// the whole pixels moved since the previous event; a two-finger drag zooms by the whole pixels the
// distance between the fingers changed since the previous move (the first move only records it). The
// zoom buttons and one wheel notch zoom by 2 pixels per unit either way, within 8 ... 96.
//
// Go-to keypad: a field that starts at "0"; a digit replaces a lone "0" ("." makes it "0."), "." is added
// once, the sign key adds or removes a leading "-", the delete key removes the last character. Go moves
// to x (calculateFnexWithX) and closes the keypad. calculateFnexWithX shows "x=%.6f" and "y%d=%.6f" for
// each function plotted ("y%d=undefined" where the function has no value) and centres the view on the
// whole part of x; an x beyond +-65535 is ignored.
//
// Screen interface:
//   tap:         "back", "zoom_in", "zoom_out", "goto00", "pointer_mode" (pan <-> crosshair), "goto"
//                (opens the keypad), "goto_go", "goto_cancel", "touch_down:X,Y[;X,Y]",
//                "touch_move:X,Y[;X,Y]", "touch_up", "wheel:N" (N notches, + zooms in), "pinch:D" (a
//                two-finger step of D pixels)
//   enterText:   "goto_x" (typed into the go-to field key by key; false for a character it has no key for)
//   pressKeypad: the go-to keypad while open: 0 ... 9 the digits, 10 ".", 11 "±", 12 delete, 13 Go,
//                14 Cancel
//   describe:    "title", "shown", "size" [w, h], "plot_rect" [left, top, width, height], "functions"
//                (per function {"text", "plotted", "color": [r, g, b], "error"}), "status", "values" (three
//                texts, "" where none), "pointer_mode" ("pan" or "crosshair"), "pixels_per_unit" [x, y],
//                "offset" [x, y], "range" [from, to], "crosshair" ({"x", "y", "label_x", "label_y"}),
//                "goto" ({"open", "field", "keys"})
// Drawing: Draw(canvas) paints the whole view (background, status and value texts, DrawGraphs). A value
// text wider than its 100-point box is drawn in a smaller font (down to 8 points) instead of being cut.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/screens/graph/graph_colors.h"
#include "app/screens/screen_host.h"

class GraphPlotView : public ScreenModel {
  public:
    static constexpr const char* kName = "graph_plot";
    static constexpr const char* kTitle = "Graph";
    static constexpr int kFunctions = 3;
    static constexpr double kDefaultWidth = 320, kDefaultHeight = 435;
    static constexpr int kInset = 5;             // the plot rectangle's distance from the left, top and right
    static constexpr int kButtonBarHeight = 60;  // below the plot rectangle
    static constexpr int kZoomStep = 2;
    static constexpr int kGotoKeyDot = 10, kGotoKeySign = 11, kGotoKeyDelete = 12, kGotoKeyGo = 13,
                         kGotoKeyCancel = 14;
    static constexpr size_t kGotoFieldLength = 16;

    explicit GraphPlotView(ScreenContext& context);
    ~GraphPlotView() override;

    const char* name() const override { return kName; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool enterText(std::string_view field, const std::u16string& text) override;
    bool pressKeypad(int index) override;
    void didHide() override;

    // Builds the plot of the function texts (engine text; "" for none) in their colours; the status and
    // value texts are emptied. Called by the graph screen before it shows this one.
    void initWithParameters(const std::array<std::string, kFunctions>& texts,
                            const std::array<GraphColor, kFunctions>& colors);
    bool shown() const { return m_bBuilt; }
    // The view's size in points: the plot rectangle follows (ResizeGraphic).
    void setViewSize(double width, double height);

    // Gestures (view coordinates): the points of the fingers touching.
    void touchesBegan(const std::vector<CanvasPoint>& points);
    void touchesMoved(const std::vector<CanvasPoint>& points);
    void touchesEnded();
    void clearTouches();
    void zoomIn();
    void zoomOut();
    void wheel(int notches);
    void pinch(int pixels);
    void goto00();
    void switchPointerMode();
    void calculateFnexWithX(double x);
    // The back button: the screen hides.
    void goBackView();

    // The go-to keypad.
    void openGotoKeypad();
    void closeGotoKeypad();
    bool gotoKeypadOpen() const { return m_bGotoOpen; }
    const std::string& gotoField() const { return m_sGotoField; }
    void gotoKey(int index);

    // The function's graph index in the plot engine, -1 when it is not plotted.
    int graphIndex(int function) const { return m_graphIndex.at(static_cast<size_t>(function)); }

    void Draw(Canvas& canvas) const;

  private:
    void PlotRect(int& left, int& top, int& width, int& height) const;
    bool TapGesture(std::string_view element);

    ScreenContext m_context;
    std::array<std::string, kFunctions> m_texts;
    std::array<GraphColor, kFunctions> m_colors = kDefaultGraphColors;
    std::array<int, kFunctions> m_graphIndex = {-1, -1, -1};
    std::array<std::string, kFunctions> m_errors;
    std::array<std::string, kFunctions> m_values;
    std::string m_sStatus;
    double m_dWidth = kDefaultWidth, m_dHeight = kDefaultHeight;
    bool m_bBuilt = false;
    // Gesture state: the last point used by a one-finger drag, the last finger distance of a pinch.
    int m_nFingers = 0;
    CanvasPoint m_last;
    double m_dLastDistance = -1;
    bool m_bGotoOpen = false;
    std::string m_sGotoField = "0";
};
