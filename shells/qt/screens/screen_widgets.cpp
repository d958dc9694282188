#include "qt/screens/screen_widgets.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/keys/key_tables.h"
#include "app/screens/business/business_calc_view.h"
#include "app/screens/clothing/clothing_view.h"
#include "app/screens/constants/constant_view.h"
#include "app/screens/converter/unit_converter_view.h"
#include "app/screens/equation_solver/equation_solver_view.h"
#include "app/screens/finance_form/finance_form_screen.h"
#include "app/screens/formula_view/formular_view.h"
#include "app/screens/graph/graph_plot_view.h"
#include "app/screens/graph/graph_view.h"
#include "app/screens/help/paged_document_view.h"
#include "app/screens/history_view/history_view.h"
#include "app/screens/rpn_stack/rpn_calc_view.h"
#include "app/screens/screen_host.h"
#include "app/screens/statistics/statistic_data_view.h"
#include "app/screens/tip/tip_calc_view.h"
#include "app/screens/tvm/tvm_view.h"
#include "qt/screens/business_widget.h"
#include "qt/screens/clothing_widget.h"
#include "qt/screens/constants_widget.h"
#include "qt/screens/equation_solver_widget.h"
#include "qt/screens/finance_form_widget.h"
#include "qt/screens/formula_view_widget.h"
#include "qt/screens/graph_plot_widget.h"
#include "qt/screens/graph_widget.h"
#include "qt/screens/history_view_widget.h"
#include "qt/screens/paged_document_widget.h"
#include "qt/screens/rpn_stack_widget.h"
#include "qt/screens/settings_widget.h"
#include "qt/screens/statistics_widget.h"
#include "qt/screens/tip_widget.h"
#include "qt/screens/tvm_widget.h"
#include "qt/screens/unit_converter_widget.h"
#include "qt/window/gui_context.h"

const std::map<std::string, ScreenWidgetCreator>& ScreenWidgetCreators() {
    static const std::map<std::string, ScreenWidgetCreator> creators = {
        {"settings",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* { return new SettingsWidget(m, c, p); }},
        {"rpn_stack",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new RPNStackWidget(static_cast<RPNCalcView&>(m), c, p);
         }},
        {"history_view",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new HistoryViewWidget(static_cast<HistoryView&>(m), c, p);
         }},
        {"formula_view",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new FormulaViewWidget(static_cast<FormularView&>(m), c, p);
         }},
        {"help",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new PagedDocumentWidget(static_cast<PagedDocumentView&>(m), c, p);
         }},
        {"about",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new PagedDocumentWidget(static_cast<PagedDocumentView&>(m), c, p);
         }},
        {"introduction",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new PagedDocumentWidget(static_cast<PagedDocumentView&>(m), c, p);
         }},
        {"equation_solver",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new EquationSolverWidget(static_cast<EquationSolverView&>(m), c, p);
         }},
        {"graph",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new GraphWidget(static_cast<GraphView&>(m), c, p);
         }},
        {"graph_plot",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new GraphPlotWidget(static_cast<GraphPlotView&>(m), c, p);
         }},
        {"loan",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new FinanceFormWidget(static_cast<FinanceFormScreen&>(m), c, p);
         }},
        {"mortgage",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new FinanceFormWidget(static_cast<FinanceFormScreen&>(m), c, p);
         }},
        {"tvm",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new TVMWidget(static_cast<TVMView&>(m), c, p);
         }},
        {"tip",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new TipWidget(static_cast<TipCalcView&>(m), c, p);
         }},
        {"business",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new BusinessWidget(static_cast<BusinessCalcView&>(m), c, p);
         }},
        {"currency_converter",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new UnitConverterWidget(static_cast<UnitConverterView&>(m), c, p);
         }},
        {"unit_converter",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new UnitConverterWidget(static_cast<UnitConverterView&>(m), c, p);
         }},
        {"clothing",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new ClothingWidget(static_cast<ClothingView&>(m), c, p);
         }},
        {"constants",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new ConstantsWidget(static_cast<ConstantView&>(m), c, p);
         }},
        {"statistics",
         [](ScreenModel& m, GuiContext& c, QWidget* p) -> QWidget* {
             return new StatisticsWidget(static_cast<StatisticDataView&>(m), c, p);
         }},
    };
    return creators;
}

QWidget* CreatePlaceholderPage(const QString& title, const QString& note, QWidget* parent) {
    auto* page = new QWidget(parent);
    page->setObjectName("placeholder");
    auto* layout = new QVBoxLayout(page);
    auto* heading = new QLabel(title.trimmed(), page);
    QFont f = heading->font();
    f.setPointSizeF(f.pointSizeF() * 1.6);
    f.setBold(true);
    heading->setFont(f);
    heading->setAlignment(Qt::AlignCenter);
    auto* text = new QLabel(note, page);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    layout->addStretch(1);
    layout->addWidget(heading);
    layout->addWidget(text);
    layout->addStretch(1);
    return page;
}

QWidget* CreateScreenWidget(ScreenModel& model, GuiContext& context, QWidget* parent) {
    const auto& creators = ScreenWidgetCreators();
    const auto it = creators.find(model.name());
    if (it != creators.end()) return it->second(model, context, parent);
    return CreatePlaceholderPage(QString::fromUtf8(model.name()), "This screen has no desktop view yet.",
                                 parent);
}

QWidget* CreateCategoryPage(int categoryId, GuiContext& context, QWidget* parent) {
    const std::string name = ScreenOfCategory(categoryId);
    if (!name.empty() && ScreenHost::known(name) && ScreenWidgetCreators().count(name)) {
        if (ScreenModel* model = context.controller().screens().open(name))
            return CreateScreenWidget(*model, context, parent);
    }
    const int panel = PanelIndexOfCategory(categoryId);
    return CreatePlaceholderPage(QString::fromStdString(PanelLabel(panel)),
                                 "This category's calculator is on its way; use the other pages meanwhile.",
                                 parent);
}
