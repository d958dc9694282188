#include "qt/screens/formula_view_widget.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/screens/formula_view/formular_view.h"
#include "qt/platform/qt_canvas.h"
#include "qt/screens/screen_widget_util.h"
#include "qt/window/gui_context.h"

// Paints the formula, magnified by kZoom so that it reads at desktop distance; the model renders at the
// density of the screen times that zoom.
class FormulaCanvas : public QWidget {
  public:
    static constexpr double kZoom = 2;

    FormulaCanvas(FormularView& model, std::string resources, QWidget* parent)
        : QWidget(parent), m_model(model), m_resources(std::move(resources)) {
        setObjectName("formulaCanvas");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setMinimumHeight(80);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        const double scale = devicePixelRatioF() * kZoom;
        if (scale != m_scale) {
            m_scale = scale;
            m_model.setRenderScale(scale);
        }
        QPainter painter(this);
        painter.scale(kZoom, kZoom);
        QtCanvas canvas(&painter, m_resources);
        m_model.Draw(canvas, CanvasRect{0, 0, width() / kZoom, height() / kZoom});
    }

  private:
    FormularView& m_model;
    std::string m_resources;
    double m_scale = 0;
};

FormulaViewWidget::FormulaViewWidget(FormularView& model, GuiContext& context, QWidget* parent)
    : QWidget(parent), m_model(model) {
    setObjectName("formulaView");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 8);
    m_canvas = new FormulaCanvas(model, context.resourceFolder(), this);
    layout->addWidget(m_canvas, 1);
    m_text = new QLabel(this);
    m_text->setObjectName("engineText");
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette p = m_text->palette();
    p.setColor(QPalette::WindowText, QColor(16, 20, 48));
    m_text->setPalette(p);
    layout->addWidget(m_text);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("close");
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, [this] {
        m_model.tap("close");
        RefreshWindow(this);
    });
    m_model.setChangeListener([this] { refresh(); });
    refresh();
}

FormulaViewWidget::~FormulaViewWidget() {
    m_model.setChangeListener(nullptr);
}

QWidget* FormulaViewWidget::canvas() const {
    return m_canvas;
}

void FormulaViewWidget::refresh() {
    const nlohmann::json d = m_model.describe();
    m_text->setText(QString::fromStdString(d.value("engineText", std::string())));
    m_canvas->update();
}
