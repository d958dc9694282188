#include "qt/screens/paged_document_widget.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/keys/key_codes.h"
#include "app/screens/help/paged_document_view.h"
#include "app/settings/settings_globals.h"
#include "qt/widgets/skin.h"
#include "qt/window/gui_context.h"

static void WrapCodeLine(const QString& line, int columns, QStringList& out) {
    if (line.size() <= columns) {
        out << line;
        return;
    }
    // The continuation indent: the second column if the line has one in its first two thirds, else the
    // line's own indent and two more blanks.
    int lead = 0;
    while (lead < line.size() && line[lead] == ' ') ++lead;
    int indent = std::min(lead + 2, columns / 2);
    const int gap = line.indexOf("  ", lead);
    if (gap > 0) {
        int second = gap;
        while (second < line.size() && line[second] == ' ') ++second;
        if (second <= columns * 2 / 3) indent = second;
    }
    QString rest = line;
    bool first = true;
    while (!rest.isEmpty()) {
        const int room = first ? columns : columns - indent;
        QString piece;
        if (rest.size() <= room) {
            piece = rest;
            rest.clear();
        } else {
            int cut = rest.lastIndexOf(' ', room);
            if (cut <= 0) cut = room;  // a word longer than the line is cut
            piece = rest.left(cut);
            rest = rest.mid(cut).trimmed();
        }
        out << (first ? piece : QString(indent, ' ') + piece);
        first = false;
    }
}

QStringList WrapCodeLines(const QStringList& lines, int columns) {
    QStringList out;
    for (const QString& line : lines) WrapCodeLine(line, std::max(12, columns), out);
    return out;
}

namespace {

// The face of a key as the keyboard draws it: the skin's gradient, border and caption colour.
class KeyCap : public QWidget {
  public:
    KeyCap(const QString& caption, const KeyStyle& style, QWidget* parent)
        : QWidget(parent), m_caption(caption), m_style(style) {
        setObjectName("keyFace");
        QFont f = font();
        f.setBold(true);
        f.setPixelSize(15);
        setFont(f);
        const int w = std::max(56, QFontMetrics(f).horizontalAdvance(caption) + 18);
        setFixedSize(w, 36);
    }
    const QString& caption() const { return m_caption; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
        QPainterPath path;
        path.addRoundedRect(r, 6, 6);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, m_style.top);
        g.setColorAt(1, m_style.bottom);
        p.fillPath(path, g);
        p.setPen(QPen(m_style.border, 1));
        p.drawPath(path);
        p.setPen(m_style.text);
        p.drawText(r, Qt::AlignCenter, m_caption);
    }

  private:
    QString m_caption;
    const KeyStyle& m_style;
};

// Verbatim lines in a fixed-pitch font on a grey ground. A line too long for the width wraps at blanks,
// and its continuation lines start under the line's second column (the text after the first run of two
// or more blanks: an option's explanation), so that tables of options stay readable on a narrow screen.
class CodeBlock : public QWidget {
  public:
    static constexpr int kMargin = 6;

    CodeBlock(const QString& text, QWidget* parent) : QWidget(parent), m_lines(text.split('\n')) {
        setObjectName("code");
        QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        mono.setPointSizeF(parent->font().pointSizeF() * 0.9);
        setFont(mono);
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }
    const QStringList& lines() const { return m_lines; }
    // The lines as shown at a width.
    QStringList wrapped(int width) const {
        const QFontMetrics m(font());
        const int columns = std::max(12, (width - 2 * kMargin) / std::max(1, m.horizontalAdvance('M')));
        return WrapCodeLines(m_lines, columns);
    }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override {
        return static_cast<int>(wrapped(width).size()) * QFontMetrics(font()).lineSpacing() + 2 * kMargin;
    }
    QSize sizeHint() const override { return QSize(300, heightForWidth(300)); }
    QSize minimumSizeHint() const override { return QSize(100, heightForWidth(100)); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(236, 238, 244));
        p.setPen(QColor(20, 30, 60));
        const QFontMetrics m(font());
        int y = kMargin + m.ascent();
        for (const QString& line : wrapped(width())) {
            p.drawText(kMargin, y, line);
            y += m.lineSpacing();
        }
    }

  private:
    QStringList m_lines;
};

// The style of a key by its code, as on the keyboards: digits, equals, shift, menu and the rest.
const KeyStyle& StyleOfKey(const Skin& skin, int code) {
    if (IsDecimalDigitKey(code) || code == kKeyDecimal) return skin.digit;
    if (code == kKeyEquals) return skin.equals;
    if (code == kKeyShift) return skin.shift;
    if (code == kKeyMenu) return skin.menu;
    return skin.ordinary;
}

constexpr int kPageWidth = 680;

QLabel* Paragraph(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString Text(const nlohmann::json& block, const char* key) {
    return QString::fromStdString(block.value(key, std::string()));
}

}  // namespace

PagedDocumentWidget::PagedDocumentWidget(PagedDocumentView& model, GuiContext&, QWidget* parent)
    : QWidget(parent), m_model(model) {
    setObjectName(QString("document:%1").arg(model.name()));
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 8);
    layout->setSpacing(6);
    m_product = new QLabel(this);
    m_product->setObjectName("product");
    m_product->setAlignment(Qt::AlignCenter);
    QFont pf = m_product->font();
    pf.setPointSizeF(pf.pointSizeF() * 1.3);
    pf.setBold(true);
    m_product->setFont(pf);
    layout->addWidget(m_product);
    m_index = new QComboBox(this);
    m_index->setObjectName("index");
    m_index->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_index);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName("pageScroll");
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setFrameShape(QFrame::NoFrame);
    layout->addWidget(m_scroll, 1);
    auto* bar = new QHBoxLayout;
    m_previous = new QPushButton(QString::fromUtf8("\u25c0 Previous"), this);
    m_previous->setObjectName("previous");
    m_next = new QPushButton(QString::fromUtf8("Next \u25b6"), this);
    m_next->setObjectName("next");
    m_pageNumber = new QLabel(this);
    m_pageNumber->setObjectName("pageNumber");
    m_pageNumber->setAlignment(Qt::AlignCenter);
    for (QPushButton* b : {m_previous, m_next}) b->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(m_previous);
    bar->addWidget(m_pageNumber, 1);
    bar->addWidget(m_next);
    layout->addLayout(bar);

    connect(m_previous, &QPushButton::clicked, this, [this] { m_model.tap("previous"); });
    connect(m_next, &QPushButton::clicked, this, [this] { m_model.tap("next"); });
    connect(m_index, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_updating && i >= 0) m_model.pick("index", i);
    });
    m_model.setChangeListener([this] { refresh(); });
    refresh();
}

PagedDocumentWidget::~PagedDocumentWidget() {
    m_model.setChangeListener(nullptr);
}

QWidget* PagedDocumentWidget::blockWidget(const nlohmann::json& block) {
    const std::string kind = block.value("kind", std::string("text"));
    if (kind == "code") return new CodeBlock(Text(block, "text"), m_page);
    if (kind == "key") {
        auto* row = new QWidget(m_page);
        row->setObjectName("key");
        auto* l = new QHBoxLayout(row);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(10);
        QString caption = Text(block, "caption").trimmed();
        const int code = block.value("code", -1);
        if (caption.isEmpty()) caption = QString("#%1").arg(code);
        l->addWidget(new KeyCap(caption, StyleOfKey(Skin::named(g_nstrSkinModel), code), row), 0,
                     Qt::AlignTop);
        l->addWidget(Paragraph(Text(block, "text"), row), 1);
        return row;
    }
    if (kind == "library") {
        auto* label = new QLabel(m_page);
        label->setObjectName("library");
        label->setWordWrap(true);
        label->setTextFormat(Qt::RichText);
        label->setText(QString("<b>%1</b> &mdash; %2<br><i>%3</i>")
                           .arg(Text(block, "name").toHtmlEscaped(), Text(block, "licence").toHtmlEscaped(),
                                Text(block, "use").toHtmlEscaped()));
        return label;
    }
    auto* text = Paragraph(Text(block, "text"), m_page);
    text->setObjectName("text");
    return text;
}

void PagedDocumentWidget::buildPage(const nlohmann::json& blocks) {
    // The page is white paper, at most a comfortable line length wide, centred.
    auto* paper = new QWidget;
    paper->setObjectName("paper");
    paper->setAutoFillBackground(true);
    QPalette pp = paper->palette();
    pp.setColor(QPalette::Window, Qt::white);
    pp.setColor(QPalette::WindowText, QColor(20, 22, 34));
    paper->setPalette(pp);
    auto* centre = new QHBoxLayout(paper);
    centre->setContentsMargins(0, 0, 0, 0);
    m_page = new QWidget(paper);
    m_page->setObjectName("page");
    m_page->setMaximumWidth(kPageWidth);
    centre->addWidget(m_page);
    auto* l = new QVBoxLayout(m_page);
    l->setContentsMargins(8, 8, 8, 8);
    l->setSpacing(8);
    auto* title = new QLabel(QString::fromStdString(m_shown.value("pageTitle", std::string())), m_page);
    title->setObjectName("pageTitle");
    title->setWordWrap(true);
    QFont tf = title->font();
    tf.setBold(true);
    tf.setPointSizeF(tf.pointSizeF() * 1.2);
    title->setFont(tf);
    l->addWidget(title);
    for (const nlohmann::json& block : blocks) l->addWidget(blockWidget(block));
    if (m_shown.value("empty", false))
        l->addWidget(Paragraph("This text could not be read: its file is missing or damaged.", m_page));
    l->addStretch(1);
    if (QWidget* old = m_scroll->takeWidget()) old->deleteLater();
    m_scroll->setWidget(paper);
    m_scroll->verticalScrollBar()->setValue(0);
}

void PagedDocumentWidget::refresh() {
    const nlohmann::json d = m_model.describe();
    if (d == m_shown) return;
    const bool samePage =
        m_shown.is_object() && d["page"] == m_shown["page"] && d["blocks"] == m_shown["blocks"];
    m_shown = d;
    m_updating = true;
    if (d.contains("name")) {
        m_product->setText(QString("%1 %2").arg(Text(d, "name"), Text(d, "version")));
        m_product->show();
    } else {
        m_product->hide();
    }
    QStringList titles;
    for (const auto& t : d["index"]) titles << QString::fromStdString(t.get<std::string>());
    QStringList current;
    for (int i = 0; i < m_index->count(); ++i) current << m_index->itemText(i);
    if (titles != current) {
        m_index->clear();
        m_index->addItems(titles);
    }
    const int page = d.value("page", 0);
    m_index->setCurrentIndex(page);
    m_index->setEnabled(!titles.isEmpty());
    const int count = d.value("pageCount", 0);
    m_pageNumber->setText(count > 0 ? QString("%1 / %2").arg(page + 1).arg(count) : QString());
    m_previous->setEnabled(d.value("canPrevious", false));
    m_next->setEnabled(d.value("canNext", false));
    if (!samePage || !m_page) buildPage(d["blocks"]);
    m_updating = false;
}

void PagedDocumentWidget::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Right:
        case Qt::Key_PageDown:
            m_model.tap("next");
            return;
        case Qt::Key_Left:
        case Qt::Key_PageUp:
            m_model.tap("previous");
            return;
        case Qt::Key_Home:
            m_model.pick("index", 0);
            return;
        default:
            e->ignore();
    }
}

void PagedDocumentWidget::showEvent(QShowEvent*) {
    setFocus(Qt::OtherFocusReason);
}

void PagedDocumentWidget::hideEvent(QHideEvent*) {
    if (hasFocus() && window()) window()->setFocus(Qt::OtherFocusReason);
}
